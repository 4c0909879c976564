#include "plot/CShareAppPlot.h"

#include "platform/CPlatform.h"

namespace kv {

CShareAppPlot::~CShareAppPlot() {
    if (m_bBusy) Platform().Status().EndWaitCursor();
}

void CShareAppPlot::SetStatusText(const std::string& text) { Platform().Status().SetStatusText(text); }

void CShareAppPlot::ShowBusyStatus(const std::string& text) {
    SetStatusText(text);
    if (!m_bBusy) {
        Platform().Status().BeginWaitCursor();
        m_bBusy = true;
    }
}

void CShareAppPlot::ShowDoneStatus(const std::string& text) {
    SetStatusText(text);
    if (m_bBusy) {
        Platform().Status().EndWaitCursor();
        m_bBusy = false;
    }
}

}  // namespace kv
