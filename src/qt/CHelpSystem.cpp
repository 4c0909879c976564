#include "qt/CHelpSystem.h"

#include <cstdlib>
#include <cxxabi.h>
#include <map>
#include <typeinfo>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QWhatsThis>

#include "platform/CDialogModel.h"
#include "platform/StringTable.h"
#include "qt/CHelpManual.h"
#include "qt/CHelpWindow.h"

namespace kv {

namespace {

CHelpSystem* g_pInstance = nullptr;

const char* const kPageProperty = "kalvoraHelpPage";

QString Escaped(const QString& s) { return s.toHtmlEscaped(); }

QString MenuText(const QString& text) {
    QString s = text;
    const qsizetype tab = s.indexOf(QLatin1Char('\t'));
    if (tab >= 0) s = s.left(tab);
    s.remove(QLatin1Char('&'));
    return s.trimmed();
}

}  // namespace

CHelpSystem::CHelpSystem(QWidget* main, const QString& root)
    : QObject(main), m_pMain(main), m_pManual(std::make_unique<CHelpManual>(root)) {
    g_pInstance = this;
    qApp->installEventFilter(this);
}

CHelpSystem::~CHelpSystem() {
    qApp->removeEventFilter(this);
    if (m_pModalOwner) m_pModalOwner->removeEventFilter(this);
    delete m_pWindow.data();
    if (g_pInstance == this) g_pInstance = nullptr;
}

CHelpSystem* CHelpSystem::Instance() { return g_pInstance; }

bool CHelpSystem::HasWindow() const { return !m_pWindow.isNull(); }

CHelpWindow& CHelpSystem::Window() {
    if (!m_pWindow) {
        m_pWindow = new CHelpWindow(*m_pManual, nullptr);
        m_pWindow->setAttribute(Qt::WA_QuitOnClose, false);
        if (m_pMain) m_pWindow->setWindowIcon(m_pMain->windowIcon());
    }
    return *m_pWindow;
}

void CHelpSystem::KeepUsable() {
    CHelpWindow& window = Window();
    // A modal dialog blocks every window but its own: while one is open the
    // help window belongs to it, and goes back to being a window of its own
    // when the dialog closes.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == &window) return;
    QWidget* owner = modal ? modal : nullptr;
    if (window.parentWidget() == owner) return;
    const QRect geometry = window.geometry();
    const bool visible = window.isVisible();
    window.setParent(owner, Qt::Window);
    window.setGeometry(geometry);
    if (m_pModalOwner) m_pModalOwner->removeEventFilter(this);
    m_pModalOwner = owner;
    if (owner) owner->installEventFilter(this);
    if (visible) window.show();
}

void CHelpSystem::Present() {
    KeepUsable();
    CHelpWindow& window = Window();
    window.show();
    window.raise();
    window.activateWindow();
}

void CHelpSystem::ShowContents() {
    CHelpWindow& window = Window();
    window.ShowTab(CHelpWindow::Tab::Contents);
    Present();
}

void CHelpSystem::ShowIndex() {
    CHelpWindow& window = Window();
    window.ShowTab(CHelpWindow::Tab::Index);
    Present();
}

void CHelpSystem::ShowSearch() {
    CHelpWindow& window = Window();
    window.ShowTab(CHelpWindow::Tab::Search);
    window.RunSearch(window.SearchEdit()->text());
    Present();
}

void CHelpSystem::ShowPage(const QString& page) {
    Window().ShowPage(page);
    Present();
}

void CHelpSystem::ShowContextHelp() {
    const QString page = ContextPage();
    if (page.isEmpty())
        ShowContents();
    else
        ShowPage(page);
}

void CHelpSystem::EnterContextHelpMode() {
    if (!QWhatsThis::inWhatsThisMode()) QWhatsThis::enterWhatsThisMode();
}

QString CHelpSystem::ContextPage() const {
    QWidget* start = QApplication::activeModalWidget();
    QWidget* focus = QApplication::focusWidget();
    if (!start || (focus && start->isAncestorOf(focus))) start = focus;
    if (!start) start = QApplication::activeWindow();
    if (m_pWindow && start && (start == m_pWindow || m_pWindow->isAncestorOf(start))) start = nullptr;
    for (QWidget* w = start; w; w = w->parentWidget()) {
        const QString page = w->property(kPageProperty).toString();
        if (!page.isEmpty()) return page;
        const QString byClass = m_pManual->PageForWindow(QString::fromLatin1(w->metaObject()->className()));
        if (!byClass.isEmpty()) return byClass;
        if (w->isWindow() && w != m_pMain) {
            // A dialog with nothing focused: the page of the controls it
            // shows (of a property sheet, the page on top).
            for (QWidget* child : w->findChildren<QWidget*>()) {
                const QString childPage = child->property(kPageProperty).toString();
                if (!childPage.isEmpty() && child->isVisibleTo(w)) return childPage;
            }
            break;
        }
    }
    if (m_pMain && (!start || start->window() == m_pMain)) {
        if (auto* mdi = m_pMain->findChild<QMdiArea*>()) {
            QMdiSubWindow* sub = mdi->activeSubWindow() ? mdi->activeSubWindow() : mdi->currentSubWindow();
            if (sub && sub->widget()) {
                const QString page =
                    m_pManual->PageForWindow(QString::fromLatin1(sub->widget()->metaObject()->className()));
                if (!page.isEmpty()) return page;
            }
        }
        return m_pManual->PageForWindow(QString::fromLatin1(m_pMain->metaObject()->className()));
    }
    return {};
}

void CHelpSystem::AttachCommands(QWidget& window, const std::function<std::string(int)>& statusText) {
    m_statusText = statusText;
    const QList<QAction*> actions = window.findChildren<QAction*>();
    // A toolbar button goes by the name of its menu command.
    for (QAction* action : actions) {
        bool ok = false;
        const int id = action->data().toInt(&ok);
        if (ok && qobject_cast<QMenu*>(action->parent())) m_menuTexts.emplace(id, action->text());
    }
    DescribeActions(actions);
    for (QMenu* menu : window.findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { DescribeActions(menu->actions()); });
}

void CHelpSystem::DescribeActions(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        bool ok = false;
        const int id = action->data().toInt(&ok);
        if (!ok || action->isSeparator() || action->menu() || !action->whatsThis().isEmpty()) continue;
        const QString page = m_pManual->PageForCommand(id);
        if (page.isEmpty()) continue;
        QString status = m_statusText ? QString::fromStdString(m_statusText(id)) : QString();
        if (qsizetype nl = status.indexOf(QLatin1Char('\n')); nl >= 0) status = status.left(nl);
        auto menuText = m_menuTexts.find(id);
        const QString name = menuText != m_menuTexts.end() && !qobject_cast<QMenu*>(action->parent())
                                 ? menuText->second
                                 : action->text();
        QString html = QStringLiteral("<p><b>%1</b></p>").arg(Escaped(MenuText(name)));
        if (!status.isEmpty()) html += QStringLiteral("<p>%1</p>").arg(Escaped(status));
        const QString summary = m_pManual->Summary(page);
        if (!summary.isEmpty() && summary != status) html += QStringLiteral("<p>%1</p>").arg(Escaped(summary));
        html += QStringLiteral("<p><i>%1</i></p>")
                    .arg(Escaped(QString::fromStdString(FormatString(IDS_HELP_FIELD_SEE_PAGE,
                                                                     m_pManual->Title(page).toStdString()))));
        action->setWhatsThis(html);
    }
}

