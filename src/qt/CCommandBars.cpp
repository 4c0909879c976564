#include "qt/CCommandBars.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QToolBar>

#include "app/CCommandPrompts.h"
#include "app/CCommandTable.h"
#include "platform/ICommandTarget.h"
#include "plot/PlotCommands.h"

namespace kv {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

using T = CCommandTable;
using S = CShellMenus;

}  // namespace

QString CCommandBars::IconFile(int id) {
    static const std::map<int, const char*> files = {
        {T::ID_READ_TIME, "read-time"},
        {T::ID_WRITE_TIME, "write-time"},
        {T::ID_SAMPLING_FREQ, "sampling-frequency"},
        {T::ID_TRANSFORM_OPTIONS, "transform-options"},
        {T::ID_PROCESS, "process"},
        {T::ID_TIME_SET_RANGE, "time-range"},
        {T::ID_TIME_TO_FREQ, "to-frequency"},
        {T::ID_TIME_SCALE, "scale"},
        {T::ID_TIME_WINDOW, "window"},
        {T::ID_GENERATE_WAVEFORM, "generate"},
        {T::ID_FREQ_SET_RANGE, "frequency-range"},
        {T::ID_FREQ_TO_TIME, "to-time"},
        {T::ID_FREQ_SHOW_LIST, "frequency-list"},
        {ID_FILE_PRINT, "print"},
        {S::ID_CONTEXT_HELP, "context-help"},
    };
    auto it = files.find(id);
    return it == files.end() ? QString() : QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(it->second));
}

CCommandBars::CCommandBars(QMainWindow& window, ICommandTarget& target)
    : QObject(&window), m_window(window), m_target(target) {
    for (S::Popup popup : S::AllPopups()) {
        const CMenuItem item = S::Menu(popup);
        auto* menu = new QMenu(Q(item.m_strText), &m_window);
        Fill(*menu, item);
        m_window.menuBar()->addMenu(menu);
        m_menus[popup] = menu;
    }
    BuildToolBar();
    BuildAccelerators();
    ShowMenus();
}

QAction* CCommandBars::Action(int id) const {
    auto it = m_actions.find(id);
    if (it != m_actions.end()) return it->second;
    // A recent file: its entry in the File menu the frame shows.
    const S::Popup file = m_frame == S::Frame::Empty ? S::Popup::FileEmpty : S::Popup::File;
    auto recent = m_recent.find(Menu(file));
    if (recent == m_recent.end()) return nullptr;
    for (QAction* a : recent->second)
        if (!a->isSeparator() && a->data().toInt() == id) return a;
    return nullptr;
}

QMenu* CCommandBars::Menu(S::Popup popup) const {
    auto it = m_menus.find(popup);
    return it == m_menus.end() ? nullptr : it->second;
}

QAction* CCommandBars::MakeAction(int id, const std::string& text) {
    if (QAction* existing = Action(id)) return existing;
    // The text after "\t" is the key the menu shows; the keys themselves are
    // the accelerators, which also work while the menu is hidden.
    auto* action = new QAction(Q(text), &m_window);
    action->setData(id);
    action->setStatusTip(Q(CCommandPrompts::StatusPrompt(id)));
    QString tip = Q(CCommandPrompts::ToolTip(id));
    if (tip.isEmpty()) {
        tip = Q(text).section(QLatin1Char('\t'), 0, 0);
        tip.remove(QLatin1Char('&'));
    }
    action->setToolTip(tip);
    const QString icon = IconFile(id);
    if (!icon.isEmpty()) action->setIcon(QIcon(icon));
    connect(action, &QAction::triggered, this, [this, id] { m_target.OnCommand(id); });
    m_actions[id] = action;
    return action;
}

