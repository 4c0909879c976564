#include "qt/CMainWindow.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/CCommandPrompts.h"
#include "app/CCommandTable.h"
#include "app/CModDoc.h"
#include "app/CPreferences.h"
#include "platform/StringTable.h"
#include "plot/PlotCommands.h"
#include "qt/CAboutDialog.h"
#include "qt/CCommandBars.h"
#include "qt/CHelpSystem.h"
#include "qt/CListWindow.h"
#include "qt/CPlotWidget.h"
#include "qt/CProjectFrame.h"
#include "qt/CQtPlatform.h"
#include "qt/CStatusLine.h"

namespace kv {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

using T = CCommandTable;

const char* const kPlacementSection = "Main Window";

// The menu text without its mnemonic marks, keys and trailing dots.
QString PlainText(const std::string& menuText) {
    QString text = Q(menuText).section(QLatin1Char('\t'), 0, 0);
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QLatin1String("..."))) text.chop(3);
    return text;
}

bool IsProjectFile(const QString& path) { return path.endsWith(QLatin1String(".kvp"), Qt::CaseInsensitive); }

}  // namespace

CMainWindow::CMainWindow(CQtPlatform& platform) : m_platform(platform), m_pMdi(new QMdiArea(this)) {
    setWindowTitle(Q(LoadString(IDS_APP_NAME)));
    QApplication::setWindowIcon(CAboutDialog::ProgramIcon());
    setWindowIcon(CAboutDialog::ProgramIcon());
    setObjectName(QStringLiteral("MainWindow"));
    m_pHelp = new CHelpSystem(this);
    setCentralWidget(m_pMdi);
    setAcceptDrops(true);
    m_pStatus = new CStatusLine(*statusBar(), Q(LoadString(IDS_READY)));
    platform.SetMainWindow(this);
    platform.SetStatusLine(m_pStatus);
    platform.Platform().SetWindows(this);
    m_recent.Load();
    m_pBars = new CCommandBars(*this, *this);
    m_pBars->SetRecentFiles(m_recent.Files());
    connect(m_pBars->Menu(CShellMenus::Popup::Window), &QMenu::aboutToShow, this, &CMainWindow::FillWindowMenu);
    m_pHelp->AttachCommands(*this, [](int id) { return CCommandPrompts::StatusPrompt(id); });
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) {
        UpdateFrame();
        UpdateTitles();
        ScheduleStates();
    });
    // Command states follow the user's actions: after each click, key and
    // wheel turn in this window they are brought up to date once.
    qApp->installEventFilter(this);
    UpdateFrame();
    resize(1200, 800);
}

CMainWindow::~CMainWindow() {
    qApp->removeEventFilter(this);
    m_bClosingDocument = true;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList()) delete sub;
    m_docs.clear();
    m_platform.Platform().SetWindows(nullptr);
    m_platform.SetStatusLine(nullptr);
    m_platform.SetMainWindow(nullptr);
}

// ---------------------------------------------------------------------------
// Menus, toolbar and status bar

QAction* CMainWindow::CommandAction(int id) const { return m_pBars->Action(id); }

void CMainWindow::UpdateCommandStates() {
    m_bStatesPending = false;
    m_pBars->SetRecentFiles(m_recent.Files());
    m_pBars->UpdateStates();
}

void CMainWindow::ScheduleStates() {
    if (m_bStatesPending) return;
    m_bStatesPending = true;
    QTimer::singleShot(0, this, [this] {
        if (!m_bStatesPending) return;
        UpdateTitles();
        UpdateCommandStates();
    });
}

void CMainWindow::UpdateFrame() {
    CShellMenus::Frame frame = CShellMenus::Frame::Plot;
    if (m_docs.empty())
        frame = CShellMenus::Frame::Empty;
    else if (ActiveList())
        frame = CShellMenus::Frame::List;
    if (frame != m_pBars->Frame()) m_pBars->SetFrame(frame);
}

