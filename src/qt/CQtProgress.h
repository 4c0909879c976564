#pragma once
#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QString>

class QEvent;

namespace kv {

// The progress of a long operation in the main window's status bar: the
// message pane shows the operation's text with the percentage done, and a
// progress bar and a Cancel button appear beside it. While it is shown, Esc
// or a click on Cancel asks the operation to stop, and every other key press,
// click and attempt to close a window is held back, so that no command starts
// while one runs.
class CQtProgress : public QObject {
    Q_OBJECT
public:
    explicit CQtProgress(QMainWindow* window);
    ~CQtProgress() override;

    // Shows the text and percentage, lets the window take pending events,
    // and returns true when the user has asked to stop.
    bool Show(const QString& text, int percent);
    // Takes the progress bar away.
    void End();
    bool IsShown() const { return m_bActive; }

    QProgressBar* Bar() const { return m_pBar; }
    QPushButton* CancelButton() const { return m_pCancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QMainWindow> m_pWindow;
    QPointer<QProgressBar> m_pBar;
    QPointer<QPushButton> m_pCancel;
    bool m_bActive = false;
    bool m_bStop = false;
};

}  // namespace kv
