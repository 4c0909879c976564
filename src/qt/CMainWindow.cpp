#include "qt/CMainWindow.h"

#include <algorithm>
#include <map>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/CCommandTable.h"
#include "app/CModDoc.h"
#include "app/CPreferences.h"
#include "platform/StringTable.h"
#include "plot/PlotCommands.h"
#include "plot/PlotMenus.h"
#include "qt/CAboutDialog.h"
#include "qt/CHelpSystem.h"
#include "qt/CListWindow.h"
#include "qt/CPlotWidget.h"
#include "qt/CProjectFrame.h"
#include "qt/CQtCommandMenu.h"
#include "qt/CQtPlatform.h"

namespace kv {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

using T = CCommandTable;

std::string TableText(int id) {
    const CCommand* c = CCommandTable::Find(id);
    return c ? LoadString(c->m_nText) : std::string();
}

CMenuItem Cmd(int id) { return CMenuItem::Command(id, TableText(id)); }
CMenuItem Cmd(int id, StringId text) { return CMenuItem::Command(id, LoadString(text)); }

// The commands of one top-level menu of the table, with their submenus, in
// table order.
CMenuItem TableMenu(StringId menu) {
    CMenuItem popup = CMenuItem::Popup(LoadString(menu), {});
    std::map<int, size_t> subMenus;
    for (const CCommand& c : CCommandTable::Commands()) {
        if (c.m_nMenu != menu) continue;
        CMenuItem item = CMenuItem::Command(c.m_nId, LoadString(c.m_nText));
        if (c.m_nSubMenu == 0) {
            popup.m_items.push_back(item);
            continue;
        }
        auto it = subMenus.find(c.m_nSubMenu);
        if (it == subMenus.end()) {
            popup.m_items.push_back(CMenuItem::Popup(LoadString(static_cast<StringId>(c.m_nSubMenu)), {}));
            it = subMenus.emplace(c.m_nSubMenu, popup.m_items.size() - 1).first;
        }
        popup.m_items[it->second].m_items.push_back(item);
    }
    return popup;
}

// "&Undo\tCtrl+Z": the text is shown before the tab, the keys after it
// become the shortcut.
void ApplyShortcuts(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        if (action->menu()) {
            ApplyShortcuts(*action->menu());
            continue;
        }
        if (action->property(CQtCommandMenu::kViewKeysProperty).toBool()) continue;
        QString text = action->text();
        int tab = text.indexOf('\t');
        if (tab < 0) continue;
        action->setShortcut(QKeySequence::fromString(text.mid(tab + 1)));
        action->setText(text.left(tab));
    }
}