bool CMainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Prompts of menus and buttons share the pane with the program's texts.
        m_pStatus->ShowPrompt(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonRelease:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
            if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == this)
                ScheduleStates();
            break;
        default: break;
    }
    return false;
}

void CMainWindow::FillWindowMenu() {
    QMenu* menu = m_pBars->Menu(CShellMenus::Popup::Window);
    for (QAction* a : m_windowActions) {
        menu->removeAction(a);
        a->deleteLater();
    }
    m_windowActions.clear();
    const QList<QMdiSubWindow*> subs = m_pMdi->subWindowList();
    if (subs.isEmpty()) return;
    m_windowActions.push_back(menu->addSeparator());
    QMdiSubWindow* active = m_pMdi->activeSubWindow() ? m_pMdi->activeSubWindow() : m_pMdi->currentSubWindow();
    for (int i = 0; i < subs.size(); ++i) {
        QString title = subs[i]->windowTitle();
        title.replace(QLatin1String("[*]"), subs[i]->isWindowModified() ? QStringLiteral("*") : QString());
        title.replace(QLatin1Char('&'), QLatin1String("&&"));
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        auto* action = menu->addAction(Q(FormatString(IDS_SHELL_WINDOW_ITEM, number.toStdString(), title.toStdString())));
        const int id = ID_WINDOW_FIRST + i;
        action->setData(id);
        action->setCheckable(true);
        action->setChecked(subs[i] == active);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_windowActions.push_back(action);
    }
}

void CMainWindow::ArrangeIcons() {
    // Minimized windows line up along the bottom of the area, left to right,
    // in rows upwards; the other windows stay where they are.
    const QRect area = m_pMdi->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList()) {
        if (!sub->isMinimized()) continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        if (rowHeight == 0) rowHeight = size.height();
        sub->move(x, y - rowHeight);
        x += size.width();
    }
}

// ---------------------------------------------------------------------------
// Projects and their windows

void CMainWindow::StartUp(const std::string& path) {
    if (!path.empty()) {
        if (IsProjectFile(Q(path)) || !QFileInfo::exists(Q(path))) {
            if (OpenProject(path)) return;
        } else {
            ReadTimeFile(path);
            return;
        }
    } else if (!m_recent.Files().empty()) {
        std::string last = m_recent.Files().front();
        if (OpenProject(last)) return;
    }
    NewProject();
}

CModDoc* CMainWindow::NewProject() {
    auto doc = std::make_unique<CModDoc>();
    CModDoc* raw = doc.get();
    raw->SetTitle(LoadString(IDS_DEFAULT_DOC_NAME) + std::to_string(m_nNextNumber++));
    m_docs.push_back(std::move(doc));
    CreatePlotView(*raw);
    raw->NewProject();
    UpdateFrame();
    UpdateTitles();
    ScheduleStates();
    return raw;
}

CModDoc* CMainWindow::OpenProject(const std::string& path) {
    for (const auto& d : m_docs) {
        if (d->GetPathName() != path) continue;
        // A project emptied by Close Project keeps its name; opening its
        // file reads it again. Any other project of that file is raised.
        if (d->m_TimeData.IsEmpty() && d->m_FreqData.IsEmpty()) {
            if (!d->OpenProject(path)) {
                m_pStatus->SetText(Q(LoadString(IDS_READY)));
                return nullptr;
            }
            ShowOpenedProject(*d);
            return d.get();
        }
        auto frames = FramesOf(*d);
        if (!frames.empty()) m_pMdi->setActiveSubWindow(frames.front());
        return d.get();
    }
    // The project is read before it has a window: a file that cannot be
    // read leaves the other windows exactly as they were.
    auto doc = std::make_unique<CModDoc>();
    CModDoc* raw = doc.get();
    m_docs.push_back(std::move(doc));
    if (!raw->OpenProject(path)) {
        m_recent.Remove(path);
        m_docs.pop_back();
        m_pStatus->SetText(Q(LoadString(IDS_READY)));
        UpdateFrame();
        ScheduleStates();
        return nullptr;
    }
    CView* first = CreatePlotView(*raw);
    if (first) MaximizeView(*first);
    ShowOpenedProject(*raw);
    return raw;
}

