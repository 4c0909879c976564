#pragma once
#include <map>
#include <string>
#include <vector>

#include <QObject>

#include "app/CShellMenus.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace kv {

class ICommandTarget;

// The menu bar, the toolbar and the accelerator keys of the main window.
// Every command has one action, shared by its menu items and its toolbar
// button: its text, icon, tooltip and status prompt, its enabled state and
// check mark. Chosen commands go to the target; before a menu opens, and
// whenever UpdateStates is called, the target gives every command's state.
class CCommandBars : public QObject {
    Q_OBJECT
public:
    CCommandBars(QMainWindow& window, ICommandTarget& target);

    // Shows the menus of a frame (the empty frame, a plot or a list window).
    void SetFrame(CShellMenus::Frame frame);
    CShellMenus::Frame Frame() const { return m_frame; }
    // The action of a command (nullptr for a number no menu or button has).
    QAction* Action(int id) const;
    QMenu* Menu(CShellMenus::Popup popup) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    // The accelerator actions (one per key).
    const std::vector<QAction*>& Accelerators() const { return m_accelerators; }
    // Asks the target for the state of every command.
    void UpdateStates();
    // The recent files, numbered, before Exit in the File menus.
    void SetRecentFiles(const std::vector<std::string>& files);
    // The icon of a toolbar command (null for a command without one).
    static QString IconFile(int id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* MakeAction(int id, const std::string& text);
    void Fill(QMenu& menu, const CMenuItem& popup);
    void BuildToolBar();
    void BuildAccelerators();
    void ShowMenus();

    QMainWindow& m_window;
    ICommandTarget& m_target;
    std::map<int, QAction*> m_actions;
    std::map<CShellMenus::Popup, QMenu*> m_menus;
    std::vector<QMenu*> m_allMenus;
    std::map<QMenu*, std::vector<QAction*>> m_recent;
    std::vector<QAction*> m_accelerators;
    QToolBar* m_pToolBar = nullptr;
    bool m_bForwarding = false;
    CShellMenus::Frame m_frame = CShellMenus::Frame::Plot;
};

}  // namespace kv