QAction* FindAction(QMenu& menu, int id) {
    for (QAction* action : menu.actions()) {
        if (action->menu()) {
            if (QAction* found = FindAction(*action->menu(), id)) return found;
        } else if (action->data().isValid() && action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

// The short texts of the toolbar buttons.
const std::map<int, StringId> kToolbarLabels = {
    {T::ID_READ_TIME, IDS_TB_READ_TIME},
    {T::ID_WRITE_TIME, IDS_TB_WRITE_TIME},
    {T::ID_SAMPLING_FREQ, IDS_TB_SAMPLING_FREQ},
    {T::ID_TRANSFORM_OPTIONS, IDS_TB_TRANSFORM_OPTIONS},
    {T::ID_PROCESS, IDS_TB_PROCESS},
    {T::ID_TIME_SET_RANGE, IDS_TB_TIME_RANGE},
    {T::ID_TIME_TO_FREQ, IDS_TB_TO_FREQ},
    {T::ID_TIME_SCALE, IDS_TB_SCALE},
    {T::ID_TIME_WINDOW, IDS_TB_WINDOW},
    {T::ID_GENERATE_WAVEFORM, IDS_TB_GENERATE},
    {T::ID_FREQ_SET_RANGE, IDS_TB_FREQ_RANGE},
    {T::ID_FREQ_TO_TIME, IDS_TB_TO_TIME},
    {T::ID_FREQ_SHOW_LIST, IDS_TB_FREQ_LIST},
    {ID_FILE_PRINT, IDS_TB_PRINT},
    {CMainWindow::ID_CONTEXT_HELP, IDS_TB_HELP},
};

QString ButtonText(const std::string& menuText) {
    QString text = Q(menuText);
    int tab = text.indexOf('\t');
    if (tab >= 0) text = text.left(tab);
    text.remove('&');
    if (text.endsWith("...")) text.chop(3);
    return text;
}

}  // namespace

CMainWindow::CMainWindow(CQtPlatform& platform) : m_platform(platform), m_pMdi(new QMdiArea(this)) {
    setWindowTitle(Q(LoadString(IDS_APP_NAME)));
    QApplication::setWindowIcon(CAboutDialog::ProgramIcon());
    setWindowIcon(CAboutDialog::ProgramIcon());
    m_pHelp = new CHelpSystem(this);
    setCentralWidget(m_pMdi);
    setAcceptDrops(true);
    platform.SetMainWindow(this);
    platform.Platform().SetWindows(this);
    m_recent.Load();
    BuildMenus();
    BuildToolbar();
    m_pHelp->AttachCommands(*this, [](int id) {
        const CCommand* c = CCommandTable::Find(id);
        return c ? c->m_strStatus : std::string();
    });
    statusBar()->showMessage(Q(LoadString(IDS_READY)));
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) {
        UpdateMenuBar();
        UpdateTitles();
        UpdateToolbar();
    });
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CMainWindow::UpdateToolbar);
    timer->start(300);
    UpdateMenuBar();
    resize(1200, 800);
}

CMainWindow::~CMainWindow() {
    m_bClosingDocument = true;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList()) delete sub;
    m_docs.clear();
    m_platform.Platform().SetWindows(nullptr);
    m_platform.SetMainWindow(nullptr);
}

// ---------------------------------------------------------------------------
// Menus and toolbar

