#pragma once

#include <QObject>
#include <QString>

class QStatusBar;

namespace kv {

// The message pane of the status bar: one channel for every text the
// program shows there. The program's texts (progress, "Ready", the
// project's notes) stand in the pane; while a menu item or toolbar button is
// highlighted its prompt stands there instead, and when the highlight ends
// the program's last text comes back. Texts are drawn with the bar's next
// paint, never at once: a status text can come from inside another paint.
class CStatusLine : public QObject {
    Q_OBJECT
public:
    explicit CStatusLine(QStatusBar& bar, const QString& idleText);

    // A text of the program; it stays until the next one.
    void SetText(const QString& text);
    // The prompt of a highlighted command; an empty prompt ends the highlight.
    void ShowPrompt(const QString& prompt);
    // The text the pane shows now.
    QString Shown() const;
    // The program's last text (what the pane shows when nothing is highlighted).
    const QString& Text() const { return m_strText; }
    const QString& Prompt() const { return m_strPrompt; }

private:
    void Show();

    QStatusBar& m_bar;
    QString m_strText;
    QString m_strPrompt;
};

}  // namespace kv