void CMainWindow::ShowOpenedProject(CModDoc& doc) {
    m_recent.Add(doc.GetPathName());
    // Plots show the data the project holds, each under the name it was saved with.
    for (CKalvoData* data : {&doc.m_FreqData, &doc.m_TimeData}) {
        if (data->IsEmpty()) continue;
        doc.m_strSourceTitle = data->m_strName;
        doc.OpenPlot(0, false, *data);
    }
    m_pStatus->SetText(Q(LoadString(IDS_READY)));
    UpdateFrame();
    UpdateTitles();
    ScheduleStates();
}

void CMainWindow::OpenFiles(const QStringList& paths) {
    // A request that comes while a dialog is open waits for it: no command
    // starts while another one runs.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(200, this, [this, paths] { OpenFiles(paths); });
        return;
    }
    for (const QString& path : paths) {
        if (path.isEmpty()) continue;
        RunGuarded([&] {
            if (IsProjectFile(path))
                OpenProject(path.toStdString());
            else
                ReadTimeFile(path.toStdString());
        });
    }
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    ScheduleStates();
}

void CMainWindow::ReadTimeFile(const std::string& path) {
    CModDoc* doc = ActiveDocument();
    if (!doc) doc = NewProject();
    doc->ReadTimeDataFile(path);
    UpdateTitles();
    ScheduleStates();
}

CModDoc* CMainWindow::Find(const CKalvoraDoc& doc) const {
    for (const auto& d : m_docs)
        if (d.get() == &doc) return d.get();
    return nullptr;
}

std::vector<CProjectFrame*> CMainWindow::FramesOf(const CModDoc& doc) const {
    std::vector<CProjectFrame*> frames;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList())
        if (auto* f = qobject_cast<CProjectFrame*>(sub); f && &f->Document() == &doc) frames.push_back(f);
    return frames;
}

CProjectFrame* CMainWindow::ActiveFrame() const {
    QMdiSubWindow* sub = m_pMdi->activeSubWindow();
    if (!sub) sub = m_pMdi->currentSubWindow();
    return qobject_cast<CProjectFrame*>(sub);
}

CModDoc* CMainWindow::ActiveDocument() const {
    if (CProjectFrame* f = ActiveFrame()) return &f->Document();
    return nullptr;
}

CGraph* CMainWindow::ActiveGraph() const {
    CProjectFrame* f = ActiveFrame();
    if (!f) return nullptr;
    auto* plot = qobject_cast<CPlotWidget*>(f->widget());
    return plot ? &plot->Graph() : nullptr;
}

CListWindow* CMainWindow::ActiveList() const {
    CProjectFrame* f = ActiveFrame();
    return f ? qobject_cast<CListWindow*>(f->widget()) : nullptr;
}

CProjectFrame* CMainWindow::AddFrame(CModDoc& doc, bool list) {
    auto* frame = new CProjectFrame(*this, doc, list ? CProjectFrame::Kind::List : CProjectFrame::Kind::Plot);
    m_pMdi->addSubWindow(frame);
    if (list) frame->resize(640, 480);
    frame->show();
    if (list && !frame->isMaximized()) {
        // A new list window stands inside the area, whatever its size.
        const QSize area = m_pMdi->viewport()->size();
        frame->resize(frame->size().boundedTo(QSize(std::max(area.width(), frame->minimumWidth()),
                                                    std::max(area.height(), frame->minimumHeight()))));
        QPoint place = frame->pos();
        place.setX(std::clamp(place.x(), 0, std::max(0, area.width() - frame->width())));
        place.setY(std::clamp(place.y(), 0, std::max(0, area.height() - frame->height())));
        if (place != frame->pos()) frame->move(place);
    }
    m_pMdi->setActiveSubWindow(frame);
    return frame;
}

