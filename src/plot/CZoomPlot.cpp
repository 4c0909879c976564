#include "plot/CZoomPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "formats/FormatHelpers.h"
#include "platform/CPlatform.h"
#include "platform/IDrawSurface.h"
#include "platform/IViewWindow.h"
#include "platform/StringTable.h"
#include "plot/PlotCommands.h"
#include "plot/PlotMenus.h"

namespace kv {

namespace {

// A surface for drawing on the window between repaints, for one gesture step.
class CDirectDraw {
public:
    explicit CDirectDraw(IViewWindow* window) : m_pWindow(window), m_pDC(window ? window->BeginDirectDraw() : nullptr) {}
    ~CDirectDraw() {
        if (m_pDC) m_pWindow->EndDirectDraw();
    }
    CDirectDraw(const CDirectDraw&) = delete;
    CDirectDraw& operator=(const CDirectDraw&) = delete;
    IDrawSurface* Surface() const { return m_pDC; }

private:
    IViewWindow* m_pWindow;
    IDrawSurface* m_pDC;
};

bool IsPowerOfTen(double v) { return v > 0 && PowerOfTenFloor(v) == v; }

}  // namespace

CZoomPlot::CZoomPlot() = default;

// ---------------------------------------------------------------------------
// Virtual operations

void CZoomPlot::ResetZoom() {}

bool CZoomPlot::SetXRange(double min, double max, bool) {
    m_dXMin = min;
    m_dXMax = max;
    return true;
}

int CZoomPlot::GetMaxZoomLevels() const { return 35; }

void CZoomPlot::GetViewXRange(double& min, double& max) const {
    min = m_dXMin;
    max = m_dXMax;
}

void CZoomPlot::ShowCrossHair(int trace, int point) {
    double x, y;
    if (m_bPolar) {
        if (m_Traces.GetColumnCount() < 2 || point < 0 || point >= Trace(0).GetSize() || point >= Trace(1).GetSize())
            return;
        x = Trace(0)[point];
        y = Trace(1)[point];
    } else {
        int t = trace - 1;
        if (t < 0 || t >= m_Traces.GetColumnCount() || point < 0 || point >= m_XColumn.GetSize() ||
            point >= Trace(t).GetSize())
            return;
        x = m_XColumn[point];
        y = Trace(t)[point];
    }
    CDirectDraw draw(m_pWindow);
    IDrawSurface* dc = draw.Surface();
    m_ZoomCursor.ToggleVertical(dc, m_ZoomCursor.m_nVertical[0]);
    m_ZoomCursor.ToggleVertical(dc, m_ZoomCursor.m_nVertical[1]);
    m_ZoomCursor.ToggleVertical(dc, XToPixel(x));
    m_ZoomCursor.ToggleHorizontal(dc, m_ZoomCursor.m_nHorizontal[0]);
    m_ZoomCursor.ToggleHorizontal(dc, m_ZoomCursor.m_nHorizontal[1]);
    m_ZoomCursor.ToggleHorizontal(dc, YToPixel(y));
}

int CZoomPlot::FindNearestPoint(int, int, int& trace) {
    trace = 1;
    return 0;
}

void CZoomPlot::ShowPointInfo(int) {}

void CZoomPlot::AfterDraw(IDrawSurface&) {
    // The repaint has removed the cursor graphics.
    m_ZoomCursor.Reset(nullptr);
    if (m_bPendingPointer) {
        m_bPendingPointer = 0;
        if (m_pWindow) {
            int x = XToPixel(m_dPendingX);
            int y = YToPixel(m_dPendingY);
            CRect client = m_pWindow->GetClientRect();
            if (x < client.left || x >= client.right || y < client.top || y >= client.bottom) {
                x = (client.left + client.right) / 2;
                y = (client.top + client.bottom) / 2;
            }
            m_pWindow->SetPointerPos(x, y);
        }
    }
}

// ---------------------------------------------------------------------------
// Zooming

CZoomData CZoomPlot::CurrentView() const { return CZoomData{m_dXMin, m_dXMax, m_XAxis, m_YAxis}; }

bool CZoomPlot::ZoomTo(const CRect& rect, bool zoomX, bool zoomY, bool showMessage) {
    double x1 = PixelToX(rect.left);
    double x2 = PixelToX(rect.right);
    double y1 = PixelToY(rect.bottom);
    double y2 = PixelToY(rect.top);
    if (m_ZoomList.Position() != 0 && m_ZoomList.LevelsShown() >= GetMaxZoomLevels()) return false;

    CZoomData view = CurrentView();
    if (zoomX) {
        double a = std::max(x1, m_dXMin);
        double b = std::min(x2, m_dXMax);
        if (m_bXLog && m_bZoomFullDecade && a > 0 && b > 0) {
            a = PowerOfTenFloor(a);
            b = IsPowerOfTen(b) ? b : PowerOfTenFloor(b) * 10.0;
        }
        if (m_bPolar) {
            m_XAxis.m_bAutoScale = 1;
            m_XAxis.SetRange(a, b);
            m_XAxis.m_bAutoScale = 0;
        } else {
            if (!SetXRange(a, b, false)) {
                if (showMessage) ErrorBox(LoadString(IDS_PLOT_CANNOT_ZOOM));
                return false;
            }
            m_bResetXScaling = 1;
            if (!zoomY) m_bResetYScaling = 1;
        }
    }
    m_ZoomList.AddLevel(view);
    if (zoomY) {
        m_YAxis.m_bAutoScale = 1;
        m_YAxis.SetRange(y1, y2);
        m_YAxis.m_bAutoScale = 0;
    }
    Refresh();
    return true;
}

void CZoomPlot::Navigate(Direction direction) {
    if (!HasData()) return;
    if (m_ZoomList.IsEmpty()) {
        SetStatusId(IDS_READY);
        return;
    }
    if (!m_ZoomList.CurrentShown()) {
        m_ZoomList.AddLevel(CurrentView());
        m_ZoomList.SetCurrentShown(true);
    } else {
        CZoomData& current = m_ZoomList.Current();
        if (current.m_dXMin == m_dXMin && current.m_dXMax == m_dXMax) {
            current.m_XAxis = m_XAxis;
            current.m_YAxis = m_YAxis;
        }
    }
    int last = m_ZoomList.GetCount() - 1;
    int index = m_ZoomList.CurrentIndex();
    if (direction == ZoomNext) direction = index == last ? ZoomTop : ZoomIn;
    switch (direction) {
        case ZoomTop: index = 0; break;
        case ZoomIn: index = std::min(index + 1, last); break;
        case ZoomOut: index = std::max(index - 1, 0); break;
        case ZoomBottom: index = last; break;
        case ZoomNext: break;
    }
    m_ZoomList.SetCurrent(index);
    const CZoomData& level = m_ZoomList.Current();
    m_dXMin = level.m_dXMin;
    m_dXMax = level.m_dXMax;
    m_XAxis = level.m_XAxis;
    m_YAxis = level.m_YAxis;
    if (!m_bPolar && !SetXRange(level.m_dXMin, level.m_dXMax, false)) return;
    Refresh();
}

void CZoomPlot::ZoomAtPointer(int px, int py) {
    if (m_ZoomList.Position() >= GetMaxZoomLevels()) return;
    if (m_nPlotWidth <= 0 || m_nPlotHeight <= 0) return;
    double vx = PixelToX(px);
    double vy = PixelToY(py);
    if (!(vx >= m_dXMin && vx <= m_dXMax && vy >= m_dYMin && vy <= m_dYMax)) return;
    m_bPendingPointer = 1;
    m_dPendingX = vx;
    m_dPendingY = vy;
    CSize size = m_pWindow ? m_pWindow->GetWindowSize() : CSize{m_rcClient.Width(), m_rcClient.Height()};
    int hx = static_cast<int>(std::trunc(size.cx * 0.25 + 0.5));
    int hy = static_cast<int>(std::trunc(size.cy * 0.25 + 0.5));
    CRect r{px - hx, py - hy, px + hx, py + hy};
    if (r.left < 0)
        r.left = 0;
    else if (r.right > size.cx)
        r.right = size.cx;
    if (r.top < 0)
        r.top = 0;
    else if (r.bottom > size.cy)
        r.bottom = size.cy;
    if (!ZoomTo(r, true, true, false)) m_bPendingPointer = 0;
}

void CZoomPlot::WidenTopLevel(double xMin, double xMax, double yMin, double yMax) {
    if (m_ZoomList.IsEmpty()) return;
    CAxisScale x = m_ZoomList.At(0).m_XAxis;
    CAxisScale y = m_ZoomList.At(0).m_YAxis;
    int changedX = x.ExtendRange(xMin, xMax);
    int changedY = y.ExtendRange(yMin, yMax);
    if (changedX || changedY) m_ZoomList.InsertTop(CZoomData{xMin, xMax, x, y});
}

std::string CZoomPlot::ZoomStatusText() const {
    if (m_ZoomList.IsEmpty()) return LoadString(IDS_READY);
    int position = m_ZoomList.Position();
    int levels = m_ZoomList.LevelsShown();
    if (position == 0) return FormatString(IDS_PLOT_TOP_ZOOM_LEVEL, std::to_string(levels));
    return FormatString(IDS_PLOT_ZOOM_LEVEL, std::to_string(position), std::to_string(levels));
}

// ---------------------------------------------------------------------------
// Keyboard view moves

namespace {

// Positions along an axis in its own measure: the logarithm on a log axis.
double ToAxis(double v, bool log) { return log ? std::log10(v) : v; }
double FromAxis(double v, bool log) { return log ? std::pow(10.0, v) : v; }

// Fits the span lo..hi into flo..fhi: moved inside, and cut to it when wider.
void FitInside(double& lo, double& hi, double flo, double fhi) {
    const double width = hi - lo;
    if (!(width < fhi - flo)) {
        lo = flo;
        hi = fhi;
        return;
    }
    if (lo < flo) {
        lo = flo;
        hi = flo + width;
    }
    if (hi > fhi) {
        hi = fhi;
        lo = fhi - width;
    }
}

}  // namespace

void CZoomPlot::FullRange(double& xMin, double& xMax, double& yMin, double& yMax) const {
    if (m_ZoomList.IsEmpty()) {
        xMin = m_dXMin;
        xMax = m_dXMax;
        yMin = m_dYMin;
        yMax = m_dYMax;
        return;
    }
    const CZoomData& top = m_ZoomList.At(0);
    xMin = top.m_dXMin;
    xMax = top.m_dXMax;
    yMin = top.m_YAxis.m_dAxisMin;
    yMax = top.m_YAxis.m_dAxisMax;
    // The top view's Y axis may not have been scaled yet.
    if (!(yMax > yMin)) {
        yMin = std::min(m_dYMin, top.m_YAxis.m_dDataMin);
        yMax = std::max(m_dYMax, top.m_YAxis.m_dDataMax);
    }
}

bool CZoomPlot::CanMoveView() const {
    return HasData() && m_nPlotWidth > 0 && m_nPlotHeight > 0 && m_dXMax > m_dXMin && m_dYMax > m_dYMin;
}

bool CZoomPlot::MoveView(double xMin, double xMax, double yMin, double yMax, bool moveX, bool moveY, bool newLevel) {
    if (!(xMax > xMin) || !(yMax > yMin) || !std::isfinite(xMax - xMin) || !std::isfinite(yMax - yMin))
        return false;
    double viewMin, viewMax;
    GetViewXRange(viewMin, viewMax);
    if (moveX && xMin == viewMin && xMax == viewMax) moveX = false;
    if (moveY && yMin == m_dYMin && yMax == m_dYMax) moveY = false;
    if (!moveX && !moveY) return false;
    const bool store = newLevel || m_ZoomList.IsEmpty() || m_ZoomList.CurrentShown();
    if (store && m_ZoomList.Position() != 0 && m_ZoomList.LevelsShown() >= GetMaxZoomLevels()) return false;
    CZoomData view = CurrentView();
    if (moveX) {
        if (m_bPolar) {
            m_XAxis.m_bAutoScale = 1;
            m_XAxis.SetRange(xMin, xMax);
            m_XAxis.m_bAutoScale = 0;
        } else {
            if (!SetXRange(xMin, xMax, false)) return false;
            m_bResetXScaling = 1;
            if (!moveY) m_bResetYScaling = 1;
        }
    }
    if (store) m_ZoomList.AddLevel(view);
    if (moveY) {
        m_YAxis.m_bAutoScale = 1;
        m_YAxis.SetRange(yMin, yMax);
        m_YAxis.m_bAutoScale = 0;
    }
    Refresh();
    return true;
}

bool CZoomPlot::ShowRanges(double xMin, double xMax, double yMin, double yMax, bool showX, bool showY) {
    if (!CanMoveView()) return false;
    if (!showX) {
        xMin = m_dXMin;
        xMax = m_dXMax;
    }
    if (!showY) {
        yMin = m_dYMin;
        yMax = m_dYMax;
    }
    return MoveView(xMin, xMax, yMin, yMax, showX, showY, true);
}

bool CZoomPlot::ZoomAroundCentre(double factor, bool zoomX, bool zoomY) {
    if (!CanMoveView() || !(factor > 0)) return false;
    double fx0, fx1, fy0, fy1;
    FullRange(fx0, fx1, fy0, fy1);
    const bool xLog = m_bXLog && m_dXMin > 0 && fx0 > 0;
    const bool yLog = m_bYLog && m_dYMin > 0 && fy0 > 0;
    auto zoom = [factor](double lo, double hi, double flo, double fhi, bool log, double& a, double& b) {
        double l = ToAxis(lo, log), h = ToAxis(hi, log);
        const double centre = 0.5 * (l + h);
        const double half = 0.5 * (h - l) * factor;
        l = centre - half;
        h = centre + half;
        // Zooming out to all but a sliver (the rounding to whole samples
        // leaves one) shows all.
        const double full = ToAxis(fhi, log) - ToAxis(flo, log);
        if (factor > 1 && h - l >= 0.99 * full) h = l + 2 * full;
        FitInside(l, h, ToAxis(flo, log), ToAxis(fhi, log));
        a = FromAxis(l, log);
        b = FromAxis(h, log);
    };
    double vx0, vx1;
    GetViewXRange(vx0, vx1);
    double x0 = m_dXMin, x1 = m_dXMax, y0 = m_dYMin, y1 = m_dYMax;
    if (zoomX) zoom(vx0, vx1, std::min(fx0, vx0), std::max(fx1, vx1), xLog && vx0 > 0, x0, x1);
    if (zoomY) zoom(m_dYMin, m_dYMax, std::min(fy0, m_dYMin), std::max(fy1, m_dYMax), yLog, y0, y1);
    return MoveView(x0, x1, y0, y1, zoomX, zoomY, true);
}

bool CZoomPlot::Pan(double fractionX, double fractionY) {
    if (!CanMoveView()) return false;
    double fx0, fx1, fy0, fy1;
    FullRange(fx0, fx1, fy0, fy1);
    const bool xLog = m_bXLog && m_dXMin > 0 && fx0 > 0;
    const bool yLog = m_bYLog && m_dYMin > 0 && fy0 > 0;
    auto pan = [](double lo, double hi, double flo, double fhi, bool log, double fraction, double& a, double& b) {
        double l = ToAxis(lo, log), h = ToAxis(hi, log);
        const double shift = (h - l) * fraction;
        l += shift;
        h += shift;
        FitInside(l, h, ToAxis(flo, log), ToAxis(fhi, log));
        a = FromAxis(l, log);
        b = FromAxis(h, log);
    };
    double vx0, vx1;
    GetViewXRange(vx0, vx1);
    double x0 = m_dXMin, x1 = m_dXMax, y0 = m_dYMin, y1 = m_dYMax;
    const bool moveX = fractionX != 0.0, moveY = fractionY != 0.0;
    if (moveX) pan(vx0, vx1, std::min(fx0, vx0), std::max(fx1, vx1), xLog && vx0 > 0, fractionX, x0, x1);
    if (moveY) pan(m_dYMin, m_dYMax, std::min(fy0, m_dYMin), std::max(fy1, m_dYMax), yLog, fractionY, y0, y1);
    return MoveView(x0, x1, y0, y1, moveX, moveY, false);
}

bool CZoomPlot::PanToEnd(bool end) {
    if (!CanMoveView()) return false;
    double fx0, fx1, fy0, fy1;
    FullRange(fx0, fx1, fy0, fy1);
    double vx0, vx1;
    GetViewXRange(vx0, vx1);
    const bool log = m_bXLog && vx0 > 0 && fx0 > 0;
    const double flo = ToAxis(std::min(fx0, vx0), log), fhi = ToAxis(std::max(fx1, vx1), log);
    const double width = ToAxis(vx1, log) - ToAxis(vx0, log);
    double l = end ? fhi - width : flo;
    double h = end ? fhi : flo + width;
    FitInside(l, h, flo, fhi);
    return MoveView(FromAxis(l, log), FromAxis(h, log), m_dYMin, m_dYMax, true, false, false);
}

// ---------------------------------------------------------------------------
// Mouse and focus

bool CZoomPlot::HasCapture() const { return m_pWindow ? m_pWindow->HasCapture() : m_bCapture; }

void CZoomPlot::OnLButtonDown(CPoint p) {
    if (!HasData() || m_nPlotWidth <= 0 || m_nPlotHeight <= 0 || !(m_dXScale > 0) || !(m_dYScale > 0)) return;
    CDirectDraw draw(m_pWindow);
    IDrawSurface* dc = draw.Surface();
    CZoomCursor& c = m_ZoomCursor;
    c.EraseAll(dc);
    c.m_rcArea = CRect{XToPixel(m_dXMin), YToPixel(m_dYMax), XToPixel(m_dXMax), YToPixel(m_dYMin)};
    c.m_ptAnchor = p;
    c.m_nZone = c.m_nResult = CZoomCursor::HitZone(c.m_rcArea, p);
    c.m_ptAnchor = c.Clamp(p);
    switch (c.m_nZone) {
        case CZoomCursor::ZoneHorizontal: c.ToggleVertical(dc, c.m_ptAnchor.x); break;
        case CZoomCursor::ZoneVertical: c.ToggleHorizontal(dc, c.m_ptAnchor.y); break;
        case CZoomCursor::ZoneRectangle:
            c.ToggleBand(dc, CRect{c.m_ptAnchor.x, c.m_ptAnchor.y, c.m_ptAnchor.x, c.m_ptAnchor.y});
            break;
        default: break;
    }
    if (m_pWindow)
        m_pWindow->SetCapture();
    else
        m_bCapture = true;
}

void CZoomPlot::OnMouseMove(CPoint p, bool leftButtonDown) {
    if (!HasCapture() || !leftButtonDown) return;
    CZoomCursor& c = m_ZoomCursor;
    if (c.m_rcArea.left == -1) return;
    CDirectDraw draw(m_pWindow);
    IDrawSurface* dc = draw.Surface();
    p = c.Clamp(p);
    switch (c.m_nZone) {
        case CZoomCursor::ZoneHorizontal:
            if (c.m_nVertical[0] != p.x) {
                c.ToggleVertical(dc, c.m_nVertical[1]);
                c.ToggleVertical(dc, p.x);
            }
            break;
        case CZoomCursor::ZoneVertical:
            if (c.m_nHorizontal[0] != p.y) {
                c.ToggleHorizontal(dc, c.m_nHorizontal[1]);
                c.ToggleHorizontal(dc, p.y);
            }
            break;
        case CZoomCursor::ZoneRectangle:
            c.ToggleBand(dc, c.m_rcBand);
            c.ToggleBand(dc, CRect{c.m_ptAnchor.x, c.m_ptAnchor.y, p.x, p.y});
            break;
        default: break;
    }
}

void CZoomPlot::OnLButtonUp(CPoint p) {
    if (!HasCapture()) return;
    CZoomCursor& c = m_ZoomCursor;
    CRect r{-1, -1, -1, -1};
    int result = 1;
    switch (c.m_nZone) {
        case CZoomCursor::ZoneHorizontal: {
            int a = c.m_nVertical[0];
            int b = c.m_nVertical[1];
            r = CRect{std::min(a, b), c.m_ptAnchor.y, std::max(a, b), c.m_ptAnchor.y};
            result = (b == -1 || r.Width() < 10) ? 2 : 3;
            break;
        }
        case CZoomCursor::ZoneVertical: {
            int a = c.m_nHorizontal[0];
            int b = c.m_nHorizontal[1] == -1 ? a : c.m_nHorizontal[1];
            r = CRect{c.m_ptAnchor.x, std::min(a, b), c.m_ptAnchor.x, std::max(a, b)};
            result = r.Height() < 5 ? 1 : 4;
            break;
        }
        case CZoomCursor::ZoneRectangle: {
            const CRect& band = c.m_rcBand;
            r = CRect{std::min(band.left, band.right), std::min(band.top, band.bottom), std::max(band.left, band.right),
                      std::max(band.top, band.bottom)};
            if (band.left == -1 || r.Width() < 10)
                result = 2;
            else if (r.Height() < 5)
                result = 3;
            else
                result = 5;
            break;
        }
        default: result = 1; break;
    }
    c.m_nResult = result;
    {
        CDirectDraw draw(m_pWindow);
        c.EraseAll(draw.Surface());
    }
    if (m_pWindow)
        m_pWindow->ReleaseCapture();
    else
        m_bCapture = false;

    switch (result) {
        case 2:
            if (m_bFocusRepaint) {
                Invalidate();
            } else {
                int trace = 1;
                int point = FindNearestPoint(p.x, p.y, trace);
                ShowCrossHair(trace, point);
                ShowPointInfo(point);
            }
            break;
        case 3: ZoomTo(r, true, false, true); break;
        case 4: ZoomTo(r, false, true, true); break;
        case 5: ZoomTo(r, true, true, true); break;
        default: break;
    }
}

void CZoomPlot::OnMButtonDown(CPoint) {
    if (m_ZoomList.IsEmpty()) return;
    if (CanNavigate(ID_ZOOM_TOP))
        Navigate(ZoomTop);
    else if (CanNavigate(ID_ZOOM_BOTTOM))
        Navigate(ZoomBottom);
}

void CZoomPlot::OnMouseWheel(int delta, bool ctrl, bool, CPoint p) {
    if (delta > 0) {
        if (ctrl)
            ZoomAtPointer(p.x, p.y);
        else if (CanNavigate(ID_ZOOM_IN))
            Navigate(ZoomIn);
    } else if (delta < 0) {
        if (CanNavigate(ID_ZOOM_OUT)) Navigate(ZoomOut);
    }
}

void CZoomPlot::OnWheelTurn(int angle, bool ctrl, bool shift, CPoint p) {
    constexpr int step = 120;
    // A turn the other way starts a new sum.
    if ((angle > 0 && m_nWheelAngle < 0) || (angle < 0 && m_nWheelAngle > 0)) m_nWheelAngle = 0;
    m_nWheelAngle += std::clamp(angle, -100 * step, 100 * step);
    while (m_nWheelAngle >= step || m_nWheelAngle <= -step) {
        const int one = m_nWheelAngle > 0 ? step : -step;
        m_nWheelAngle -= one;
        OnMouseWheel(one, ctrl, shift, p);
    }
}

void CZoomPlot::ResetCursor() {
    CDirectDraw draw(m_pWindow);
    m_ZoomCursor.Reset(draw.Surface());
}

void CZoomPlot::OnContextMenu(CPoint p) {
    if (m_nContextMenu == 0 || !HasData()) return;
    ResetCursor();
    CMenuItem menu = LoadPlotMenu(m_nContextMenu);
    if (menu.m_items.empty()) return;
    CPoint screen = m_pWindow ? m_pWindow->ClientToScreen(p) : p;
    Platform().ContextMenus().TrackPopupMenu(menu.m_items.front(), *this, screen.x, screen.y);
}

void CZoomPlot::OnSetFocus() { CAxisPlot::OnSetFocus(); }

void CZoomPlot::OnKillFocus() { ResetCursor(); }

// ---------------------------------------------------------------------------
// Commands

bool CZoomPlot::CanNavigate(int id) const {
    if (m_ZoomList.IsEmpty()) return false;
    switch (id) {
        case ID_ZOOM_NEXT: return true;
        case ID_ZOOM_IN:
        case ID_ZOOM_BOTTOM: return !m_ZoomList.ShowingBottom();
        case ID_ZOOM_OUT:
        case ID_ZOOM_TOP: return !m_ZoomList.ShowingTop();
        default: return false;
    }
}

bool CZoomPlot::DoCommand(int id) {
    switch (id) {
        case ID_ZOOM_NEXT: Navigate(ZoomNext); return true;
        case ID_ZOOM_IN: Navigate(ZoomIn); return true;
        case ID_ZOOM_OUT: Navigate(ZoomOut); return true;
        case ID_ZOOM_TOP: Navigate(ZoomTop); return true;
        case ID_ZOOM_BOTTOM: Navigate(ZoomBottom); return true;
        case ID_VIEW_ZOOM_IN_CENTRE: ZoomAroundCentre(0.5, true, true); return true;
        case ID_VIEW_ZOOM_OUT_CENTRE: ZoomAroundCentre(2.0, true, true); return true;
        case ID_VIEW_FULL:
            if (!m_ZoomList.IsEmpty()) Navigate(ZoomTop);
            return true;
        case ID_VIEW_PAN_LEFT: Pan(-0.1, 0.0); return true;
        case ID_VIEW_PAN_RIGHT: Pan(0.1, 0.0); return true;
        case ID_VIEW_PAN_UP: Pan(0.0, 0.1); return true;
        case ID_VIEW_PAN_DOWN: Pan(0.0, -0.1); return true;
        case ID_VIEW_START: PanToEnd(false); return true;
        case ID_VIEW_END: PanToEnd(true); return true;
        case ID_VIEW_ZOOM_X_IN: ZoomAroundCentre(0.5, true, false); return true;
        case ID_VIEW_ZOOM_X_OUT: ZoomAroundCentre(2.0, true, false); return true;
        case ID_VIEW_ZOOM_Y_IN: ZoomAroundCentre(0.5, false, true); return true;
        case ID_VIEW_ZOOM_Y_OUT: ZoomAroundCentre(2.0, false, true); return true;
        default: return CAxisPlot::DoCommand(id);
    }
}

bool CZoomPlot::OnUpdateCommand(CCmdUI& ui) {
    switch (ui.m_nId) {
        case ID_ZOOM_NEXT:
        case ID_ZOOM_IN:
        case ID_ZOOM_OUT:
        case ID_ZOOM_BOTTOM:
        case ID_ZOOM_TOP:
            ui.m_bEnabled = CanNavigate(ui.m_nId);
            ui.m_nCheck = 0;
            if (ui.m_nId == ID_ZOOM_TOP) ui.m_nCheck = m_ZoomList.ShowingTop() ? 1 : 0;
            if (ui.m_nId == ID_ZOOM_BOTTOM) ui.m_nCheck = m_ZoomList.ShowingBottom() ? 1 : 0;
            return true;
        case ID_VIEW_FULL:
            ui.m_bEnabled = HasData() && !m_ZoomList.IsEmpty() && !m_ZoomList.ShowingTop();
            return true;
        case ID_VIEW_ZOOM_IN_CENTRE:
        case ID_VIEW_ZOOM_OUT_CENTRE:
        case ID_VIEW_PAN_LEFT:
        case ID_VIEW_PAN_RIGHT:
        case ID_VIEW_PAN_UP:
        case ID_VIEW_PAN_DOWN:
        case ID_VIEW_START:
        case ID_VIEW_END:
        case ID_VIEW_ZOOM_X_IN:
        case ID_VIEW_ZOOM_X_OUT:
        case ID_VIEW_ZOOM_Y_IN:
        case ID_VIEW_ZOOM_Y_OUT: ui.m_bEnabled = CanMoveView(); return true;
        default: return CAxisPlot::OnUpdateCommand(ui);
    }
}

}  // namespace kv
