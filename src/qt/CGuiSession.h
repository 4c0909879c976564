#pragma once
#include <memory>

namespace kv {

// A graphical application for the renderings of the command-line front end,
// for the time of one command. Without a display (neither DISPLAY nor
// WAYLAND_DISPLAY set) it uses the offscreen platform, so pictures are drawn
// on machines without a screen. The numeric locale stays "C" after Qt has
// set up its own, so numbers are written with a decimal point whatever the
// user's language. Qt's own notes are kept off standard error, except
// critical ones.
class CGuiSession {
public:
    CGuiSession();
    ~CGuiSession();
    CGuiSession(const CGuiSession&) = delete;
    CGuiSession& operator=(const CGuiSession&) = delete;

    // False when no graphical application could be made.
    bool Usable() const;

private:
    struct CState;
    std::unique_ptr<CState> m_pState;
};

}  // namespace kv