QString CHelpSystem::DialogClassName(const CDialogModel& model) {
    const char* mangled = typeid(model).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled : mangled);
    std::free(demangled);
    const qsizetype colon = name.lastIndexOf(QLatin1String("::"));
    return colon >= 0 ? name.mid(colon + 2) : name;
}

QStringList CHelpSystem::FieldNames(const CDialogModel& model, const CControl& control) {
    QStringList names;
    auto add = [&names](const std::string& text) {
        const QString name = QString::fromStdString(text);
        if (!CHelpManual::NormalizeLabel(name).isEmpty()) names << name;
    };
    add(control.m_strLabel);
    add(control.m_strCaption);
    // A field without a name of its own (the edit beside a radio button)
    // goes by the name of what stands before it in its row.
    const CControl* before = nullptr;
    for (const CControl& c : model.Controls()) {
        if (&c == &control) break;
        if (c.m_nGroup == control.m_nGroup && c.m_nRow == control.m_nRow) before = &c;
    }
    if (before && names.isEmpty()) {
        add(before->m_strLabel);
        add(before->m_strCaption);
    }
    if (control.m_nGroup >= 0 && control.m_nGroup < static_cast<int>(model.Groups().size()))
        add(model.Groups()[static_cast<size_t>(control.m_nGroup)]);
    add(model.m_strTitle);
    return names;
}

