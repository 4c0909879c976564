#pragma once
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QStringList>

#include "app/CRecentFileList.h"
#include "app/CShellMenus.h"
#include "platform/ICommandTarget.h"
#include "platform/IWindowManager.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace kv {

class CCommandBars;
class CGraph;
class CHelpSystem;
class CListWindow;
class CModDoc;
class CProjectFrame;
class CQtPlatform;
class CStatusLine;

// The main window: menus, toolbar, status bar and the area holding the
// project windows. It owns the projects, creates, raises and closes their
// windows, and routes every command first to the active view, then to the
// active project, then to itself.
class CMainWindow : public QMainWindow, public IWindowManager, public ICommandTarget {
    Q_OBJECT
public:
    // Commands the application handles (the platform's standard numbers).
    enum AppCommand : int {
        ID_FILE_NEW = CShellMenus::ID_FILE_NEW,
        ID_FILE_OPEN = CShellMenus::ID_FILE_OPEN,
        ID_FILE_SAVE_AS = CShellMenus::ID_FILE_SAVE_AS,
        ID_FILE_MRU_FIRST = CShellMenus::ID_FILE_MRU_FIRST,
        ID_FILE_GENERATE = CShellMenus::ID_FILE_GENERATE,
        ID_APP_EXIT = CShellMenus::ID_APP_EXIT,
        ID_APP_ABOUT = CShellMenus::ID_APP_ABOUT,
        ID_HELP_CONTENTS = CShellMenus::ID_HELP_CONTENTS,
        ID_HELP_INDEX = CShellMenus::ID_HELP_INDEX,
        ID_HELP_SEARCH = CShellMenus::ID_HELP_SEARCH,
        ID_CONTEXT_HELP = CShellMenus::ID_CONTEXT_HELP,
        ID_HELP = CShellMenus::ID_HELP,
        ID_VIEW_TOOLBAR = CShellMenus::ID_VIEW_TOOLBAR,
        ID_VIEW_STATUS_BAR = CShellMenus::ID_VIEW_STATUS_BAR,
        ID_VIEW_PREFERENCES = CShellMenus::ID_VIEW_PREFERENCES,
        ID_WINDOW_CASCADE = CShellMenus::ID_WINDOW_CASCADE,
        ID_WINDOW_TILE = CShellMenus::ID_WINDOW_TILE,
        ID_WINDOW_ARRANGE = CShellMenus::ID_WINDOW_ARRANGE,
        ID_WINDOW_FIRST = CShellMenus::ID_WINDOW_FIRST,
        ID_NEXT_PANE = CShellMenus::ID_NEXT_PANE,
        ID_PREV_PANE = CShellMenus::ID_PREV_PANE,
        ID_EDIT_UNDO_TEXT = CShellMenus::ID_EDIT_UNDO_TEXT,
        ID_EDIT_CUT = CShellMenus::ID_EDIT_CUT,
        ID_EDIT_COPY = CShellMenus::ID_EDIT_COPY,
        ID_EDIT_PASTE = CShellMenus::ID_EDIT_PASTE,
        ID_LIST_FONT = CShellMenus::ID_LIST_FONT,
    };

    explicit CMainWindow(CQtPlatform& platform);
    ~CMainWindow() override;

    // Start-up: the project named on the command line, else the most
    // recently used one, else a new project.
    void StartUp(const std::string& path = {});
    CModDoc* NewProject();
    CModDoc* OpenProject(const std::string& path);
    // Files handed to the program (dropped on it, or sent by another start
    // of the program): projects are opened, any other file is read as Time
    // Data through the Data Files dialog.
    void OpenFiles(const QStringList& paths);
    CModDoc* ActiveDocument() const;
    CProjectFrame* ActiveFrame() const;
    const std::vector<std::unique_ptr<CModDoc>>& Documents() const { return m_docs; }
    QMdiArea* MdiArea() const { return m_pMdi; }
    std::vector<CProjectFrame*> FramesOf(const CModDoc& doc) const;
    const CRecentFileList& RecentFiles() const { return m_recent; }
    CStatusLine& StatusLine() const { return *m_pStatus; }
    CCommandBars& CommandBars() const { return *m_pBars; }

    // IWindowManager
    CView* CreatePlotView(CKalvoraDoc& doc) override;
    CView* CreateListView(CKalvoraDoc& doc) override;
    void ActivateView(CView& view) override;
    void MaximizeView(CView& view) override;
    void CloseDocument(CKalvoraDoc& doc) override;

    // ICommandTarget: the active view, then the project, then the application.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;
    // The action of a command in the menus and toolbar.
    QAction* CommandAction(int id) const;
    // Enables and checks every command as the projects and windows stand now.
    void UpdateCommandStates();

    // Asks whether a project window may close (the last window of a modified
    // project asks to save it first).
    bool CanCloseFrame(CProjectFrame& frame);
    CHelpSystem& Help() const { return *m_pHelp; }

    // The window's place and size as the settings store keeps them, and the
    // restore that keeps the window on a screen it fits.
    void SaveWindowPlacement();
    void RestoreWindowPlacement();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Keeps the window on one screen, no larger than its free area; keepPlace
    // keeps the size and place it has where they fit.
    void FitOnScreen(bool keepPlace);
    CProjectFrame* AddFrame(CModDoc& doc, bool list);
    void UpdateFrame();
    void UpdateTitles();
    void ScheduleStates();
    void FillWindowMenu();
    void ArrangeIcons();
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
    void CommandGenerate();
    void ReadTimeFile(const std::string& path);
    // Plots of a project just read, the recent files and the status text.
    void ShowOpenedProject(CModDoc& doc);

    CQtPlatform& m_platform;
    QMdiArea* m_pMdi;
    CHelpSystem* m_pHelp = nullptr;
    CCommandBars* m_pBars = nullptr;
    bool m_bFitted = false;  // fitted on its screen after the first show
    CStatusLine* m_pStatus = nullptr;
    std::vector<QAction*> m_windowActions;
    std::vector<std::unique_ptr<CModDoc>> m_docs;
    CRecentFileList m_recent;
    int m_nNextNumber = 1;
    bool m_bClosingDocument = false;
    bool m_bStatesPending = false;
};

}  // namespace kv