bool CCommandBars::eventFilter(QObject* watched, QEvent* event) {
    // A menu shows the prompt of an item under the pointer even while the
    // item is greyed (Qt shows prompts of usable items only).
    if (event->type() == QEvent::MouseMove) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            QAction* action = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (action && !action->isEnabled() && !action->isSeparator() && !m_bForwarding) {
                // The menu handles the move first (it clears the prompt of the
                // item it leaves); the greyed item's prompt comes after.
                m_bForwarding = true;
                QCoreApplication::sendEvent(menu, event);
                m_bForwarding = false;
                QStatusTipEvent tip(action->statusTip());
                QCoreApplication::sendEvent(&m_window, &tip);
                return true;
            }
        }
    }
    return false;
}

void CCommandBars::Fill(QMenu& menu, const CMenuItem& popup) {
    m_allMenus.push_back(&menu);
    menu.installEventFilter(this);
    for (const CMenuItem& item : popup.m_items) {
        if (item.IsSeparator()) {
            menu.addSeparator();
        } else if (item.IsPopup()) {
            QMenu* sub = menu.addMenu(Q(item.m_strText));
            Fill(*sub, item);
        } else {
            menu.addAction(MakeAction(item.m_nId, item.m_strText));
        }
    }
    connect(&menu, &QMenu::aboutToShow, this, &CCommandBars::UpdateStates);
    // A menu that closes ends the prompt of its last highlighted item.
    connect(&menu, &QMenu::aboutToHide, this, [this] {
        QStatusTipEvent tip{QString()};
        QCoreApplication::sendEvent(&m_window, &tip);
    });
}

void CCommandBars::BuildToolBar() {
    m_pToolBar = m_window.addToolBar(tr("Toolbar"));
    m_pToolBar->setObjectName(QStringLiteral("MainToolbar"));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_pToolBar->setIconSize(QSize(22, 22));
    for (int id : S::Toolbar()) {
        if (id == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        if (!action) {
            const CCommand* c = CCommandTable::Find(id);
            action = MakeAction(id, c ? LoadString(c->m_nText) : std::string());
        }
        m_pToolBar->addAction(action);
    }
}

void CCommandBars::BuildAccelerators() {
    for (const S::Accelerator& key : S::Accelerators()) {
        auto* action = new QAction(&m_window);
        action->setShortcut(QKeySequence::fromString(Q(key.m_strKeys)));
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = key.m_nId;
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { m_target.OnCommand(id); });
        m_window.addAction(action);
        m_accelerators.push_back(action);
    }
}

void CCommandBars::SetFrame(S::Frame frame) {
    m_frame = frame;
    ShowMenus();
    UpdateStates();
}

void CCommandBars::ShowMenus() {
    const std::vector<S::Popup> shown = S::MenuBar(m_frame);
    for (const auto& [popup, menu] : m_menus)
        menu->menuAction()->setVisible(std::find(shown.begin(), shown.end(), popup) != shown.end());
}

void CCommandBars::UpdateStates() {
    for (const auto& [id, action] : m_actions) {
        CCmdUI ui(id);
        const bool known = m_target.OnUpdateCommand(ui);
        action->setEnabled(known && ui.m_bEnabled);
        action->setCheckable(known && ui.m_nCheck != 0);
        action->setChecked(known && ui.m_nCheck != 0);
    }
}

void CCommandBars::SetRecentFiles(const std::vector<std::string>& files) {
    for (S::Popup popup : {S::Popup::FileEmpty, S::Popup::File}) {
        QMenu* menu = Menu(popup);
        for (QAction* a : m_recent[menu]) {
            menu->removeAction(a);
            a->deleteLater();
        }
        m_recent[menu].clear();
        QAction* exit = Action(S::ID_APP_EXIT);
        for (size_t i = 0; i < files.size() && i < 4; ++i) {
            auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(Q(files[i])), menu);
            const int id = S::ID_FILE_MRU_FIRST + static_cast<int>(i);
            action->setData(id);
            action->setStatusTip(Q(CCommandPrompts::StatusPrompt(id)));
            connect(action, &QAction::triggered, this, [this, id] { m_target.OnCommand(id); });
            menu->insertAction(exit, action);
            m_recent[menu].push_back(action);
        }
        if (!files.empty()) m_recent[menu].push_back(menu->insertSeparator(exit));
    }
}

}  // namespace kv
