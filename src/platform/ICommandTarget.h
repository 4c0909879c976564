#pragma once

namespace kv {

// The state of a menu item or button for one command, filled in by the
// command's owner before the item is shown.
struct CCmdUI {
    CCmdUI() = default;
    explicit CCmdUI(int id) : m_nId(id) {}
    int m_nId = 0;
    bool m_bEnabled = true;
    int m_nCheck = 0;  // 1 shows a check mark
};

// Something that handles numbered commands: a view, a document, the
// application. The platform asks the state of a command before showing it
// and sends the command when it is chosen.
class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;
    // Runs the command; returns false when the target does not know it.
    virtual bool OnCommand(int id) = 0;
    // Fills the state of the command; returns false when the target does not know it.
    virtual bool OnUpdateCommand(CCmdUI& ui) = 0;
};

}  // namespace kv
