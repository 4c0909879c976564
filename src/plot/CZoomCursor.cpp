#include "plot/CZoomCursor.h"

#include <algorithm>

#include "platform/IDrawSurface.h"

namespace kv {

int CZoomCursor::HitZone(const CRect& a, CPoint p) {
    if (a.left <= p.x && p.x < a.right && a.top <= p.y && p.y < a.bottom) return ZoneRectangle;
    if (a.left <= p.x && p.x <= a.right && (p.y <= a.top || p.y >= a.bottom)) return ZoneHorizontal;
    if (a.top <= p.y && p.y <= a.bottom && (p.x <= a.left || p.x >= a.right)) return ZoneVertical;
    return ZoneRectangle;
}

CPoint CZoomCursor::Clamp(CPoint p) const {
    p.x = std::clamp(p.x, std::min(m_rcArea.left, m_rcArea.right), std::max(m_rcArea.left, m_rcArea.right));
    p.y = std::clamp(p.y, std::min(m_rcArea.top, m_rcArea.bottom), std::max(m_rcArea.top, m_rcArea.bottom));
    return p;
}

void CZoomCursor::Line(IDrawSurface* dc, int x1, int y1, int x2, int y2) {
    if (!dc) return;
    CPen pen = dc->GetCurrentPen();
    RasterOp op = dc->GetRasterOp();
    dc->SelectPen(m_Pen);
    dc->SetRasterOp(RasterOp::XorPen);
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
    dc->SetRasterOp(op);
    dc->SelectPen(pen);
}

void CZoomCursor::Rectangle(IDrawSurface* dc, const CRect& r) {
    if (!dc) return;
    CPen pen = dc->GetCurrentPen();
    RasterOp op = dc->GetRasterOp();
    dc->SelectPen(m_Pen);
    dc->SetRasterOp(RasterOp::XorPen);
    dc->MoveTo(r.left, r.top);
    dc->LineTo(r.right, r.top);
    dc->LineTo(r.right, r.bottom);
    dc->LineTo(r.left, r.bottom);
    dc->LineTo(r.left, r.top);
    dc->SetRasterOp(op);
    dc->SelectPen(pen);
}

void CZoomCursor::ToggleVertical(IDrawSurface* dc, int x) {
    if (x == -1) return;
    if (x == m_nVertical[0])
        m_nVertical[0] = -1;
    else if (x == m_nVertical[1])
        m_nVertical[1] = -1;
    else if (m_nVertical[0] == -1)
        m_nVertical[0] = x;
    else if (m_nVertical[1] == -1)
        m_nVertical[1] = x;
    else
        return;
    Line(dc, x, m_rcArea.top, x, m_rcArea.bottom);
}

void CZoomCursor::ToggleHorizontal(IDrawSurface* dc, int y) {
    if (y == -1) return;
    if (y == m_nHorizontal[0])
        m_nHorizontal[0] = -1;
    else if (y == m_nHorizontal[1])
        m_nHorizontal[1] = -1;
    else if (m_nHorizontal[0] == -1)
        m_nHorizontal[0] = y;
    else if (m_nHorizontal[1] == -1)
        m_nHorizontal[1] = y;
    else
        return;
    Line(dc, m_rcArea.left, y, m_rcArea.right, y);
}

void CZoomCursor::ToggleBand(IDrawSurface* dc, CRect rect) {
    if (rect.left == -1) return;
    if (rect == m_rcBand)
        m_rcBand = CRect{-1, -1, -1, -1};
    else
        m_rcBand = rect;
    Rectangle(dc, rect);
}

void CZoomCursor::EraseAll(IDrawSurface* dc) {
    ToggleVertical(dc, m_nVertical[0]);
    ToggleVertical(dc, m_nVertical[1]);
    ToggleHorizontal(dc, m_nHorizontal[0]);
    ToggleHorizontal(dc, m_nHorizontal[1]);
    ToggleBand(dc, m_rcBand);
}

void CZoomCursor::Reset(IDrawSurface* dc) {
    EraseAll(dc);
    m_nZone = ZoneNone;
    m_nResult = 0;
    m_rcArea = CRect{-1, -1, -1, -1};
    m_ptAnchor = CPoint{-1, -1};
    m_nVertical[0] = m_nVertical[1] = -1;
    m_nHorizontal[0] = m_nHorizontal[1] = -1;
    m_rcBand = CRect{-1, -1, -1, -1};
}

bool CZoomCursor::IsNone() const {
    return m_nVertical[0] == -1 && m_nVertical[1] == -1 && m_nHorizontal[0] == -1 && m_nHorizontal[1] == -1 &&
           m_rcBand.left == -1;
}

}  // namespace kv
