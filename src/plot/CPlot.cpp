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
        fill = m_Colors.m_dotFill;
    }
}

void CPlot::DrawTraces(IDrawSurface& dc) {
    if (m_bPolar) {
        if (m_Traces.GetColumnCount() < 2) return;
        if (m_bPointCloud) {
            DrawCloud(dc, Trace(0), Trace(1));
            return;
        }
        DrawTrace(dc, Trace(0), Trace(1));
        return;
    }
    for (int n = 0; n < m_Traces.GetColumnCount(); ++n) {
        const bool spans = n < static_cast<int>(m_TraceLow.size()) && n < static_cast<int>(m_TraceHigh.size());
        DrawTrace(dc, m_XColumn, Trace(n), spans ? &m_TraceLow[n] : nullptr, spans ? &m_TraceHigh[n] : nullptr, n,
                  m_Traces.GetColumnCount());
    }
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
    m_PointFirst.clear();
    m_TraceLow.clear();
    m_TraceHigh.clear();
    m_bPointCloud = 0;
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

void CPlot::MakeTraceColumns() {
    m_Traces.Reset();
    int traces = GetTraceCount();
    for (int n = 0; n < traces; ++n) m_Traces.AddColumn();
}

void CPlot::StripDecorations() {
    if (!m_strXDecoration.empty() && m_strXTitle.ends_with(m_strXDecoration))
        m_strXTitle.resize(m_strXTitle.size() - m_strXDecoration.size());
    if (!m_strYDecoration.empty() && m_strYTitle.ends_with(m_strYDecoration))
        m_strYTitle.resize(m_strYTitle.size() - m_strYDecoration.size());
    m_strXDecoration.clear();
    m_strYDecoration.clear();
}

bool CPlot::FitDrawnRange() { return false; }

bool CPlot::LayOut(IDrawSurface& dc, const CRect& area, CSize& xLabelSize, int& yLabelWidth) {
    const int t = m_nCharHeight;
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
    xLabelSize = CSize{wx, hx};
    yLabelWidth = wy;

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
        return false;
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
    return true;
}

void CPlot::Paint(IDrawSurface& dc) {
    if (!HasData()) return;
    // Points are made for the painted area; a picture of another size (a
    // printer page, a picture of a chosen size) makes them again for its own.
    const CRect painted = dc.IsPrinter() ? CRect{0, 0, dc.GetPageSize().cx, dc.GetPageSize().cy} : dc.GetClientRect();
    if (m_XColumn.GetSize() > 0 && (painted != m_rcBuilt || dc.IsPrinter() != m_bBuiltForPrinter)) {
        StripDecorations();
        ClearPlotData();
    }
    if (m_XColumn.GetSize() == 0) {
        MakeTraceColumns();
        if (GetTraceCount() <= 0) return;
    }
    if (m_bFocusRepaint) {
        if (m_pWindow) m_pWindow->Wait(15);
        m_bFocusRepaint = 0;
    }

    CSurfaceState restore(dc);

    // Painted area and base font size.
    CRect area = painted;
    m_rcClient = area;
    const int baseSize = FontHeightFromPercent(dc.IsPrinter() ? 3.0 : 4.0);
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

    dc.SetTextColor(m_Colors.m_text == kPlatformTextColor ? dc.GetWindowTextColor() : m_Colors.m_text);
    dc.SetTransparentBackground();
    dc.SetTextAlign(TextAlign::CenterBaseline);
    const int t = dc.GetTextExtent("Bq").cy;
    m_nCharHeight = t;

    const bool rebuild = m_XColumn.GetSize() == 0;
    if (rebuild) ComputeRanges();
    CSize xLabels;
    int wy = 0;
    if (!LayOut(dc, area, xLabels, wy)) return;

    if (rebuild) {
        for (int pass = 0;; ++pass) {
            const std::string xBase = m_strXTitle;
            const std::string yBase = m_strYTitle;
            if (m_nXTitlePower != 0) m_strXTitle += FormatPrintf(IDS_PLOT_POWER_SUFFIX, m_nXTitlePower);
            if (m_nYPower != 0) m_strYTitle += FormatPrintf(IDS_PLOT_POWER_SUFFIX, m_nYPower);
            BuildPlotData(m_nPlotWidth);
            if (m_nPlotWidth < 1) m_nPlotWidth = 1;
            m_strXDecoration = m_strXTitle.starts_with(xBase) ? m_strXTitle.substr(xBase.size()) : std::string();
            m_strYDecoration = m_strYTitle.starts_with(yBase) ? m_strYTitle.substr(yBase.size()) : std::string();
            // An automatic axis takes in everything drawn (sums of several
            // lines reach above any single one); then the plot is laid out
            // and its points made again.
            if (pass >= 2 || !FitDrawnRange()) break;
            StripDecorations();
            ClearPlotData();
            MakeTraceColumns();
            UpdateLegend();
            if (!LayOut(dc, area, xLabels, wy)) return;
        }
        m_rcBuilt = painted;
        m_bBuiltForPrinter = dc.IsPrinter();
        m_nBuiltWidth = m_nPlotWidth;
    } else {
        // Drawn as when the points were made: with the plot narrowed to them.
        m_nPlotWidth = std::min(m_nPlotWidth, m_nBuiltWidth);
    }

    DrawTitles(dc, area);
    DrawGrid(dc);

    // Labels, axes and legend, in a smaller font when the X labels crowd;
    // below a legible size the labels keep that size and only every few of
    // them is drawn.
    const int wx = xLabels.cx;
    int step;
    if (!m_bXLog) {
        step = XToPixel(m_dXLabelSpacing) - XToPixel(0.0);
    } else {
        // A log axis: the distance between neighbouring labels.
        step = m_nPlotWidth;
        for (int i = 1; i < m_XLabels.GetSize(); ++i)
            step = std::min(step, XToPixel(m_XLabels[i].m_dValue) - XToPixel(m_XLabels[i - 1].m_dValue));
    }
    int labelSize = baseSize;
    m_nXLabelStride = 1;
    if (wx > 0 && step <= 1.2 * wx) labelSize = static_cast<int>(std::trunc(step * baseSize / 1.2 / wx + 0.5));
    const int legible = std::min(baseSize, kMinLabelHeight);
    if (labelSize < legible) {
        labelSize = legible;
        const double needed = 1.2 * wx * legible / baseSize;
        m_nXLabelStride = step > 0 ? static_cast<int>(std::ceil(needed / step)) : m_XLabels.GetSize() + 1;
        m_nXLabelStride = std::max(1, m_nXLabelStride);
    }
    m_bLabelsShrunk = labelSize < baseSize;
    if (labelSize > 0) {
        CFontDesc labelFont = m_BaseFont;
        labelFont.m_nHeight = FontHeight(labelSize, m_dFontScale);
        labelFont.m_nEscapement = 0;
        CFontDesc previous = dc.GetCurrentFont();
        dc.SelectFont(labelFont);
        m_nCharHeight = dc.GetTextExtent("Bq").cy;
        // Y labels that would overlap keep every few of them.
        m_nYLabelStride = 1;
        int rows = m_nPlotHeight;
        for (int i = 1; i < m_YLabels.GetSize(); ++i)
            rows = std::min(rows, std::abs(YToPixel(m_YLabels[i - 1].m_dValue) - YToPixel(m_YLabels[i].m_dValue)));
        if (m_YLabels.GetSize() > 1 && rows < m_nCharHeight)
            m_nYLabelStride = rows > 0 ? (m_nCharHeight + rows - 1) / rows : m_YLabels.GetSize() + 1;
        DrawAxes(dc);
        DrawLegend(dc);
        dc.SelectFont(previous);
    }

    int r = m_nDotRadius;
    dc.SetClipRect(CRect{m_nPlotLeft - r, m_nPlotBottom - m_nPlotHeight - r, m_nPlotLeft + m_nPlotWidth + r,
                         m_nPlotBottom + r});
    m_dDeviceScale = dc.GetDeviceScale();
    const bool smooth = Antialiased(m_dDeviceScale);
    if (smooth) dc.SetAntialiasing(true);
    DrawTraces(dc);
    if (smooth) dc.SetAntialiasing(false);
    dc.ClearClip();
    AfterDraw(dc);
}

namespace {

// Length of the UTF-8 character that starts with byte c.
size_t CharLength(unsigned char c) {
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) return 2;
    if ((c & 0xF0) == 0xE0) return 3;
    if ((c & 0xF8) == 0xF0) return 4;
    return 1;
}

// The text cut short with an ellipsis so that it fits a width.
std::string Elide(IDrawSurface& dc, const std::string& text, int width) {
    if (text.empty() || dc.GetTextExtent(text).cx <= width) return text;
    static const std::string ellipsis = "\u2026";
    std::vector<size_t> ends;  // byte ends of the character prefixes
    for (size_t i = 0; i < text.size(); i += CharLength(static_cast<unsigned char>(text[i]))) ends.push_back(i);
    size_t lo = 0, hi = ends.size();  // prefixes of lo characters fit
    while (lo + 1 < hi) {
        size_t mid = (lo + hi) / 2;
        if (dc.GetTextExtent(text.substr(0, ends[mid]) + ellipsis).cx <= width)
            lo = mid;
        else
            hi = mid;
    }
    std::string cut = text.substr(0, lo < ends.size() ? ends[lo] : text.size());
    while (!cut.empty() && cut.back() == ' ') cut.pop_back();
    return cut + ellipsis;
}

}  // namespace