QString CHelpSystem::FieldWhatsThis(const CDialogModel& model, int controlId) const {
    const QString page = m_pManual->PageForDialog(DialogClassName(model));
    const CControl* control = model.FindControl(controlId);
    if (page.isEmpty() || !control) return {};
    const QStringList names = FieldNames(model, *control);
    QString text;
    for (const QString& name : names) {
        text = m_pManual->FieldHelp(page, name);
        if (!text.isEmpty()) break;
    }
    if (text.isEmpty()) text = m_pManual->Summary(page);
    QString html;
    if (!names.isEmpty()) html += QStringLiteral("<p><b>%1</b></p>").arg(Escaped(MenuText(names.front())));
    html += QStringLiteral("<p>%1</p>").arg(Escaped(text));
    html += QStringLiteral("<p><i>%1</i></p>")
                .arg(Escaped(QString::fromStdString(
                    FormatString(IDS_HELP_FIELD_SEE_PAGE, m_pManual->Title(page).toStdString()))));
    return html;
}

void CHelpSystem::AttachDialog(QWidget& panel, const CDialogModel& model,
                               const std::function<QWidget*(int)>& widgetOf) {
    const QString page = m_pManual->PageForDialog(DialogClassName(model));
    if (page.isEmpty()) return;
    panel.setProperty(kPageProperty, page);
    for (const CControl& c : model.Controls()) {
        QWidget* widget = widgetOf ? widgetOf(c.m_nId) : nullptr;
        if (widget) widget->setWhatsThis(FieldWhatsThis(model, c.m_nId));
    }
}

bool CHelpSystem::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pModalOwner && event->type() == QEvent::Hide) {
        // The dialog that owned the help window closes: keep the window.
        if (m_pWindow && m_pWindow->parentWidget() == m_pModalOwner) {
            const QRect geometry = m_pWindow->geometry();
            const bool visible = m_pWindow->isVisible();
            m_pWindow->setParent(nullptr, Qt::Window);
            m_pWindow->setGeometry(geometry);
            if (visible) m_pWindow->show();
        }
        m_pModalOwner->removeEventFilter(this);
        m_pModalOwner = nullptr;
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1) return false;
    // The main window's own keys handle F1 and Shift+F1 while no dialog is
    // open; inside a modal dialog the keys come here.
    QWidget* modal = QApplication::activeModalWidget();
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!modal || !widget || !(widget == modal || modal->isAncestorOf(widget))) return false;
    if (m_pWindow && (widget == m_pWindow || m_pWindow->isAncestorOf(widget))) return false;
    if (key->modifiers() == Qt::ShiftModifier) {
        EnterContextHelpMode();
        return true;
    }
    if (key->modifiers() == Qt::NoModifier) {
        ShowContextHelp();
        return true;
    }
    return false;
}

}  // namespace kv
