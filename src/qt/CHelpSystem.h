#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QAction;
class QMainWindow;
class QWidget;

namespace kv {

class CDialogModel;
struct CControl;
class CHelpManual;
class CHelpWindow;

// The program's one help system: the manual, the one help window, F1 for
// the active window or dialog, Shift+F1 context help, and the What's-This
// texts of menu commands, toolbar buttons and dialog fields.
class CHelpSystem : public QObject {
    Q_OBJECT
public:
    // Installs itself as the program's help system; main is the main window.
    explicit CHelpSystem(QWidget* main, const QString& root = QStringLiteral(":/manual"));
    ~CHelpSystem() override;

    // The help system of the running program, or nullptr.
    static CHelpSystem* Instance();

    const CHelpManual& Manual() const { return *m_pManual; }
    // The help window (made on first use).
    CHelpWindow& Window();
    bool HasWindow() const;

    void ShowContents();
    void ShowIndex();
    void ShowSearch();
    void ShowPage(const QString& page);
    // F1: the page of the active dialog or window.
    void ShowContextHelp();
    // Shift+F1: the next click shows the What's-This text of what it hits.
    static void EnterContextHelpMode();
    // The page F1 would show now.
    QString ContextPage() const;

    // What's-This texts for every action of the window that carries a
    // command number (menus, toolbar): the command's menu text, its status
    // text (given by statusText, may be empty) and the first paragraph of
    // its page. Actions a menu makes each time it opens (the recent files)
    // get theirs when it opens.
    void AttachCommands(QWidget& window, const std::function<std::string(int)>& statusText);
    // Ties a dialog's panel of controls to the dialog's page: F1 there opens
    // it, and every control gets its field's text as What's-This.
    void AttachDialog(QWidget& panel, const CDialogModel& model, const std::function<QWidget*(int)>& widgetOf);
    // The class name of a dialog model as the manual's map names it ("CScaleDlg").
    static QString DialogClassName(const CDialogModel& model);
    // The names under which a control of a dialog is looked up on its page,
    // most specific first: its label and caption, the name of the control
    // before it in its row, its group's caption, the dialog's title.
    static QStringList FieldNames(const CDialogModel& model, const CControl& control);
    // The What's-This text of one control of a dialog (empty without a page).
    QString FieldWhatsThis(const CDialogModel& model, int controlId) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DescribeActions(const QList<QAction*>& actions);
    void Present();
    void KeepUsable();

    QWidget* m_pMain;
    std::function<std::string(int)> m_statusText;
    std::map<int, QString> m_menuTexts;
    std::unique_ptr<CHelpManual> m_pManual;
    QPointer<CHelpWindow> m_pWindow;
    QPointer<QWidget> m_pModalOwner;
};

}  // namespace kv