void CPlot::DrawTitles(IDrawSurface& dc, const CRect& area) {
    int t = m_nCharHeight;
    dc.SetTextAlign(TextAlign::CenterBaseline);
    int centre = m_nPlotLeft + m_nPlotWidth / 2;
    // Titles wider than the painted area are cut short.
    const CRect& whole = m_rcClient;
    const int across = 2 * std::min(centre - whole.left, whole.right - centre) - t / 2;
    if (!m_strMainTitle.empty())
        dc.TextOut(centre, m_nPlotBottom - t - m_nPlotHeight, Elide(dc, m_strMainTitle, across));
    if (!m_strXTitle.empty()) dc.TextOut(centre, m_nPlotBottom + 2 * t, Elide(dc, m_strXTitle, across));
    if (!m_strYTitle.empty()) {
        const int middle = m_nPlotBottom - m_nPlotHeight / 2 - t / 2;
        const int along = 2 * std::min(middle - area.top, area.bottom - middle) - t / 2;
        const std::string text = Elide(dc, m_strYTitle, along);
        CFontDesc rotated = m_BaseFont;
        rotated.m_nEscapement = 900;
        CFontDesc previous = dc.GetCurrentFont();
        if (dc.SelectFont(rotated)) {
            dc.TextOut(area.left + static_cast<int>(std::trunc(1.25 * t)), middle, text);
            dc.SelectFont(previous);
        }
    }
}

