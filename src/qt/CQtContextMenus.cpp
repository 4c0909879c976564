#include "qt/CQtContextMenus.h"

#include <QAction>
#include <QMenu>
#include <QPoint>

#include "platform/ICommandTarget.h"
#include "qt/CQtCommandMenu.h"

namespace kv {

void CQtContextMenus::TrackPopupMenu(const CMenuItem& popup, ICommandTarget& target, int screenX, int screenY) {
    QMenu menu;
    ICommandTarget* t = &target;
    CQtCommandMenu::Fill(menu, popup, [t] { return t; }, false);
    QAction* chosen = menu.exec(QPoint(screenX, screenY));
    if (chosen && chosen->data().isValid()) target.OnCommand(chosen->data().toInt());
}

}  // namespace kv
