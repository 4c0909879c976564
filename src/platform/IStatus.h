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
};

}  // namespace kv
