#pragma once
#include <string>

namespace kv {

// The status bar's message pane and the busy (wait) cursor.
class IStatus {
public:
    virtual ~IStatus() = default;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // The progress of a long operation: its text with the percentage done,
    // and a progress bar where there is one. Returns true when the user has
    // asked to stop the operation (Esc, or the Cancel button).
    virtual bool ShowProgress(const std::string& text, int percent) {
        SetStatusText(text + " " + std::to_string(percent) + "%");
        return false;
    }
    // The operation whose progress was shown has ended.
    virtual void EndProgress() {}
};

}  // namespace kv
