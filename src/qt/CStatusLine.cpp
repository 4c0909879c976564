#include "qt/CStatusLine.h"

#include <QStatusBar>

namespace kv {

CStatusLine::CStatusLine(QStatusBar& bar, const QString& idleText)
    : QObject(&bar), m_bar(bar), m_strText(idleText) {
    Show();
}

void CStatusLine::SetText(const QString& text) {
    m_strText = text;
    Show();
}

void CStatusLine::ShowPrompt(const QString& prompt) {
    m_strPrompt = prompt;
    Show();
}

QString CStatusLine::Shown() const { return m_strPrompt.isEmpty() ? m_strText : m_strPrompt; }

void CStatusLine::Show() {
    // showMessage schedules the repaint of the bar with update().
    if (m_bar.currentMessage() != Shown()) m_bar.showMessage(Shown());
}

}  // namespace kv
