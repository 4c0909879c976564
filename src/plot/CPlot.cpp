#include "plot/CPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "platform/CPlatform.h"
#include "platform/IDrawSurface.h"
#include "platform/IViewWindow.h"
#include "plot/AxisScaling.h"
#include "plot/PlotCommands.h"
#include "plot/PlotExport.h"

namespace kv {

namespace {

// Restores the font, pen, fill and alignment of a surface when a repaint ends.
class CSurfaceState {
public:
    explicit CSurfaceState(IDrawSurface& dc)
        : m_dc(dc), m_font(dc.GetCurrentFont()), m_pen(dc.GetCurrentPen()), m_brush(dc.GetCurrentBrush()),
          m_align(dc.GetTextAlign()) {}
    ~CSurfaceState() {
        m_dc.SelectFont(m_font);
        m_dc.SelectPen(m_pen);
        m_dc.SelectBrush(m_brush);
        m_dc.SetTextAlign(m_align);
    }
    CSurfaceState(const CSurfaceState&) = delete;
    CSurfaceState& operator=(const CSurfaceState&) = delete;

private:
    IDrawSurface& m_dc;
    CFontDesc m_font;
    CPen m_pen;
    Color m_brush;
    TextAlign m_align;
};

int FontHeight(int size, double scale) { return static_cast<int>(std::trunc(size * scale + 0.5)); }

}  // namespace

CPlot::CPlot()
    : m_strXTitle(LoadString(IDS_PLOT_X_TITLE)),
      m_strYTitle(LoadString(IDS_PLOT_Y_TITLE)),
      m_strMainTitle(LoadString(IDS_PLOT_MAIN_TITLE)) {}

CPlot::~CPlot() = default;

// ---------------------------------------------------------------------------
// Virtual operations

int CPlot::GetTitlePower(int power) { return power; }
void CPlot::BuildPlotData(int&) {}
bool CPlot::HasData() const { return false; }
void CPlot::ApplyAxes() {}
int CPlot::GetTraceCount() const { return 2; }
int CPlot::GetAutoStyle() const { return m_XColumn.GetSize() <= 256 ? STYLE_LINE_AND_DOT : STYLE_LINE; }
int CPlot::GetStyle() const { return m_nStyle != STYLE_AUTO ? m_nStyle : GetAutoStyle(); }

void CPlot::ComputeRanges() {
    if (m_XColumn.GetSize() > 0) {
        m_dXMin = m_XColumn.GetMin();
        m_dXMax = m_XColumn.GetMax();
    }
    if (m_Traces.GetColumnCount() > 0) {
        m_dYMin = m_Traces.GetMin();
        m_dYMax = m_Traces.GetMax();
    }
}

void CPlot::UpdateLegend() {}
void CPlot::ShowBusyStatus(const std::string&) {}
void CPlot::ShowDoneStatus(const std::string&) {}
void CPlot::SetStatusId(StringId id) { SetStatusText(LoadString(id)); }
void CPlot::SetStatusText(const std::string&) {}

int CPlot::FontHeightFromPercent(double percent) const {
    return static_cast<int>(std::trunc(percent * std::min(m_rcClient.right, m_rcClient.bottom) / 100.0));
}

void CPlot::GetTraceStyle(const CDataColumn& column, PenStyle& penStyle, Color& fill) const {
    penStyle = PenStyle::Solid;
    fill = TraceColor(column);
    if (column.m_nTag2) {
        penStyle = PenStyle::Dot;
        fill = Rgb(255, 255, 255);
    }
}

void CPlot::DrawTraces(IDrawSurface& dc) {
    if (m_bPolar) {
        if (m_Traces.GetColumnCount() >= 2) DrawTrace(dc, Trace(0), Trace(1));
        return;
    }
    for (int n = 0; n < m_Traces.GetColumnCount(); ++n) DrawTrace(dc, m_XColumn, Trace(n));
}

void CPlot::AfterDraw(IDrawSurface&) { SetStatusId(IDS_READY); }

void CPlot::Refresh() {
    ClearPlotData();
    Invalidate();
}

void CPlot::ClearPlotData() {
    m_XColumn.SetSize(0);
    m_Traces.Reset();
    m_PointCounts.clear();
}

void CPlot::Invalidate() {
    if (m_pWindow) m_pWindow->Invalidate();
}

void CPlot::OnSetFocus() { m_bFocusRepaint = 1; }

// ---------------------------------------------------------------------------
// Mapping

void CPlot::SetUpMapping() {
    if (!m_bXLog) {
        m_dXOrigin = m_dXMin;
        m_dXScale = 1.0 / (m_dXMax - m_dXMin);
        m_dXZero = 0.0;
    } else {
        // A log axis needs positive ends; a typed-in end at or below zero
        // would leave every value without a place on it.
        if (!(m_dXMax > 0)) m_dXMax = 1.0;
        if (!(m_dXMin > 0)) m_dXMin = m_dXMax * 0.01;
        m_dXOrigin = std::log10(m_dXMin);
        m_dXZero = m_dXOrigin;
        m_dXScale = 1.0 / (std::log10(m_dXMax) - m_dXOrigin);
    }
    if (!m_bYLog) {
        m_dYOrigin = m_dYMin;
        m_dYScale = 1.0 / (m_dYMax - m_dYMin);
        m_dYZero = 0.0;
    } else {
        if (!(m_dYMax > 0)) m_dYMax = 1.0;
        if (!(m_dYMin > 0)) m_dYMin = m_dYMax * 0.01;
        m_dYOrigin = std::log10(m_dYMin);
        m_dYZero = m_dYOrigin;
        m_dYScale = 1.0 / (std::log10(m_dYMax) - m_dYOrigin);
    }
}

double CPlot::PixelToX(int px) const {
    double v = (px - m_nPlotLeft) / m_dXScale / m_nPlotWidth + m_dXOrigin;
    return m_bXLog ? std::pow(10.0, v) : v;
}

double CPlot::PixelToY(int py) const {
    double v = (m_nPlotBottom - py) / m_dYScale / m_nPlotHeight + m_dYOrigin;
    return m_bYLog ? std::pow(10.0, v) : v;
}

// ---------------------------------------------------------------------------
// Repaint

void CPlot::Paint(IDrawSurface& dc) {
    if (!HasData()) return;
    if (m_XColumn.GetSize() == 0) {
        m_Traces.Reset();
        int traces = GetTraceCount();
        for (int n = 0; n < traces; ++n) m_Traces.AddColumn();
        if (traces <= 0) return;
    }
    if (m_bFocusRepaint) {
        if (m_pWindow) m_pWindow->Wait(15);
        m_bFocusRepaint = 0;
    }

    CSurfaceState restore(dc);

    // Painted area and base font size.
    CRect area;
    int baseSize;
    if (dc.IsPrinter()) {
        CSize page = dc.GetPageSize();
        area = CRect{0, 0, page.cx, page.cy};
        m_rcClient = area;
        baseSize = FontHeightFromPercent(3.0);
    } else {
        area = dc.GetClientRect();
        m_rcClient = area;
        baseSize = FontHeightFromPercent(4.0);
    }
    CFontDesc baseFont = m_BaseFont;
    baseFont.m_nHeight = FontHeight(baseSize, m_dFontScale);
    baseFont.m_nEscapement = 0;
    if (dc.SelectFont(baseFont)) m_BaseFont = dc.GetCurrentFont();

    // Legend size; it takes its width from the right of the area.
    m_nLegendWidth = 0;
    UpdateLegend();
    if (m_bLegend && m_Traces.GetColumnCount() > 0) {
        int widest = 0;
        for (int n = 0; n < m_Traces.GetColumnCount(); ++n)
            widest = std::max(widest, dc.GetTextExtent(Trace(n).m_strName).cx);
        m_nWidestTraceName = widest;
        if (widest > 0) {
            CSize sample = dc.GetTextExtent("****");
            m_nLegendSampleWidth = sample.cx;
            m_nLegendSampleHalf = sample.cx / 2;
            m_nLegendWidth = sample.cx + 3 * (sample.cx / 2) + widest;
            m_nLegendRowHeight = sample.cy;
            if (area.right < 3 * m_nLegendWidth)
                m_nLegendWidth = 0;
            else
                area.right -= m_nLegendWidth;
        }
    }
    if (dc.IsPrinter() && m_bPolar) {
        if (area.right > area.bottom)
            area.right = area.bottom;
        else
            area.bottom = area.right;
    }

    if (area.Width() < 50 || area.Height() < 40 || baseSize < 1) return;

    dc.SetTextColor(dc.GetWindowTextColor());
    dc.SetTransparentBackground();
    dc.SetTextAlign(TextAlign::CenterBaseline);
    int t = dc.GetTextExtent("Bq").cy;
    m_nCharHeight = t;

    if (m_XColumn.GetSize() == 0) ComputeRanges();
    m_nXTitlePower = GetTitlePower(m_nXPower);
    SetUpMapping();

    // Labels and their sizes.
    MakeLabels(m_nXMaxDigits, m_XLabels, m_dXLabelSpacing, m_nXTitlePower, m_bXLog != 0, m_dXMin, m_dXMax,
               std::pow(10.0, m_nXTitlePower - m_nXPower));
    MakeLabels(m_nYMaxDigits, m_YLabels, m_dYLabelSpacing, m_nYPower, m_bYLog != 0, m_dYMin, m_dYMax, 1.0);
    int wx = 0, hx = 0, wy = 0;
    for (int i = 0; i < m_XLabels.GetSize(); ++i) {
        CSize s = dc.GetTextExtent(m_XLabels[i].m_strText);
        wx = std::max(wx, s.cx);
        hx = std::max(hx, s.cy);
    }
    for (int i = 0; i < m_YLabels.GetSize(); ++i) wy = std::max(wy, dc.GetTextExtent(m_YLabels[i].m_strText).cx);

    // Layout.
    int mainHeight = m_strMainTitle.empty() ? 0 : dc.GetTextExtent(m_strMainTitle).cy;
    int xTitleHeight = m_strXTitle.empty() ? 0 : dc.GetTextExtent(m_strXTitle).cy;
    if (xTitleHeight == 0 && m_nXTitlePower != 0) xTitleHeight = t;
    m_nPlotLeft = area.left + wy + 3 * t;
    int topMargin = mainHeight + t;
    int bottomMargin = t / 2 + xTitleHeight + hx;
    m_nPlotWidth = area.right - area.left - (wy + 3 * t) - wx;
    m_nPlotHeight = (area.bottom - area.top) - bottomMargin - topMargin;
    if (m_nPlotWidth <= 0 || m_nPlotHeight <= 0) {
        m_XLabels.RemoveAll();
        m_YLabels.RemoveAll();
        return;
    }
    m_nDotRadius = std::max(2, std::min(m_nPlotWidth, m_nPlotHeight) / 500);
    if (m_bPolar) {
        double dx = m_dXMax - m_dXMin;
        double dy = m_dYMax - m_dYMin;
        if (dx > 0 && dy > 0) {
            double ax = dc.GetPixelAspectX();
            double ay = dc.GetPixelAspectY();
            // Spans above about 1e305 overflow the product of span and
            // pixels; the quotient of the spans comes first then. The side
            // is compared before it becomes an int, as it may still lie far
            // outside the int range.
            auto side = [](double span, int pixels, double otherSpan) {
                double v = span * pixels / otherSpan;
                if (!std::isfinite(v)) v = span / otherSpan * pixels;
                return std::trunc(v + 0.5);
            };
            if (m_nPlotWidth / dx * ax > ay * (m_nPlotHeight / dy)) {
                double w = side(dx, m_nPlotHeight, dy);
                if (w < m_nPlotWidth) m_nPlotWidth = static_cast<int>(w);
            } else {
                double h = side(dy, m_nPlotWidth, dx);
                if (h < m_nPlotHeight) m_nPlotHeight = static_cast<int>(h);
            }
        }
    }
    m_nPlotBottom = area.top + topMargin + m_nPlotHeight;
    m_nTicHalf = t / 4;

    if (m_XColumn.GetSize() == 0) {
        const std::string xBase = m_strXTitle;
        const std::string yBase = m_strYTitle;
        if (m_nXTitlePower != 0) m_strXTitle += FormatPrintf(IDS_PLOT_POWER_SUFFIX, m_nXTitlePower);
        if (m_nYPower != 0) m_strYTitle += FormatPrintf(IDS_PLOT_POWER_SUFFIX, m_nYPower);
        BuildPlotData(m_nPlotWidth);
        if (m_nPlotWidth < 1) m_nPlotWidth = 1;
        m_strXDecoration = m_strXTitle.starts_with(xBase) ? m_strXTitle.substr(xBase.size()) : std::string();
        m_strYDecoration = m_strYTitle.starts_with(yBase) ? m_strYTitle.substr(yBase.size()) : std::string();
    }

    DrawTitles(dc, area.left);
    DrawGrid(dc);

    // Labels, axes and legend, in a smaller font when the X labels crowd.
    int step = XToPixel(m_dXLabelSpacing) - XToPixel(0.0);
    int labelSize = baseSize;
    if (wx > 0 && step <= 1.2 * wx) labelSize = static_cast<int>(std::trunc(step * baseSize / 1.2 / wx + 0.5));
    if (labelSize > 0) {
        CFontDesc labelFont = m_BaseFont;
        labelFont.m_nHeight = FontHeight(labelSize, m_dFontScale);
        labelFont.m_nEscapement = 0;
        CFontDesc previous = dc.GetCurrentFont();
        dc.SelectFont(labelFont);
        m_nCharHeight = dc.GetTextExtent("Bq").cy;
        DrawAxes(dc);
        DrawLegend(dc);
        dc.SelectFont(previous);
    }

    int r = m_nDotRadius;
    dc.SetClipRect(CRect{m_nPlotLeft - r, m_nPlotBottom - m_nPlotHeight - r, m_nPlotLeft + m_nPlotWidth + r,
                         m_nPlotBottom + r});
    DrawTraces(dc);
    dc.ClearClip();
    AfterDraw(dc);
}

void CPlot::DrawTitles(IDrawSurface& dc, int left) {
    int t = m_nCharHeight;
    dc.SetTextAlign(TextAlign::CenterBaseline);
    int centre = m_nPlotLeft + m_nPlotWidth / 2;
    if (!m_strMainTitle.empty()) dc.TextOut(centre, m_nPlotBottom - t - m_nPlotHeight, m_strMainTitle);
    if (!m_strXTitle.empty()) dc.TextOut(centre, m_nPlotBottom + 2 * t, m_strXTitle);
    if (!m_strYTitle.empty()) {
        CFontDesc rotated = m_BaseFont;
        rotated.m_nEscapement = 900;
        CFontDesc previous = dc.GetCurrentFont();
        if (dc.SelectFont(rotated)) {
            dc.TextOut(left + static_cast<int>(std::trunc(1.25 * t)), m_nPlotBottom - m_nPlotHeight / 2 - t / 2,
                       m_strYTitle);
            dc.SelectFont(previous);
        }
    }
}

void CPlot::DrawGrid(IDrawSurface& dc) {
    CPen previous = dc.GetCurrentPen();
    dc.SelectPen(m_GridPen);
    double s;
    if (GridSpacing(m_bXLog != 0, m_dXLabelSpacing, m_dXTicSpacing, m_nXGrid, s)) {
        int top = YToPixel(m_dYMax);
        for (double v : AxisValues(m_bXLog != 0, m_dXMin, m_dXMax, s)) {
            int x = XToPixel(v);
            dc.MoveTo(x, m_nPlotBottom - 1);
            dc.LineTo(x, top);
        }
    }
    if (GridSpacing(m_bYLog != 0, m_dYLabelSpacing, m_dYTicSpacing, m_nYGrid, s)) {
        int right = XToPixel(m_dXMax);
        for (double v : AxisValues(m_bYLog != 0, m_dYMin, m_dYMax, s)) {
            int y = YToPixel(v);
            dc.MoveTo(m_nPlotLeft + 1, y);
            dc.LineTo(right, y);
        }
    }
    dc.SelectPen(previous);
}

void CPlot::DrawAxes(IDrawSurface& dc) {
    int t = m_nCharHeight;
    int bottom = m_nPlotBottom;
    dc.SelectPen(CPen{PenStyle::Solid, 1, Rgb(0, 0, 0)});

    dc.MoveTo(m_nPlotLeft, bottom);
    dc.LineTo(m_nPlotLeft + m_nPlotWidth, bottom);
    if (m_dYMin <= m_dYZero && m_dYZero <= m_dYMax) {
        int y = YToPixel(m_dYZero);
        dc.MoveTo(XToPixel(m_dXMin), y);
        dc.LineTo(XToPixel(m_dXMax), y);
    }
    if (m_dXTicSpacing > 0) {
        CPen previous = dc.GetCurrentPen();
        dc.SelectPen(m_TicPen);
        for (double v : AxisValues(m_bXLog != 0, m_dXMin, m_dXMax, m_dXTicSpacing)) {
            int x = XToPixel(v);
            dc.MoveTo(x, bottom - m_nTicHalf);
            dc.LineTo(x, bottom + m_nTicHalf);
        }
        dc.SelectPen(previous);
    }
    if (m_dXLabelSpacing > 0) {
        dc.SetTextAlign(TextAlign::CenterBaseline);
        for (int i = 0; i < m_XLabels.GetSize(); ++i)
            dc.TextOut(XToPixel(m_XLabels[i].m_dValue), bottom + t, m_XLabels[i].m_strText);
    }

    dc.MoveTo(m_nPlotLeft, bottom);
    dc.LineTo(m_nPlotLeft, bottom - m_nPlotHeight);
    if (m_dXMin <= m_dXZero && m_dXZero <= m_dXMax) {
        int x = XToPixel(m_dXZero);
        dc.MoveTo(x, YToPixel(m_dYMin));
        dc.LineTo(x, YToPixel(m_dYMax));
    }
    if (m_dYTicSpacing > 0) {
        CPen previous = dc.GetCurrentPen();
        dc.SelectPen(m_TicPen);
        for (double v : AxisValues(m_bYLog != 0, m_dYMin, m_dYMax, m_dYTicSpacing)) {
            int y = YToPixel(v);
            dc.MoveTo(m_nPlotLeft - m_nTicHalf, y);
            dc.LineTo(m_nPlotLeft + m_nTicHalf, y);
        }
        dc.SelectPen(previous);
    }
    if (m_dYLabelSpacing > 0) {
        dc.SetTextAlign(TextAlign::RightBottom);
        for (int i = 0; i < m_YLabels.GetSize(); ++i)
            dc.TextOut(m_nPlotLeft - t, YToPixel(m_YLabels[i].m_dValue) + t / 2, m_YLabels[i].m_strText);
        dc.SetTextAlign(TextAlign::CenterBaseline);
    }
}

void CPlot::DrawLegend(IDrawSurface& dc) {
    if (m_nLegendWidth <= 0) return;
    int count = m_Traces.GetColumnCount();
    CPen previousPen = dc.GetCurrentPen();
    Color previousBrush = dc.GetCurrentBrush();
    dc.SetTextAlign(TextAlign::CenterBottom);
    int style = GetStyle();
    int s = m_nLegendSampleWidth;
    int half = m_nLegendSampleHalf;
    int x0 = m_nPlotLeft + m_nPlotWidth;
    int r = m_nDotRadius;
    int y = static_cast<int>(
        std::trunc(m_nPlotBottom - m_nPlotHeight / 2.0 - m_nLegendRowHeight * count / 2.0 + 0.5));
    for (int n = 0; n < count; ++n, y += m_nLegendRowHeight) {
        const CDataColumn& trace = Trace(n);
        if (trace.m_strName.empty()) continue;
        PenStyle penStyle;
        Color fill;
        GetTraceStyle(trace, penStyle, fill);
        dc.SelectPen(CPen{penStyle, 3, TraceColor(trace)});
        dc.SelectBrush(fill);
        if (style != STYLE_DOT) {
            dc.MoveTo(x0 + half, y);
            dc.LineTo(x0 + half + s, y);
        }
        if (style == STYLE_DOT || style == STYLE_LINE_AND_DOT) {
            int cx = x0 + half + s - s / 2;
            dc.Ellipse(cx - r, y - r, cx + r + 1, y + r + 1);
        }
        dc.TextOut(x0 + half + s + m_nWidestTraceName / 2 + half, y + m_nLegendRowHeight / 2, trace.m_strName);
    }
    dc.SelectPen(previousPen);
    dc.SelectBrush(previousBrush);
    dc.SetTextAlign(TextAlign::CenterBaseline);
}

void CPlot::DrawTrace(IDrawSurface& dc, const CDataColumn& xs, const CDataColumn& ys) {
    int count = std::min(xs.GetSize(), ys.GetSize());
    if (count <= 0) return;
    PenStyle penStyle;
    Color fill;
    GetTraceStyle(ys, penStyle, fill);
    const CPen outlinePen{penStyle, 1, Rgb(0, 0, 0)};
    const CPen tracePen{penStyle, 1, TraceColor(ys)};
    CPen previousPen = dc.GetCurrentPen();
    Color previousBrush = dc.GetCurrentBrush();
    dc.SelectPen(tracePen);
    dc.SelectBrush(fill);

    const int style = GetStyle();
    const int r = m_nDotRadius;
    int w = 1;
    if (style == STYLE_BAR && count >= 2) w = XToPixel(xs[1]) - XToPixel(xs[0]);
    int x0 = XToPixel(xs[0]);
    dc.MoveTo(x0, YToPixel(ys[0]));
    int barLeft = std::max(x0 - (w >> 1), XToPixel(m_dXMin));
    const int zeroBase = m_bBaseAtZero ? YToPixel(0.0) : m_nPlotBottom;
    int previousY = YToPixel(ys[0]);

    auto dot = [&](int px, int py) { dc.Ellipse(px - r, py - r, px + r + 1, py + r + 1); };
    for (int i = 0; i < count; ++i) {
        int px = XToPixel(xs[i]);
        int py = YToPixel(ys[i]);
        switch (style) {
            case STYLE_DOT: dot(px, py); break;
            case STYLE_LINE_AND_DOT:
                dc.LineTo(px, py);
                dot(px, py);
                break;
            case STYLE_BAR: {
                int base = zeroBase;
                if (py > base)
                    base += 1;
                else if (py < base)
                    base -= 1;
                if (w < 3) {
                    dc.MoveTo(px, base);
                    dc.LineTo(px, py);
                } else {
                    int right = px + w / 2;
                    // Only the columns inside the trace clip can show: a bar
                    // of points far outside the axis (a zoom, values that are
                    // not finite) may be millions of pixels wide.
                    const int fillFrom = std::max(barLeft + 1, m_nPlotLeft - r);
                    const int fillTo = std::min(right - 1, m_nPlotLeft + m_nPlotWidth + r);
                    for (int x = fillFrom; x <= fillTo; ++x) {
                        dc.MoveTo(x, base);
                        dc.LineTo(x, py);
                    }
                    dc.SelectPen(outlinePen);
                    dc.MoveTo(barLeft, base);
                    dc.LineTo(barLeft, py);
                    dc.LineTo(right, py);
                    dc.LineTo(right, base);
                    dc.SelectPen(tracePen);
                    barLeft = right;
                }
                break;
            }
            case STYLE_STEM:
                dot(px, py);
                dc.MoveTo(px, zeroBase);
                dc.LineTo(px, py);
                break;
            case STYLE_VERTICAL_LINE:
                dc.MoveTo(px, zeroBase);
                dc.LineTo(px, py);
                break;
            case STYLE_STAIR:
                dc.LineTo(px, previousY);
                dc.LineTo(px, py);
                break;
            case STYLE_LINE:
            default: dc.LineTo(px, py); break;
        }
        previousY = py;
    }
    dc.SelectPen(previousPen);
    dc.SelectBrush(previousBrush);
}

// ---------------------------------------------------------------------------
// Commands

namespace {

struct StyleCommand {
    int id;
    int style;
};
constexpr StyleCommand kStyleCommands[] = {
    {ID_STYLE_AUTO, STYLE_AUTO},   {ID_STYLE_LINE, STYLE_LINE},
    {ID_STYLE_DOT, STYLE_DOT},     {ID_STYLE_LINE_AND_DOT, STYLE_LINE_AND_DOT},
    {ID_STYLE_BAR, STYLE_BAR},     {ID_STYLE_STEM, STYLE_STEM},
    {ID_STYLE_VERTICAL_LINE, STYLE_VERTICAL_LINE}, {ID_STYLE_STAIR, STYLE_STAIR},
};

}  // namespace

void CPlot::SetStyle(int style) {
    m_nStyle = style;
    Invalidate();
}

void CPlot::OnFont() {
    CFontDesc desc = m_BaseFont;
    int oldHeight = desc.m_nHeight;
    if (!Platform().FontChooser().ChooseFont(desc, IFontChooser::ScreenAndPrinterFonts | IFontChooser::ScalableOnly))
        return;
    if (oldHeight != 0) {
        double scale = std::fabs(desc.m_nHeight * m_dFontScale / oldHeight);
        if (scale > 0 && std::isfinite(scale)) m_dFontScale = scale;
    }
    desc.m_nEscapement = 0;
    m_BaseFont = desc;
    Refresh();
}

void CPlot::OnCopyImage() {
    if (!m_pWindow) return;
    std::string png, svg;
    if (m_pWindow->RecordPicture([this](IDrawSurface& dc) { Paint(dc); }, png, svg))
        Platform().Clipboard().SetPicture(png, svg);
    Refresh();
}

void CPlot::OnCopyData() { Platform().Clipboard().SetText(FormatPlotData(*this)); }

void CPlot::OnWriteData() {
    // The name offered is remembered for the whole run of the program.
    static std::string s_strFileName = LoadString(IDS_PLOT_FILE_DEFAULT);
    std::optional<std::string> path = Platform().Files().GetSaveFileName(
        LoadString(IDS_PLOT_FILE_TITLE), LoadString(IDS_PLOT_FILE_FILTER), s_strFileName);
    if (!path) return;
    s_strFileName = *path;
    std::FILE* file = std::fopen(path->c_str(), "wb");
    if (!file) {
        ErrorBox(FormatString(IDS_PLOT_CANNOT_OPEN_FILE, *path));
        return;
    }
    bool titles = false;
    if (!m_strMainTitle.empty() && !m_strYTitle.empty() && !m_strXTitle.empty())
        titles = AskYesNo(LoadString(IDS_PLOT_WRITE_TITLES));
    bool ok = WritePlotData(file, *this, titles);
    if (std::fclose(file) != 0) ok = false;
    // A file that could not be written completely is reported, not left
    // behind as if it were complete.
    if (!ok) ErrorBox(FormatString(IDS_PLOT_CANNOT_WRITE_FILE, *path));
}

bool CPlot::OnCommand(int id) {
    CCmdUI ui(id);
    if (OnUpdateCommand(ui) && !ui.m_bEnabled) return true;
    return DoCommand(id);
}

bool CPlot::DoCommand(int id) {
    for (const StyleCommand& c : kStyleCommands)
        if (c.id == id) {
            SetStyle(c.style);
            return true;
        }
    switch (id) {
        case ID_PLOT_FONT: OnFont(); return true;
        case ID_PLOT_COPY_IMAGE: OnCopyImage(); return true;
        case ID_PLOT_COPY_DATA: OnCopyData(); return true;
        case ID_PLOT_WRITE_DATA: OnWriteData(); return true;
        case ID_FILE_PRINT:
            if (m_pWindow) m_pWindow->Print(false);
            return true;
        case ID_FILE_PRINT_PREVIEW:
            if (m_pWindow) m_pWindow->Print(true);
            return true;
        case ID_FILE_PRINT_SETUP:
            if (m_pWindow) m_pWindow->PrintSetup();
            return true;
        default: return false;
    }
}

bool CPlot::OnUpdateCommand(CCmdUI& ui) {
    for (const StyleCommand& c : kStyleCommands)
        if (c.id == ui.m_nId) {
            ui.m_bEnabled = true;
            ui.m_nCheck = m_nStyle == c.style ? 1 : 0;
            return true;
        }
    switch (ui.m_nId) {
        case ID_PLOT_FONT: ui.m_bEnabled = true; return true;
        case ID_PLOT_COPY_IMAGE:
        case ID_PLOT_COPY_DATA:
        case ID_PLOT_WRITE_DATA: ui.m_bEnabled = HasData(); return true;
        case ID_FILE_PRINT:
        case ID_FILE_PRINT_PREVIEW: ui.m_bEnabled = m_XColumn.GetSize() > 0; return true;
        case ID_FILE_PRINT_SETUP: ui.m_bEnabled = true; return true;
        default: return false;
    }
}

}  // namespace kv