CMenuItem CMainWindow::MainMenu() const {
    std::vector<CMenuItem> menus;
    CMenuItem write = CMenuItem::Popup(LoadString(IDS_MENU_WRITE),
                                       {Cmd(T::ID_WRITE_TIME), Cmd(T::ID_WRITE_FREQ),
                                        Cmd(ID_PLOT_WRITE_DATA, IDS_SHELL_GRAPH_DATA), Cmd(T::ID_WRITE_LIST),
                                        Cmd(T::ID_WRITE_AM), Cmd(T::ID_WRITE_FM)});
    menus.push_back(CMenuItem::Popup(
        LoadString(IDS_MENU_FILE),
        {Cmd(ID_FILE_NEW, IDS_SHELL_NEW_PROJECT), Cmd(ID_FILE_OPEN, IDS_SHELL_OPEN_PROJECT),
         Cmd(T::ID_CLOSE_PROJECT), Cmd(T::ID_SAVE_PROJECT), Cmd(ID_FILE_SAVE_AS, IDS_SHELL_SAVE_AS),
         CMenuItem::Separator(), Cmd(T::ID_READ_TIME), Cmd(T::ID_READ_FREQ), write, Cmd(T::ID_CONVERT),
         CMenuItem::Separator(), Cmd(ID_FILE_PRINT, IDS_SHELL_PRINT),
         Cmd(ID_FILE_PRINT_PREVIEW, IDS_SHELL_PRINT_PREVIEW), Cmd(ID_FILE_PRINT_SETUP, IDS_SHELL_PRINT_SETUP),
         CMenuItem::Separator(), Cmd(ID_APP_EXIT, IDS_SHELL_EXIT)}));
    menus.push_back(TableMenu(IDS_MENU_SIGNAL));
    menus.push_back(TableMenu(IDS_MENU_TIME));
    menus.push_back(TableMenu(IDS_MENU_FREQUENCY));
    CMenuItem plot = PlotMenu();
    plot.m_strText = LoadString(IDS_SHELL_MENU_PLOT);
    menus.push_back(plot);
    CMenuItem list = TableMenu(IDS_MENU_LIST);
    list.m_items.push_back(Cmd(ID_LIST_FONT, IDS_SHELL_LIST_FONT));
    list.m_items.push_back(CMenuItem::Separator());
    list.m_items.push_back(Cmd(ID_EDIT_UNDO_TEXT, IDS_SHELL_EDIT_UNDO));
    list.m_items.push_back(Cmd(ID_EDIT_CUT, IDS_SHELL_EDIT_CUT));
    list.m_items.push_back(Cmd(ID_EDIT_COPY, IDS_SHELL_EDIT_COPY));
    list.m_items.push_back(Cmd(ID_EDIT_PASTE, IDS_SHELL_EDIT_PASTE));
    menus.push_back(list);
    CMenuItem view = TableMenu(IDS_MENU_VIEW);
    view.m_items.push_back(CMenuItem::Separator());
    view.m_items.push_back(Cmd(ID_VIEW_TOOLBAR, IDS_SHELL_TOOLBAR));
    view.m_items.push_back(Cmd(ID_VIEW_STATUS_BAR, IDS_SHELL_STATUS_BAR));
    view.m_items.push_back(Cmd(ID_VIEW_PREFERENCES, IDS_SHELL_PREFERENCES));
    menus.push_back(view);
    menus.push_back(CMenuItem::Popup(LoadString(IDS_SHELL_MENU_WINDOW),
                                     {Cmd(ID_WINDOW_CASCADE, IDS_SHELL_CASCADE), Cmd(ID_WINDOW_TILE, IDS_SHELL_TILE),
                                      Cmd(ID_WINDOW_ARRANGE, IDS_SHELL_ARRANGE)}));
    menus.push_back(CMenuItem::Popup(
        LoadString(IDS_SHELL_MENU_HELP),
        {Cmd(ID_HELP_CONTENTS, IDS_SHELL_CONTENTS), Cmd(ID_HELP_INDEX, IDS_SHELL_INDEX),
         Cmd(ID_HELP_SEARCH, IDS_SHELL_SEARCH), Cmd(ID_CONTEXT_HELP, IDS_SHELL_CONTEXT_HELP), CMenuItem::Separator(),
         Cmd(ID_APP_ABOUT, IDS_SHELL_ABOUT)}));
    return CMenuItem::Popup({}, menus);
}

