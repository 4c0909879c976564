#pragma once

#include "platform/IContextMenus.h"

namespace kv {

// Context menus as Qt pop-up menus; the chosen command is sent to the
// target after the menu has closed.
class CQtContextMenus : public IContextMenus {
public:
    void TrackPopupMenu(const CMenuItem& popup, ICommandTarget& target, int screenX, int screenY) override;
};

}  // namespace kv
