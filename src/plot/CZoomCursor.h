#pragma once

#include "platform/DrawTypes.h"

namespace kv {

class IDrawSurface;

// The rubber band, line pair and cross-hair of a zoomable plot, drawn with
// an XOR pen so that drawing a line twice removes it. Positions of -1 are
// "none".
class CZoomCursor {
public:
    enum Zone { ZoneNone = 0, ZoneHorizontal = 3, ZoneVertical = 4, ZoneRectangle = 5 };

    // The zone of a point against the plot area.
    static int HitZone(const CRect& area, CPoint p);
    CPoint Clamp(CPoint p) const;

    // Each toggle draws on dc when it is not null.
    void ToggleVertical(IDrawSurface* dc, int x);
    void ToggleHorizontal(IDrawSurface* dc, int y);
    void ToggleBand(IDrawSurface* dc, CRect rect);
    void EraseAll(IDrawSurface* dc);
    void Reset(IDrawSurface* dc);
    bool IsNone() const;

    int m_nZone = ZoneNone;
    int m_nResult = 0;
    CRect m_rcArea{-1, -1, -1, -1};
    CPoint m_ptAnchor{-1, -1};
    CPen m_Pen{PenStyle::Solid, 1, Rgb(209, 115, 168)};
    int m_nRasterOp = 7;  // XOR pen
    int m_nVertical[2] = {-1, -1};
    int m_nHorizontal[2] = {-1, -1};
    CRect m_rcBand{-1, -1, -1, -1};

private:
    void Line(IDrawSurface* dc, int x1, int y1, int x2, int y2);
    void Rectangle(IDrawSurface* dc, const CRect& r);
};

}  // namespace kv
