#pragma once
#include <functional>

#include "platform/CMenuItem.h"

class QMenu;
class QWidget;

namespace kv {

class ICommandTarget;

// Menus of the core shown as Qt menus. Before a menu shows, every command
// item asks its target for its state (enabled, check mark); a command the
// target does not know is disabled.
class CQtCommandMenu {
public:
    // The property of actions whose keys (shown after a tab) belong to a
    // view: they are not window shortcuts.
    static constexpr const char* kViewKeysProperty = "kvViewKeys";

    // Adds the items of a popup description to a menu. With a target getter,
    // chosen commands are sent to the target it gives at that moment;
    // without one, the caller handles the triggered actions (the command
    // number is the action's data).
    static void Fill(QMenu& menu, const CMenuItem& popup, std::function<ICommandTarget*()> target,
                     bool sendCommands);
    // A new menu for a popup description, bound to a target.
    static QMenu* Create(const CMenuItem& popup, std::function<ICommandTarget*()> target, QWidget* parent);
    // Updates the state of the menu's command items from the target.
    static void UpdateStates(QMenu& menu, ICommandTarget* target);
};

}  // namespace kv
