#include "platform/CProgress.h"

#include "platform/CPlatform.h"

namespace kv {

namespace {

std::string g_strLastStatus;
std::chrono::milliseconds g_showDelay{500};
// Shortest time between two updates of the shown progress.
constexpr std::chrono::milliseconds kUpdateInterval{100};

}  // namespace

CProgress* CProgress::s_pCurrent = nullptr;

CProgress::CProgress(const std::string& text)
    : m_strText(text.empty() ? g_strLastStatus : text), m_start(Clock::now()), m_pOuter(s_pCurrent) {
    s_pCurrent = this;
}

CProgress::~CProgress() {
    s_pCurrent = m_pOuter;
    if (m_bShown) {
        Platform().Status().EndProgress();
        // The outer operation's text comes back at its next step.
        if (m_pOuter) m_pOuter->m_nLastPercent = -1;
    }
}

void CProgress::Step(uint64_t done, uint64_t total) {
    const Clock::time_point now = Clock::now();
    if (now - m_start < g_showDelay) return;
    const int percent = total == 0 ? 0 : static_cast<int>(done >= total ? 100 : done * 100 / total);
    if (m_bShown && (now - m_lastShown < kUpdateInterval)) return;
    m_bShown = true;
    m_lastShown = now;
    m_nLastPercent = percent;
    if (Platform().Status().ShowProgress(m_strText, percent)) throw COperationCancelled{};
}

const std::string& CProgress::LastStatusText() { return g_strLastStatus; }

void CProgress::NoteStatusText(const std::string& text) { g_strLastStatus = text; }

std::chrono::milliseconds CProgress::SetShowDelay(std::chrono::milliseconds delay) {
    const std::chrono::milliseconds previous = g_showDelay;
    g_showDelay = delay;
    return previous;
}

}  // namespace kv