void CPlot::SetColors(const CPlotColors& colors) {
    m_Colors = colors;
    m_GridPen.m_color = colors.m_grid;
    m_TicPen.m_color = colors.m_axis;
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
    dc.SelectPen(CPen{PenStyle::Solid, 1, m_Colors.m_axis});

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
        // Labels in a smaller font stand clear below the tic marks.
        int y = bottom + t;
        if (m_bLabelsShrunk) y = std::max(y, bottom + m_nTicHalf + t - t / 5);
        dc.SetTextAlign(TextAlign::CenterBaseline);
        for (int i = 0; i < m_XLabels.GetSize(); i += std::max(1, m_nXLabelStride))
            dc.TextOut(XToPixel(m_XLabels[i].m_dValue), y, m_XLabels[i].m_strText);
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
        int x = m_nPlotLeft - t;
        if (m_bLabelsShrunk) x = std::min(x, m_nPlotLeft - m_nTicHalf - 2);
        dc.SetTextAlign(TextAlign::RightBottom);
        for (int i = 0; i < m_YLabels.GetSize(); i += std::max(1, m_nYLabelStride))
            dc.TextOut(x, YToPixel(m_YLabels[i].m_dValue) + t / 2, m_YLabels[i].m_strText);
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

void CPlot::DrawCloud(IDrawSurface& dc, const CDataColumn& xs, const CDataColumn& ys) {
    const int count = std::min(xs.GetSize(), ys.GetSize());
    std::vector<CPoint> pixels;
    pixels.reserve(static_cast<size_t>(std::max(0, count)));
    for (int i = 0; i < count; ++i)
        if (std::isfinite(xs[i]) && std::isfinite(ys[i])) pixels.push_back(CPoint{XToPixel(xs[i]), YToPixel(ys[i])});
    PenStyle penStyle;
    Color fill;
    GetTraceStyle(ys, penStyle, fill);
    CPen previousPen = dc.GetCurrentPen();
    dc.SelectPen(CPen{PenStyle::Solid, 1, TraceColor(ys)});
    dc.DrawPixels(pixels);
    dc.SelectPen(previousPen);
}

void CPlot::DrawTrace(IDrawSurface& dc, const CDataColumn& xs, const CDataColumn& ys, const std::vector<double>* lows,
                      const std::vector<double>* highs, int slot, int slots) {
    int count = std::min(xs.GetSize(), ys.GetSize());
    if (count <= 0) return;
    if (lows && highs &&
        (static_cast<int>(lows->size()) < count || static_cast<int>(highs->size()) < count))
        lows = highs = nullptr;
    PenStyle penStyle;
    Color fill;
    GetTraceStyle(ys, penStyle, fill);
    const CPen outlinePen{penStyle, 1, m_Colors.m_axis};
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
    // Whether the line of the previous point can be continued (a value that
    // is not finite leaves a gap).
    bool joined = std::isfinite(ys[0]) && std::isfinite(xs[0]);

    auto dot = [&](int px, int py) { dc.Ellipse(px - r, py - r, px + r + 1, py + r + 1); };
    // The span of a point's group, both ends painted.
    auto span = [&](int i, int px) {
        if (!lows) return;
        double lo = (*lows)[i];
        double hi = (*highs)[i];
        if (!(lo < hi)) return;
        int bottom = YToPixel(lo);
        int top = YToPixel(hi);
        if (bottom <= top) return;
        dc.MoveTo(px, bottom);
        dc.LineTo(px, top - 1);
        dc.MoveTo(px, YToPixel(ys[i]));
    };
    for (int i = 0; i < count; ++i) {
        const int px = XToPixel(xs[i]);
        if (!std::isfinite(ys[i]) || !std::isfinite(xs[i])) {
            joined = false;
            continue;
        }
        const int py = YToPixel(ys[i]);
        auto lineTo = [&](int x, int y) {
            if (joined)
                dc.LineTo(x, y);
            else
                dc.MoveTo(x, y);
        };
        switch (style) {
            case STYLE_DOT:
                span(i, px);
                dot(px, py);
                break;
            case STYLE_LINE_AND_DOT:
                lineTo(px, py);
                span(i, px);
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
                    span(i, px);
                } else {
                    int right = px + w / 2;
                    // Bars of several traces share the width, side by side.
                    int a = barLeft, b = right;
                    if (slots > 1 && slot >= 0 && slot < slots && (right - barLeft) >= 2 * slots) {
                        const long long width = static_cast<long long>(right) - barLeft;
                        a = barLeft + static_cast<int>(width * slot / slots);
                        b = barLeft + static_cast<int>(width * (slot + 1) / slots);
                    }
                    // Only the columns inside the trace clip can show: a bar
                    // of points far outside the axis (a zoom, values that are
                    // not finite) may be millions of pixels wide.
                    const int fillFrom = std::max(a + 1, m_nPlotLeft - r);
                    const int fillTo = std::min(b - 1, m_nPlotLeft + m_nPlotWidth + r);
                    for (int x = fillFrom; x <= fillTo; ++x) {
                        dc.MoveTo(x, base);
                        dc.LineTo(x, py);
                    }
                    dc.SelectPen(outlinePen);
                    dc.MoveTo(a, base);
                    dc.LineTo(a, py);
                    dc.LineTo(b, py);
                    dc.LineTo(b, base);
                    dc.SelectPen(tracePen);
                    barLeft = right;
                }
                break;
            }
            case STYLE_STEM:
                dot(px, py);
                dc.MoveTo(px, zeroBase);
                dc.LineTo(px, py);
                span(i, px);
                break;
            case STYLE_VERTICAL_LINE:
                dc.MoveTo(px, zeroBase);
                dc.LineTo(px, py);
                span(i, px);
                break;
            case STYLE_STAIR:
                if (joined) {
                    dc.LineTo(px, previousY);
                    dc.LineTo(px, py);
                } else {
                    dc.MoveTo(px, py);
                }
                span(i, px);
                break;
            case STYLE_LINE:
            default:
                lineTo(px, py);
                span(i, px);
                break;
        }
        previousY = py;
        joined = true;
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
