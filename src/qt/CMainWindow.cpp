#include "qt/CMainWindow.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "generate/CModDoc.h"
#include "platform/StringTable.h"
#include "qt/CProjectWindow.h"
#include "qt/CQtPlatform.h"

namespace kv {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

CMainWindow::CMainWindow(CQtPlatform& platform) : m_platform(platform), m_pMdi(new QMdiArea(this)) {
    setWindowTitle(Q(LoadString(IDS_APP_NAME)));
    setCentralWidget(m_pMdi);
    CreateMenus();
    statusBar()->showMessage(Q(LoadString(IDS_READY)));
    platform.SetMainWindow(this);
    platform.Platform().SetWindows(this);
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { UpdateTitles(); });
    resize(1200, 800);
}

CMainWindow::~CMainWindow() {
    m_bClosingDocument = true;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList()) delete sub;
    m_docs.clear();
    m_platform.Platform().SetWindows(nullptr);
    m_platform.SetMainWindow(nullptr);
}

void CMainWindow::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* newProject = file->addAction(tr("&New Project..."), this, [this] { NewProject(); });
    newProject->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newProject->setStatusTip(tr("Create a new project"));
    file->addAction(tr("&Close Project"), this, [this] { RunGuarded([this] { CommandCloseProject(); }); });
    file->addSeparator();
    file->addAction(tr("E&xit"), this, [this] { close(); });

    QMenu* signal = menuBar()->addMenu(tr("&Signal"));
    signal->addAction(tr("&Decibels..."), this, [this] { RunGuarded([this] { CommandDecibels(); }); });

    QMenu* window = menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("&Cascade"), m_pMdi, &QMdiArea::cascadeSubWindows);
    window->addAction(tr("&Tile"), m_pMdi, &QMdiArea::tileSubWindows);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&About Kalvora..."), this, [this] {
        QMessageBox::about(this, tr("About"), tr("Kalvora %1\nSignal-analysis workbench").arg(KALVORA_VERSION));
    });

    QToolBar* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setObjectName("MainToolbar");
    toolbar->addAction(newProject);
}

CModDoc* CMainWindow::NewProject() {
    auto doc = std::make_unique<CModDoc>();
    CModDoc* raw = doc.get();
    raw->SetTitle(LoadString(IDS_DEFAULT_DOC_NAME) + std::to_string(m_nNextNumber++));
    m_docs.push_back(std::move(doc));
    CreatePlotView(*raw);
    raw->NewProject();
    return raw;
}

CModDoc* CMainWindow::ActiveDocument() const {
    QMdiSubWindow* sub = m_pMdi->currentSubWindow();
    if (!sub) sub = m_pMdi->activeSubWindow();
    if (sub)
        if (auto* w = qobject_cast<CProjectWindow*>(sub->widget())) return &w->Document();
    return m_docs.empty() ? nullptr : m_docs.front().get();
}

CModDoc* CMainWindow::Find(CKalvoraDoc& doc) const {
    for (const auto& d : m_docs)
        if (d.get() == &doc) return d.get();
    return nullptr;
}

CView* CMainWindow::CreatePlotView(CKalvoraDoc& doc) {
    CModDoc* d = Find(doc);
    if (!d) return nullptr;
    auto* window = new CProjectWindow(*this, *d);
    QMdiSubWindow* sub = m_pMdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    m_pMdi->setActiveSubWindow(sub);
    UpdateTitles();
    return window;
}

CView* CMainWindow::CreateListView(CKalvoraDoc& doc) { return CreatePlotView(doc); }

QMdiSubWindow* CMainWindow::FrameOf(CView& view) const {
    for (QMdiSubWindow* sub : m_pMdi->subWindowList())
        if (auto* w = dynamic_cast<CView*>(sub->widget()); w == &view) return sub;
    return nullptr;
}

void CMainWindow::ActivateView(CView& view) {
    if (QMdiSubWindow* sub = FrameOf(view)) {
        sub->show();
        m_pMdi->setActiveSubWindow(sub);
    }
}

void CMainWindow::MaximizeView(CView& view) {
    if (QMdiSubWindow* sub = FrameOf(view)) {
        sub->showMaximized();
        sub->update();
    }
}

void CMainWindow::DestroyDocumentLater(CModDoc* doc) {
    QTimer::singleShot(0, this, [this, doc] {
        auto it = std::find_if(m_docs.begin(), m_docs.end(), [doc](const auto& d) { return d.get() == doc; });
        if (it != m_docs.end()) m_docs.erase(it);
        UpdateTitles();
    });
}

void CMainWindow::CloseDocument(CKalvoraDoc& doc) {
    CModDoc* d = Find(doc);
    if (!d) return;
    m_bClosingDocument = true;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList())
        if (auto* w = qobject_cast<CProjectWindow*>(sub->widget()); w && &w->Document() == d) sub->close();
    m_bClosingDocument = false;
    DestroyDocumentLater(d);
}

bool CMainWindow::SaveModified(CModDoc& doc) {
    if (!doc.IsModified()) return true;
    MsgAnswer answer = m_platform.ShowMessage(FormatString(IDS_SAVE_CHANGES, doc.GetTitle()), MsgIcon::Exclamation,
                                              MsgButtons::YesNoCancel);
    return answer != MsgAnswer::Cancel;
}

bool CMainWindow::CanCloseView(CProjectWindow& window) {
    if (m_bClosingDocument) return true;
    CModDoc& doc = window.Document();
    int windows = 0;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList())
        if (auto* w = qobject_cast<CProjectWindow*>(sub->widget()); w && &w->Document() == &doc) ++windows;
    if (windows > 1) return true;
    if (!SaveModified(doc)) return false;
    DestroyDocumentLater(&doc);
    return true;
}

void CMainWindow::CommandCloseProject() {
    CModDoc* doc = ActiveDocument();
    if (!doc || !SaveModified(*doc)) return;
    doc->CloseProject();
}

void CMainWindow::CommandDecibels() {
    CModDoc* doc = ActiveDocument();
    if (!doc) return;
    if (RunDialog(doc->m_RefDlg)) {
        doc->UpdateDbReference();
        doc->SetModified(true);
        doc->UpdateViews(0, nullptr);
    }
}

void CMainWindow::UpdateTitles() {
    for (const auto& doc : m_docs) {
        std::vector<QMdiSubWindow*> frames;
        for (QMdiSubWindow* sub : m_pMdi->subWindowList())
            if (auto* w = qobject_cast<CProjectWindow*>(sub->widget()); w && &w->Document() == doc.get())
                frames.push_back(sub);
        for (size_t i = 0; i < frames.size(); ++i) {
            QString title = Q(doc->GetTitle());
            if (frames.size() > 1) title += QString(":%1").arg(i + 1);
            frames[i]->setWindowTitle(title);
        }
    }
}

void CMainWindow::closeEvent(QCloseEvent* event) {
    for (const auto& doc : m_docs) {
        if (!SaveModified(*doc)) {
            event->ignore();
            return;
        }
    }
    m_bClosingDocument = true;
    event->accept();
}

}  // namespace kv
