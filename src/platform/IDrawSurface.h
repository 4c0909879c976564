#pragma once
#include <string>
#include <vector>

#include "platform/CFontDesc.h"
#include "platform/DrawTypes.h"

namespace kv {

// A drawing surface: a window, an image, a printer page or a recorded
// picture. All positions are device pixels with y growing downward.
// Selecting a pen, fill, font or raster operation replaces the current one;
// callers read the current one first when they want to restore it.
class IDrawSurface {
public:
    virtual ~IDrawSurface() = default;

    // ---- device facts ------------------------------------------------------
    virtual bool IsPrinter() const = 0;
    // Size of a printer page in pixels (the surface size for other surfaces).
    virtual CSize GetPageSize() const = 0;
    // Relative width and height of one pixel (1 and 1 for square pixels).
    virtual double GetPixelAspectX() const = 0;
    virtual double GetPixelAspectY() const = 0;
    // The client rectangle of the window (the whole image for pictures).
    virtual CRect GetClientRect() const = 0;
    // The platform's colour for text in windows.
    virtual Color GetWindowTextColor() const = 0;
    // Device pixels per layout pixel (above 1 on a scaled screen).
    virtual double GetDeviceScale() const { return 1.0; }
    // Lines drawn from now on are smoothed (antialiased) or not.
    virtual void SetAntialiasing(bool) {}

    // ---- text -----------------------------------------------------------------
    // Width and height of a text in the selected font.
    virtual CSize GetTextExtent(const std::string& text) = 0;
    // Draws a text at a point, placed by the current alignment and turned by
    // the escapement of the selected font.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual void SetTextAlign(TextAlign align) = 0;
    virtual TextAlign GetTextAlign() const = 0;
    virtual void SetTextColor(Color color) = 0;
    virtual void SetTransparentBackground() = 0;

    // ---- fonts ------------------------------------------------------------------
    // Creates a font from the description and selects it. Returns false when
    // no font could be made; the previous font then stays selected.
    virtual bool SelectFont(const CFontDesc& desc) = 0;
    // The description of the selected font as actually made.
    virtual CFontDesc GetCurrentFont() const = 0;

    // ---- pens, fills, raster operation ------------------------------------------
    virtual void SelectPen(const CPen& pen) = 0;
    virtual CPen GetCurrentPen() const = 0;
    virtual void SelectBrush(Color color) = 0;
    virtual Color GetCurrentBrush() const = 0;
    virtual void SetRasterOp(RasterOp op) = 0;
    virtual RasterOp GetRasterOp() const = 0;

    // ---- lines and ellipses ------------------------------------------------------
    virtual void MoveTo(int x, int y) = 0;
    // Draws from the current position to the point (the point itself is not
    // painted) and makes it the current position.
    virtual void LineTo(int x, int y) = 0;
    // An ellipse in the box (right and bottom exclusive), filled with the
    // current fill and outlined with the current pen.
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // Paints single pixels in the colour of the current pen.
    virtual void DrawPixels(const std::vector<CPoint>& points) {
        for (const CPoint& p : points) {
            MoveTo(p.x, p.y);
            LineTo(p.x + 1, p.y);
        }
    }

    // ---- clipping ------------------------------------------------------------------
    virtual void SetClipRect(const CRect& rect) = 0;
    virtual void ClearClip() = 0;
};

}  // namespace kv
