#include "qt/CQtCommandMenu.h"

#include <QAction>
#include <QMenu>

#include "platform/ICommandTarget.h"

namespace kv {

void CQtCommandMenu::UpdateStates(QMenu& menu, ICommandTarget* target) {
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || action->menu() || !action->data().isValid()) continue;
        CCmdUI ui(action->data().toInt());
        bool known = target && target->OnUpdateCommand(ui);
        action->setEnabled(known && ui.m_bEnabled);
        action->setCheckable(known && ui.m_nCheck != 0);
        action->setChecked(known && ui.m_nCheck != 0);
    }
}

void CQtCommandMenu::Fill(QMenu& menu, const CMenuItem& popup, std::function<ICommandTarget*()> target,
                          bool sendCommands) {
    for (const CMenuItem& item : popup.m_items) {
        if (item.IsSeparator()) {
            menu.addSeparator();
        } else if (item.IsPopup()) {
            QMenu* sub = menu.addMenu(QString::fromStdString(item.m_strText));
            Fill(*sub, item, target, sendCommands);
        } else {
            QString text = QString::fromStdString(item.m_strText);
            // Keys the view handles itself are only shown (after a tab), not
            // made shortcuts of the window.
            if (!item.m_strKeys.empty()) text += QLatin1Char('\t') + QString::fromStdString(item.m_strKeys);
            QAction* action = menu.addAction(text);
            action->setData(item.m_nId);
            if (!item.m_strKeys.empty()) action->setProperty(kViewKeysProperty, true);
            if (sendCommands && target) {
                int id = item.m_nId;
                QObject::connect(action, &QAction::triggered, action, [target, id] {
                    if (ICommandTarget* t = target()) t->OnCommand(id);
                });
            }
        }
    }
    QMenu* self = &menu;
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [self, target] { UpdateStates(*self, target ? target() : nullptr); });
}

QMenu* CQtCommandMenu::Create(const CMenuItem& popup, std::function<ICommandTarget*()> target, QWidget* parent) {
    auto* menu = new QMenu(QString::fromStdString(popup.m_strText), parent);
    Fill(*menu, popup, std::move(target), true);
    return menu;
}

}  // namespace kv