CView* CMainWindow::CreatePlotView(CKalvoraDoc& doc) {
    CModDoc* d = Find(doc);
    if (!d) return nullptr;
    CProjectFrame* frame = AddFrame(*d, false);
    CView* view = frame->View();
    view->OnInitialUpdate();
    UpdateFrame();
    UpdateTitles();
    return view;
}

CView* CMainWindow::CreateListView(CKalvoraDoc& doc) {
    CModDoc* d = Find(doc);
    if (!d) return nullptr;
    CProjectFrame* frame = AddFrame(*d, true);
    CView* view = frame->View();
    view->OnInitialUpdate();
    UpdateFrame();
    UpdateTitles();
    return view;
}

CProjectFrame* CMainWindow::FrameOf(CView& view) const {
    for (QMdiSubWindow* sub : m_pMdi->subWindowList())
        if (auto* f = qobject_cast<CProjectFrame*>(sub); f && f->View() == &view) return f;
    return nullptr;
}

void CMainWindow::ActivateView(CView& view) {
    if (CProjectFrame* f = FrameOf(view)) {
        if (f->isMinimized()) f->showNormal();
        f->show();
        m_pMdi->setActiveSubWindow(f);
    }
}

void CMainWindow::MaximizeView(CView& view) {
    if (CProjectFrame* f = FrameOf(view)) f->showMaximized();
}

void CMainWindow::DestroyDocument(CModDoc* doc, bool later) {
    auto destroy = [this, doc] {
        m_bClosingDocument = true;
        for (CProjectFrame* f : FramesOf(*doc)) delete f;
        m_bClosingDocument = false;
        auto it = std::find_if(m_docs.begin(), m_docs.end(), [doc](const auto& d) { return d.get() == doc; });
        if (it != m_docs.end()) m_docs.erase(it);
        UpdateFrame();
        UpdateTitles();
        ScheduleStates();
    };
    if (later)
        QTimer::singleShot(0, this, destroy);
    else
        destroy();
}

void CMainWindow::CloseDocument(CKalvoraDoc& doc) {
    CModDoc* d = Find(doc);
    if (!d) return;
    m_bClosingDocument = true;
    for (CProjectFrame* f : FramesOf(*d)) f->hide();
    m_bClosingDocument = false;
    // The project may be in the middle of a command; it goes once that returns.
    DestroyDocument(d, true);
}

bool CMainWindow::CanCloseFrame(CProjectFrame& frame) {
    if (m_bClosingDocument) return true;
    CModDoc& doc = frame.Document();
    if (FramesOf(doc).size() > 1) {
        ScheduleStates();
        return true;
    }
    if (!doc.SaveModified()) return false;
    if (!doc.GetPathName().empty()) m_recent.Add(doc.GetPathName());
    // The project goes with its last window.
    DestroyDocument(&doc, true);
    return true;
}

void CMainWindow::UpdateTitles() {
    for (const auto& doc : m_docs) {
        std::vector<CProjectFrame*> frames = FramesOf(*doc);
        for (size_t i = 0; i < frames.size(); ++i) {
            QString title = Q(doc->DisplayTitle());
            if (frames.size() > 1) title += QStringLiteral(":%1").arg(i + 1);
            // A changed project says so in the title of each of its windows.
            title += QLatin1String("[*]");
            if (frames[i]->windowTitle() != title) frames[i]->setWindowTitle(title);
            frames[i]->setWindowModified(doc->IsModified());
        }
    }
}

// ---------------------------------------------------------------------------
// Commands

