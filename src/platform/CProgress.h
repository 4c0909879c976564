#pragma once
#include <chrono>
#include <cstdint>
#include <string>

namespace kv {

// Thrown out of a long operation that the user asked to stop. Whoever runs
// the operation catches it and puts the project back as it was.
struct COperationCancelled {};

// The progress of a long operation, in the status bar: nothing during its
// first half second (most operations end before), then the status text with
// the percentage done and a progress bar, about ten times a second. Step
// raises COperationCancelled once the user has asked to stop.
//
// Progress objects nest: work deep inside an operation (a file read, a
// transform) reports through ReportProgress to the innermost one alive.
class CProgress {
public:
    // The text shown with the percentage; empty: the status text shown when
    // the operation began.
    explicit CProgress(const std::string& text = {});
    ~CProgress();
    CProgress(const CProgress&) = delete;
    CProgress& operator=(const CProgress&) = delete;

    // `done` of `total` units are done. Cheap enough to call every few
    // thousand values.
    void Step(uint64_t done, uint64_t total);
    // Whether the progress has been shown.
    bool Shown() const { return m_bShown; }

    // The innermost progress alive, or null.
    static CProgress* Current() { return s_pCurrent; }
    // The status text last shown (what an operation's progress starts from).
    static const std::string& LastStatusText();
    static void NoteStatusText(const std::string& text);

    // Half a second before the progress shows; tests set 0 to see it at once.
    static std::chrono::milliseconds SetShowDelay(std::chrono::milliseconds delay);

private:
    using Clock = std::chrono::steady_clock;
    std::string m_strText;
    Clock::time_point m_start;
    Clock::time_point m_lastShown;
    int m_nLastPercent = -1;
    bool m_bShown = false;
    CProgress* m_pOuter;
    static CProgress* s_pCurrent;
};

// Step of the innermost progress alive (nothing when there is none).
inline void ReportProgress(uint64_t done, uint64_t total) {
    if (CProgress* p = CProgress::Current()) p->Step(done, total);
}

}  // namespace kv