void CMainWindow::BuildMenus() {
    CMenuItem all = MainMenu();
    auto target = [this]() -> ICommandTarget* { return this; };
    for (const CMenuItem& popup : all.m_items) {
        QMenu* menu = CQtCommandMenu::Create(popup, target, this);
        ApplyShortcuts(*menu);
        menuBar()->addMenu(menu);
        if (popup.m_strText == LoadString(IDS_MENU_FILE)) m_pFileMenu = menu;
        if (popup.m_strText == LoadString(IDS_SHELL_MENU_PLOT)) m_pPlotMenu = menu;
        if (popup.m_strText == LoadString(IDS_MENU_LIST)) m_pListMenu = menu;
        if (popup.m_strText == LoadString(IDS_MENU_VIEW)) m_pViewMenu = menu;
    }
    // The recent files go before Exit.
    QAction* exit = FindAction(*m_pFileMenu, ID_APP_EXIT);
    m_pRecentSeparator = m_pFileMenu->insertSeparator(exit);
    connect(m_pFileMenu, &QMenu::aboutToShow, this, &CMainWindow::UpdateRecentMenu);
    UpdateRecentMenu();

    // Further keys of the project windows.
    struct Extra {
        QKeySequence keys;
        int id;
    } extras[] = {{QKeySequence(Qt::ALT | Qt::Key_Backspace), T::ID_UNDO},
                  {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
                  {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},
                  {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE},
                  {QKeySequence(Qt::Key_F1), ID_HELP},
                  {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
                  {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE}};
    for (const Extra& e : extras) {
        auto* action = new QAction(this);
        action->setShortcut(e.keys);
        int id = e.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action);
    }
}

QAction* CMainWindow::CommandAction(int id) const {
    for (QAction* top : menuBar()->actions())
        if (top->menu())
            if (QAction* a = FindAction(*top->menu(), id)) return a;
    return nullptr;
}

void CMainWindow::UpdateRecentMenu() {
    for (QAction* a : m_recentActions) {
        m_pFileMenu->removeAction(a);
        delete a;
    }
    m_recentActions.clear();
    const auto& files = m_recent.Files();
    QAction* before = m_pRecentSeparator;
    for (size_t i = 0; i < files.size(); ++i) {
        auto* action = new QAction(QString("&%1 %2").arg(i + 1).arg(Q(files[i])), m_pFileMenu);
        int id = ID_FILE_MRU_FIRST + static_cast<int>(i);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_pFileMenu->insertAction(before, action);
        m_recentActions.push_back(action);
    }
    if (!files.empty()) {
        QAction* sep = m_pFileMenu->insertSeparator(before);
        m_recentActions.push_back(sep);
    }
}

void CMainWindow::BuildToolbar() {
    m_pToolBar = addToolBar(tr("Toolbar"));
    m_pToolBar->setObjectName("MainToolbar");
    std::vector<int> ids = CCommandTable::ToolbarIds();
    ids.push_back(0);
    ids.push_back(ID_FILE_PRINT);
    ids.push_back(ID_CONTEXT_HELP);
    for (int id : ids) {
        if (id == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* menuAction = CommandAction(id);
        QString tip = menuAction ? ButtonText(menuAction->text().toStdString()) : QString();
        auto label = kToolbarLabels.find(id);
        QString text = label != kToolbarLabels.end() ? Q(LoadString(label->second)) : tip;
        auto* action = m_pToolBar->addAction(text);
        action->setData(id);
        action->setToolTip(tip.isEmpty() ? text : tip);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
}

void CMainWindow::UpdateToolbar() {
    if (!m_pToolBar) return;
    for (QAction* action : m_pToolBar->actions()) {
        if (action->isSeparator() || !action->data().isValid()) continue;
        CCmdUI ui(action->data().toInt());
        bool known = OnUpdateCommand(ui);
        action->setEnabled(known && ui.m_bEnabled);
    }
}

void CMainWindow::UpdateMenuBar() {
    CProjectFrame* frame = ActiveFrame();
    bool list = frame && frame->GetKind() == CProjectFrame::Kind::List;
    if (m_pPlotMenu) m_pPlotMenu->menuAction()->setVisible(!list);
    if (m_pListMenu) m_pListMenu->menuAction()->setVisible(list);
}

// ---------------------------------------------------------------------------
// Projects and their windows

void CMainWindow::StartUp(const std::string& path) {
    if (!path.empty()) {
        if (OpenProject(path)) return;
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
    UpdateTitles();
    return raw;
}

CModDoc* CMainWindow::OpenProject(const std::string& path) {
    for (const auto& d : m_docs) {
        if (d->GetPathName() == path) {
            auto frames = FramesOf(*d);
            if (!frames.empty()) m_pMdi->setActiveSubWindow(frames.front());
            return d.get();
        }
    }
    auto doc = std::make_unique<CModDoc>();
    CModDoc* raw = doc.get();
    m_docs.push_back(std::move(doc));
    CreatePlotView(*raw);
    if (!raw->OpenProject(path)) {
        m_recent.Remove(path);
        DestroyDocument(raw, false);
        return nullptr;
    }
    m_recent.Add(path);
    // Plots show the data the project holds, each under the name it was saved with.
    for (CKalvoData* data : {&raw->m_FreqData, &raw->m_TimeData}) {
        if (data->IsEmpty()) continue;
        raw->m_strSourceTitle = data->m_strName;
        raw->OpenPlot(0, false, *data);
    }
    SetStatusText(LoadString(IDS_READY));
    UpdateTitles();
    return raw;
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

CView* CMainWindow::CreatePlotView(CKalvoraDoc& doc) {
    CModDoc* d = Find(doc);
    if (!d) return nullptr;
    auto* frame = new CProjectFrame(*this, *d, CProjectFrame::Kind::Plot);
    m_pMdi->addSubWindow(frame);
    frame->show();
    m_pMdi->setActiveSubWindow(frame);
    CView* view = frame->View();
    view->OnInitialUpdate();
    UpdateTitles();
    return view;
}

CView* CMainWindow::CreateListView(CKalvoraDoc& doc) {
    CModDoc* d = Find(doc);
    if (!d) return nullptr;
    auto* frame = new CProjectFrame(*this, *d, CProjectFrame::Kind::List);
    m_pMdi->addSubWindow(frame);
    frame->resize(640, 480);
    frame->show();
    m_pMdi->setActiveSubWindow(frame);
    CView* view = frame->View();
    view->OnInitialUpdate();
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
        f->show();
        m_pMdi->setActiveSubWindow(f);
    }
}

void CMainWindow::MaximizeView(CView& view) {
    if (CProjectFrame* f = FrameOf(view)) {
        f->showMaximized();
        f->update();
    }
}

void CMainWindow::DestroyDocument(CModDoc* doc, bool later) {
    auto destroy = [this, doc] {
        m_bClosingDocument = true;
        for (CProjectFrame* f : FramesOf(*doc)) delete f;
        m_bClosingDocument = false;
        auto it = std::find_if(m_docs.begin(), m_docs.end(), [doc](const auto& d) { return d.get() == doc; });
        if (it != m_docs.end()) m_docs.erase(it);
        UpdateTitles();
        UpdateMenuBar();
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
    if (FramesOf(doc).size() > 1) return true;
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
            if (frames.size() > 1) title += QString(":%1").arg(i + 1);
            frames[i]->setWindowTitle(title);
        }
    }
}

// ---------------------------------------------------------------------------
// Commands

bool CMainWindow::OnCommand(int id) {
    bool handled = RunGuarded([&] {
        if (CListWindow* list = ActiveList()) {
            switch (id) {
                case ID_EDIT_UNDO_TEXT: list->undo(); return;
                case ID_EDIT_CUT: list->cut(); return;
                case ID_EDIT_COPY: list->copy(); return;
                case ID_EDIT_PASTE: list->paste(); return;
                case ID_LIST_FONT: list->ChooseFont(); return;
                default: break;
            }
        }
        if (CGraph* graph = ActiveGraph())
            if (graph->OnCommand(id)) return;
        if (CCommandTable::Find(id)) {
            CModDoc* doc = ActiveDocument();
            if (!doc) return;
            bool save = id == T::ID_SAVE_PROJECT;
            CCommandTable::Execute(*doc, id);
            if (save && Find(*doc) && !doc->GetPathName().empty() && !doc->IsModified())
                m_recent.Add(doc->GetPathName());
            return;
        }
        OnAppCommand(id);
    });
    UpdateTitles();
    UpdateToolbar();
    return handled;
}

bool CMainWindow::OnUpdateCommand(CCmdUI& ui) {
    const int id = ui.m_nId;
    if (ActiveList()) {
        switch (id) {
            case ID_EDIT_UNDO_TEXT:
            case ID_EDIT_CUT:
            case ID_EDIT_COPY:
            case ID_EDIT_PASTE:
            case ID_LIST_FONT: ui.m_bEnabled = true; return true;
            default: break;
        }
    }
    if (CGraph* graph = ActiveGraph())
        if (graph->OnUpdateCommand(ui)) return true;
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
            ui.m_nCheck = m_pToolBar && m_pToolBar->isVisible() ? 1 : 0;
            return true;
        case ID_VIEW_STATUS_BAR: ui.m_nCheck = statusBar()->isVisible() ? 1 : 0; return true;
        case ID_FILE_PRINT:
        case ID_FILE_PRINT_PREVIEW:
        case ID_FILE_PRINT_SETUP:
        case ID_PLOT_WRITE_DATA: ui.m_bEnabled = false; return true;  // no plot is active
        case ID_EDIT_UNDO_TEXT:
        case ID_EDIT_CUT:
        case ID_EDIT_COPY:
        case ID_EDIT_PASTE:
        case ID_LIST_FONT: ui.m_bEnabled = false; return true;
        case ID_FILE_NEW:
        case ID_FILE_OPEN:
        case ID_APP_EXIT:
        case ID_APP_ABOUT:
        case ID_HELP_CONTENTS:
        case ID_HELP_INDEX:
        case ID_HELP_SEARCH:
        case ID_CONTEXT_HELP:
        case ID_HELP:
        case ID_VIEW_PREFERENCES:
        case ID_WINDOW_CASCADE:
        case ID_WINDOW_TILE:
        case ID_WINDOW_ARRANGE:
        case ID_NEXT_PANE:
        case ID_PREV_PANE: ui.m_bEnabled = true; return true;
        default: break;
    }
    if (ui.m_nId >= ID_FILE_MRU_FIRST && ui.m_nId < ID_FILE_MRU_FIRST + CRecentFileList::kSize) return true;
    return false;
}

bool CMainWindow::OnAppCommand(int id) {
    if (id >= ID_FILE_MRU_FIRST && id < ID_FILE_MRU_FIRST + CRecentFileList::kSize) {
        size_t index = static_cast<size_t>(id - ID_FILE_MRU_FIRST);
        if (index < m_recent.Files().size()) OpenProject(m_recent.Files()[index]);
        return true;
    }
    switch (id) {
        case ID_FILE_NEW: NewProject(); return true;
        case ID_FILE_OPEN: CommandOpen(); return true;
        case ID_FILE_SAVE_AS: CommandSaveAs(); return true;
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
        case ID_VIEW_TOOLBAR: m_pToolBar->setVisible(!m_pToolBar->isVisible()); return true;
        case ID_VIEW_STATUS_BAR: statusBar()->setVisible(!statusBar()->isVisible()); return true;
        case ID_VIEW_PREFERENCES: CommandPreferences(); return true;
        case ID_WINDOW_CASCADE: m_pMdi->cascadeSubWindows(); return true;
        case ID_WINDOW_TILE: m_pMdi->tileSubWindows(); return true;
        case ID_WINDOW_ARRANGE: m_pMdi->tileSubWindows(); return true;
        case ID_NEXT_PANE: m_pMdi->activateNextSubWindow(); return true;
        case ID_PREV_PANE: m_pMdi->activatePreviousSubWindow(); return true;
        default: return false;
    }
}

void CMainWindow::CommandOpen() {
    auto path = m_platform.GetOpenFileName(ButtonText(LoadString(IDS_SHELL_OPEN_PROJECT)).toStdString(),
                                           LoadString(IDS_PROJECT_FILTER), {});
    if (path && !path->empty()) OpenProject(*path);
}

void CMainWindow::CommandSaveAs() {
    CModDoc* doc = ActiveDocument();
    if (!doc) return;
    auto path = m_platform.GetSaveFileName(LoadString(IDS_SAVE_AS_TITLE), LoadString(IDS_PROJECT_FILTER),
                                           doc->GetPathName().empty() ? doc->DisplayTitle() : doc->GetPathName());
    if (!path || path->empty()) return;
    std::string chosen = *path;
    if (chosen.find('.', chosen.find_last_of('/') == std::string::npos ? 0 : chosen.find_last_of('/')) ==
        std::string::npos)
        chosen += ".kvp";
    if (doc->SaveProject(chosen)) m_recent.Add(chosen);
}

void CMainWindow::CommandPreferences() {
    CPreferences prefs;
    prefs.Load();
    RunDialog(prefs);
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
    m_bClosingDocument = true;
    event->accept();
}

void CMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainWindow::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) OpenProject(url.toLocalFile().toStdString());
}

}  // namespace kv