bool CMainWindow::OnCommand(int id) {
    // Keys reach here without a menu: a command that is greyed does nothing.
    CCmdUI state(id);
    if (OnUpdateCommand(state) && !state.m_bEnabled) return false;
    bool handled = false;
    RunGuarded([&] {
        if (id >= ID_WINDOW_FIRST && id < ID_WINDOW_FIRST + 256) {
            const QList<QMdiSubWindow*> subs = m_pMdi->subWindowList();
            const int index = id - ID_WINDOW_FIRST;
            if (index < subs.size()) {
                if (subs[index]->isMinimized()) subs[index]->showNormal();
                m_pMdi->setActiveSubWindow(subs[index]);
            }
            handled = true;
            return;
        }
        if (CListWindow* list = ActiveList()) {
            if (list->OnCommand(id)) {
                handled = true;
                return;
            }
        }
        if (CGraph* graph = ActiveGraph()) {
            // Copy in a plot window copies its picture.
            if (graph->OnCommand(id == ID_EDIT_COPY ? int{ID_PLOT_COPY_IMAGE} : id)) {
                handled = true;
                return;
            }
        }
        if (CCommandTable::Find(id)) {
            CModDoc* doc = ActiveDocument();
            if (!doc) return;
            const bool save = id == T::ID_SAVE_PROJECT;
            handled = CCommandTable::Execute(*doc, id);
            if (save && Find(*doc) && !doc->GetPathName().empty() && !doc->IsModified())
                m_recent.Add(doc->GetPathName());
            return;
        }
        handled = OnAppCommand(id);
    });
    UpdateTitles();
    ScheduleStates();
    return handled;
}

bool CMainWindow::OnUpdateCommand(CCmdUI& ui) {
    const int id = ui.m_nId;
    if (id >= ID_WINDOW_FIRST && id < ID_WINDOW_FIRST + 256) {
        ui.m_bEnabled = id - ID_WINDOW_FIRST < m_pMdi->subWindowList().size();
        return true;
    }
    if (CListWindow* list = ActiveList())
        if (list->OnUpdateCommand(ui)) return true;
    if (CGraph* graph = ActiveGraph()) {
        if (id == ID_EDIT_COPY) {
            CCmdUI copy(ID_PLOT_COPY_IMAGE);
            if (graph->OnUpdateCommand(copy)) {
                ui.m_bEnabled = copy.m_bEnabled;
                return true;
            }
        }
        if (graph->OnUpdateCommand(ui)) return true;
    }
    if (CCommandTable::Find(id)) {
        CModDoc* doc = ActiveDocument();
        ui.m_bEnabled = doc && CCommandTable::IsEnabled(*doc, id);
        ui.m_nCheck = doc && CCommandTable::IsChecked(*doc, id) ? 1 : 0;
        return true;
    }
    return OnUpdateAppCommand(ui);
}

