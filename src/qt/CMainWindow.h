#pragma once
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>

#include "app/CRecentFileList.h"
#include "platform/CMenuItem.h"
#include "platform/ICommandTarget.h"
#include "platform/IWindowManager.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace kv {

class CGraph;
class CHelpSystem;
class CListWindow;
class CModDoc;
class CProjectFrame;
class CQtPlatform;

// The main window: menus, toolbar, status bar and the area holding the
// project windows. It owns the projects, creates, raises and closes their
// windows, and routes every command first to the active view, then to the
// active project, then to itself.
class CMainWindow : public QMainWindow, public IWindowManager, public ICommandTarget {
    Q_OBJECT
public:
    // Commands the application handles (the platform's standard numbers).
    enum AppCommand : int {
        ID_FILE_NEW = 57600,
        ID_FILE_OPEN = 57601,
        ID_FILE_SAVE_AS = 57604,
        ID_FILE_MRU_FIRST = 57616,  // four entries
        ID_APP_EXIT = 57665,
        ID_APP_ABOUT = 57664,
        ID_HELP_CONTENTS = 57668,
        ID_HELP_INDEX = 57667,
        ID_HELP_SEARCH = 57669,
        ID_CONTEXT_HELP = 57670,
        ID_HELP = 57671,  // F1: help for the active window
        ID_VIEW_TOOLBAR = 59392,
        ID_VIEW_STATUS_BAR = 59393,
        ID_VIEW_PREFERENCES = 32771,
        ID_WINDOW_CASCADE = 57650,
        ID_WINDOW_TILE = 57651,
        ID_WINDOW_ARRANGE = 57649,
        ID_NEXT_PANE = 57680,
        ID_PREV_PANE = 57681,
        ID_EDIT_UNDO_TEXT = 57643,  // the same number as the project's Undo
        ID_EDIT_CUT = 57635,
        ID_EDIT_COPY = 57634,
        ID_EDIT_PASTE = 57637,
        ID_LIST_FONT = 32772,
    };

    explicit CMainWindow(CQtPlatform& platform);
    ~CMainWindow() override;

    // Start-up: the project named on the command line, else the most
    // recently used one, else a new project.
    void StartUp(const std::string& path = {});
    CModDoc* NewProject();
    CModDoc* OpenProject(const std::string& path);
    CModDoc* ActiveDocument() const;
    CProjectFrame* ActiveFrame() const;
    const std::vector<std::unique_ptr<CModDoc>>& Documents() const { return m_docs; }
    QMdiArea* MdiArea() const { return m_pMdi; }
    std::vector<CProjectFrame*> FramesOf(const CModDoc& doc) const;
    const CRecentFileList& RecentFiles() const { return m_recent; }

    // IWindowManager
    CView* CreatePlotView(CKalvoraDoc& doc) override;
    CView* CreateListView(CKalvoraDoc& doc) override;
    void ActivateView(CView& view) override;
    void MaximizeView(CView& view) override;
    void CloseDocument(CKalvoraDoc& doc) override;

    // ICommandTarget: the active view, then the project, then the application.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;
    // The action of a command in the menus (for tests and the toolbar).
    QAction* CommandAction(int id) const;

    // Asks whether a project window may close (the last window of a modified
    // project asks to save it first).
    bool CanCloseFrame(CProjectFrame& frame);
    CHelpSystem& Help() const { return *m_pHelp; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    CMenuItem MainMenu() const;
    void BuildMenus();
    void BuildToolbar();
    void UpdateToolbar();
    void UpdateMenuBar();
    void UpdateRecentMenu();
    void UpdateTitles();
    CProjectFrame* FrameOf(CView& view) const;
    CModDoc* Find(const CKalvoraDoc& doc) const;
    void DestroyDocument(CModDoc* doc, bool later);
    CGraph* ActiveGraph() const;
    CListWindow* ActiveList() const;
    bool OnAppCommand(int id);
    bool OnUpdateAppCommand(CCmdUI& ui);
    void CommandOpen();
    void CommandSaveAs();
    void CommandPreferences();

    CQtPlatform& m_platform;
    QMdiArea* m_pMdi;
    CHelpSystem* m_pHelp = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QMenu* m_pPlotMenu = nullptr;
    QMenu* m_pListMenu = nullptr;
    QMenu* m_pViewMenu = nullptr;
    QAction* m_pRecentSeparator = nullptr;
    std::vector<QAction*> m_recentActions;
    std::vector<std::unique_ptr<CModDoc>> m_docs;
    CRecentFileList m_recent;
    int m_nNextNumber = 1;
    bool m_bClosingDocument = false;
};

}  // namespace kv
