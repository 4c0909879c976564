#pragma once
#include <functional>
#include <string>

#include "platform/DrawTypes.h"

namespace kv {

class IDrawSurface;

// The window that shows a view: repaint requests, drawing outside a
// repaint, mouse capture and pointer, printing and picture recording.
class IViewWindow {
public:
    virtual ~IViewWindow() = default;

    // Requests a full repaint of the client area.
    virtual void Invalidate() = 0;
    // A surface for drawing directly on the window between repaints (the
    // zoom cursor's XOR lines); null when the window cannot draw now. Every
    // successful call is followed by EndDirectDraw.
    virtual IDrawSurface* BeginDirectDraw() = 0;
    virtual void EndDirectDraw() = 0;

    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;

    virtual CRect GetClientRect() const = 0;
    // Outer width and height of the window.
    virtual CSize GetWindowSize() const = 0;
    // Client coordinates to screen coordinates.
    virtual CPoint ClientToScreen(CPoint p) const = 0;
    // Moves the mouse pointer to a point of the client area.
    virtual void SetPointerPos(int x, int y) = 0;
    // Waits for a number of milliseconds.
    virtual void Wait(int milliseconds) = 0;

    // Paints the view onto a recorded picture of the client area's size and
    // gives it as PNG bytes and SVG text. Returns false when no picture
    // could be made.
    virtual bool RecordPicture(const std::function<void(IDrawSurface&)>& paint, std::string& pngBytes,
                               std::string& svgText) = 0;
    // Prints the view on one page (with a preview first when asked).
    virtual void Print(bool preview) = 0;
    virtual void PrintSetup() = 0;
};

}  // namespace kv