bool CMainWindow::OnUpdateAppCommand(CCmdUI& ui) {
    switch (ui.m_nId) {
        case ID_FILE_SAVE_AS: ui.m_bEnabled = ActiveDocument() != nullptr; return true;
        case ID_VIEW_TOOLBAR:
            ui.m_nCheck = m_pBars->ToolBar()->isVisibleTo(this) ? 1 : 0;
            return true;
        case ID_VIEW_STATUS_BAR: ui.m_nCheck = statusBar()->isVisibleTo(this) ? 1 : 0; return true;
        // Printing and the edit commands belong to the active plot or list.
        case ID_FILE_PRINT:
        case ID_FILE_PRINT_PREVIEW:
        case ID_FILE_PRINT_SETUP:
        case ID_PLOT_WRITE_DATA:
        case CShellMenus::ID_EDIT_UNDO_TEXT:
        case CShellMenus::ID_EDIT_CUT:
        case CShellMenus::ID_EDIT_COPY:
        case CShellMenus::ID_EDIT_PASTE:
        case CShellMenus::ID_EDIT_CLEAR:
        case CShellMenus::ID_EDIT_SELECT_ALL:
        case CShellMenus::ID_EDIT_FIND:
        case CShellMenus::ID_EDIT_REPLACE:
        case CShellMenus::ID_EDIT_REPEAT:
        case ID_LIST_FONT: ui.m_bEnabled = false; return true;
        case ID_FILE_NEW:
        case ID_FILE_OPEN:
        case ID_FILE_GENERATE:
        case ID_APP_EXIT:
        case ID_APP_ABOUT:
        case ID_HELP_CONTENTS:
        case ID_HELP_INDEX:
        case ID_HELP_SEARCH:
        case ID_CONTEXT_HELP:
        case ID_HELP:
        case ID_VIEW_PREFERENCES: ui.m_bEnabled = true; return true;
        case ID_WINDOW_CASCADE:
        case ID_WINDOW_TILE:
        case ID_WINDOW_ARRANGE:
        case ID_NEXT_PANE:
        case ID_PREV_PANE: ui.m_bEnabled = !m_pMdi->subWindowList().isEmpty(); return true;
        default: break;
    }
    if (ui.m_nId >= ID_FILE_MRU_FIRST && ui.m_nId < ID_FILE_MRU_FIRST + CRecentFileList::kSize) {
        ui.m_bEnabled = ui.m_nId - ID_FILE_MRU_FIRST < static_cast<int>(m_recent.Files().size());
        return true;
    }
    return false;
}

bool CMainWindow::OnAppCommand(int id) {
    if (id >= ID_FILE_MRU_FIRST && id < ID_FILE_MRU_FIRST + CRecentFileList::kSize) {
        size_t index = static_cast<size_t>(id - ID_FILE_MRU_FIRST);
        if (index < m_recent.Files().size()) {
            const std::string path = m_recent.Files()[index];
            OpenProject(path);
        }
        return true;
    }
    switch (id) {
        case ID_FILE_NEW: NewProject(); return true;
        case ID_FILE_OPEN: CommandOpen(); return true;
        case ID_FILE_SAVE_AS: CommandSaveAs(); return true;
        case ID_FILE_GENERATE: CommandGenerate(); return true;
        case ID_APP_EXIT: close(); return true;
        case ID_APP_ABOUT: {
            CAboutDialog about(this);
            about.exec();
            return true;
        }
        case ID_HELP_CONTENTS: m_pHelp->ShowContents(); return true;
        case ID_HELP_INDEX: m_pHelp->ShowIndex(); return true;
        case ID_HELP_SEARCH: m_pHelp->ShowSearch(); return true;
        case ID_HELP: m_pHelp->ShowContextHelp(); return true;
        case ID_CONTEXT_HELP: CHelpSystem::EnterContextHelpMode(); return true;
        case ID_VIEW_TOOLBAR: m_pBars->ToolBar()->setVisible(!m_pBars->ToolBar()->isVisibleTo(this)); return true;
        case ID_VIEW_STATUS_BAR: statusBar()->setVisible(!statusBar()->isVisibleTo(this)); return true;
        case ID_VIEW_PREFERENCES: CommandPreferences(); return true;
        case ID_WINDOW_CASCADE: m_pMdi->cascadeSubWindows(); return true;
        case ID_WINDOW_TILE: m_pMdi->tileSubWindows(); return true;
        case ID_WINDOW_ARRANGE: ArrangeIcons(); return true;
        case ID_NEXT_PANE: m_pMdi->activateNextSubWindow(); return true;
        case ID_PREV_PANE: m_pMdi->activatePreviousSubWindow(); return true;
        default: return false;
    }
}

void CMainWindow::CommandOpen() {
    auto path = m_platform.GetOpenFileName(PlainText(LoadString(IDS_SHELL_OPEN_PROJECT)).toStdString(),
                                           LoadString(IDS_PROJECT_FILTER), {});
    if (path && !path->empty()) OpenProject(*path);
}

