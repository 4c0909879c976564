#pragma once

#include "platform/CMenuItem.h"

namespace kv {

class ICommandTarget;

// Pop-up (context) menus of the platform.
class IContextMenus {
public:
    virtual ~IContextMenus() = default;
    // Shows the items of a popup at a screen position, opened with the right
    // button. The target gives the state of every item and receives the
    // command chosen (after the menu has closed).
    virtual void TrackPopupMenu(const CMenuItem& popup, ICommandTarget& target, int screenX, int screenY) = 0;
};

}  // namespace kv