void CMainWindow::CommandSaveAs() {
    CModDoc* doc = ActiveDocument();
    if (!doc) return;
    auto path = m_platform.GetSaveFileName(LoadString(IDS_SAVE_AS_TITLE), LoadString(IDS_PROJECT_FILTER),
                                           doc->GetPathName().empty() ? doc->DisplayTitle() : doc->GetPathName());
    if (!path || path->empty()) return;
    const std::string chosen = CKalvoraDoc::WithProjectExtension(*path);
    if (doc->SaveProject(chosen)) m_recent.Add(chosen);
}

void CMainWindow::CommandPreferences() {
    CPreferences prefs;
    prefs.Load();
    if (RunDialog(prefs)) CPlotWidget::ApplyPreferencesToAll();
}

void CMainWindow::CommandGenerate() {
    // The waveform generator in a new project; a generator that is
    // cancelled takes its project with it.
    CModDoc* doc = NewProject();
    CCommandTable::Execute(*doc, T::ID_GENERATE_WAVEFORM);
    if (Find(*doc) && doc->m_TimeData.IsEmpty()) DestroyDocument(doc, false);
}

// ---------------------------------------------------------------------------
// Window placement

void CMainWindow::SaveWindowPlacement() {
    m_platform.SetString(kPlacementSection, "Geometry", saveGeometry().toBase64().toStdString());
    m_platform.SetString(kPlacementSection, "State", saveState().toBase64().toStdString());
    m_platform.SetInt(kPlacementSection, "StatusBar", statusBar()->isVisibleTo(this) ? 1 : 0);
}

void CMainWindow::RestoreWindowPlacement() {
    const QByteArray geometry =
        QByteArray::fromBase64(QByteArray::fromStdString(m_platform.GetString(kPlacementSection, "Geometry", "")));
    const QByteArray state =
        QByteArray::fromBase64(QByteArray::fromStdString(m_platform.GetString(kPlacementSection, "State", "")));
    const bool restored = !geometry.isEmpty() && restoreGeometry(geometry);
    if (!state.isEmpty()) restoreState(state);
    statusBar()->setVisible(m_platform.GetInt(kPlacementSection, "StatusBar", 1) != 0);
    FitOnScreen(restored);
}

void CMainWindow::FitOnScreen(bool keepPlace) {
    if (isMaximized() || isFullScreen()) return;
    // The window opens on the screen that holds its middle, or on the
    // primary screen, and never larger than that screen's free area. The
    // frame's size is known only once the window is shown; the first show
    // fits it again.
    QScreen* screen = keepPlace ? QGuiApplication::screenAt(frameGeometry().center()) : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    const QSize frameExtra = frameGeometry().size() - size();
    QSize size = keepPlace ? this->size() : QSize(1200, 800);
    size = size.boundedTo(free.size() - frameExtra);
    resize(size);
    QRect frame = frameGeometry();
    if (!keepPlace) frame.moveCenter(free.center());
    frame.moveLeft(std::clamp(frame.left(), free.left(), std::max(free.left(), free.right() + 1 - frame.width())));
    frame.moveTop(std::clamp(frame.top(), free.top(), std::max(free.top(), free.bottom() + 1 - frame.height())));
    move(frame.topLeft());
}

void CMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_bFitted) return;
    m_bFitted = true;
    QTimer::singleShot(0, this, [this] { FitOnScreen(true); });
}

// ---------------------------------------------------------------------------
// Window events

void CMainWindow::closeEvent(QCloseEvent* event) {
    for (const auto& doc : m_docs) {
        if (!doc->SaveModified()) {
            event->ignore();
            return;
        }
    }
    SaveWindowPlacement();
    m_bClosingDocument = true;
    event->accept();
}

void CMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (!mime->hasUrls()) return;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CMainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    event->acceptProposedAction();
    // The drop ends before the files are read: a read shows dialogs.
    QTimer::singleShot(0, this, [this, paths] { OpenFiles(paths); });
}

}  // namespace kv
