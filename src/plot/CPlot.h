#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "data/CDataColumn.h"
#include "data/CDataSet.h"
#include "platform/CFontDesc.h"
#include "platform/DrawTypes.h"
#include "platform/ICommandTarget.h"
#include "platform/StringTable.h"
#include "plot/CLabelArray.h"
#include "plot/CPlotColors.h"

namespace kv {

class IDrawSurface;
class IViewWindow;

// Trace styles of a plot (the "Style" menu).
enum TraceStyle : int32_t {
    STYLE_AUTO = 0,
    STYLE_LINE = 1,
    STYLE_DOT = 2,
    STYLE_LINE_AND_DOT = 3,
    STYLE_BAR = 4,
    STYLE_STEM = 5,
    STYLE_VERTICAL_LINE = 6,
    STYLE_STAIR = 7,
};

// The base of every plot window: it owns a copy of the data it draws (an X
// column and one or more trace columns), three titles, a base font and the
// drawing values of its two axes, and paints them on any drawing surface.
// Derived classes supply the data (BuildPlotData) on every full repaint.
class CPlot : public ICommandTarget {
public:
    CPlot();
    ~CPlot() override;
    CPlot(const CPlot&) = delete;
    CPlot& operator=(const CPlot&) = delete;

    // ---- virtual operations ----------------------------------------------
    // The power of ten to show in the X title; derived plots build their
    // titles here.
    virtual int GetTitlePower(int power);
    // Fills the X column, the trace columns and the point counts; may lower
    // the plot width to the number of points made.
    virtual void BuildPlotData(int& pointsWanted);
    virtual bool HasData() const;
    virtual void ApplyAxes();
    virtual int GetTraceCount() const;
    virtual int GetAutoStyle() const;
    virtual int GetStyle() const;
    virtual void ComputeRanges();
    virtual void UpdateLegend();
    virtual void ShowBusyStatus(const std::string& text);
    virtual void ShowDoneStatus(const std::string& text);
    virtual void SetStatusId(StringId id);
    virtual void SetStatusText(const std::string& text);
    virtual int FontHeightFromPercent(double percent) const;
    virtual void GetTraceStyle(const CDataColumn& column, PenStyle& penStyle, Color& fill) const;
    virtual void DrawTraces(IDrawSurface& dc);
    virtual void AfterDraw(IDrawSurface& dc);
    // Drops the plotted data and repaints (the data is rebuilt).
    virtual void Refresh();

    // Empties the X column, the trace columns and the point counts.
    void ClearPlotData();
    // The colours of the plot's elements (the grid and tic pens take theirs).
    void SetColors(const CPlotColors& colors);
    const CPlotColors& Colors() const { return m_Colors; }
    // One full repaint.
    void Paint(IDrawSurface& dc);
    void Invalidate();

    // ---- value and pixel mapping (valid after the layout of a repaint) --------
    int XToPixel(double x) const;
    int YToPixel(double y) const;
    double PixelToX(int px) const;
    double PixelToY(int py) const;

    // ---- commands ------------------------------------------------------------------
    // Runs a command unless its state says it is disabled.
    bool OnCommand(int id) final;
    bool OnUpdateCommand(CCmdUI& ui) override;
    // Runs a command; returns false when the plot does not know it.
    virtual bool DoCommand(int id);
    void SetStyle(int style);
    void OnFont();
    void OnCopyImage();
    void OnCopyData();
    void OnWriteData();

    // ---- window ------------------------------------------------------------------
    void SetWindow(IViewWindow* window) { m_pWindow = window; }
    IViewWindow* GetWindow() const { return m_pWindow; }
    // The view gained the keyboard focus.
    virtual void OnSetFocus();

    // ---- layout state ------------------------------------------------------------
    CRect m_rcClient;
    int m_nPlotWidth = 0;
    int m_nPlotHeight = 0;
    int m_nTicHalf = 0;
    int m_nCharHeight = 0;
    double m_dXOrigin = 0.0;
    double m_dXScale = 0.0;
    double m_dYOrigin = 0.0;
    double m_dYScale = 0.0;
    int m_nLegendWidth = 0;
    int m_nWidestTraceName = 0;
    int m_nLegendRowHeight = 0;
    int m_nLegendSampleWidth = 0;
    int m_nLegendSampleHalf = 0;
    int m_nPlotLeft = 0;
    int m_nPlotBottom = 0;
    int m_nDotRadius = 0;
    int32_t m_bFocusRepaint = 0;

    // ---- options -------------------------------------------------------------------
    int32_t m_nStyle = STYLE_AUTO;
    int32_t m_bBaseAtZero = 1;
    int32_t m_bLegend = 1;
    // Traces drawn smoothed: -1 automatically (above 1x scale), 0 no, 1 yes.
    int32_t m_nAntialias = -1;
    // Whether the traces are smoothed on a surface of a device scale.
    bool Antialiased(double deviceScale) const { return m_nAntialias < 0 ? deviceScale > 1.0 : m_nAntialias != 0; }
    // The device scale of the last repaint.
    double m_dDeviceScale = 1.0;
    CPen m_GridPen{PenStyle::Dot, 1, Rgb(160, 160, 160)};
    CPen m_TicPen{PenStyle::Solid, 1, Rgb(0, 0, 0)};
    CFontDesc m_BaseFont;
    double m_dFontScale = 1.0;
    std::string m_strXTitle;
    std::string m_strYTitle;
    std::string m_strMainTitle;
    // What the last rebuild appended to the X and Y titles (the power of ten
    // and, for the X title, the reduction note).
    std::string m_strXDecoration;
    std::string m_strYDecoration;
    // Labels are never drawn smaller than this (pixels at font scale 1):
    // when they crowd, only every few of them is drawn instead.
    static constexpr int kMinLabelHeight = 9;
    int m_nXLabelStride = 1;
    int m_nYLabelStride = 1;
    bool m_bLabelsShrunk = false;

    // ---- axis drawing values -----------------------------------------------------
    double m_dXMin = 0.0;
    double m_dXMax = 100.0;
    double m_dXLabelSpacing = 50.0;
    double m_dXTicSpacing = 10.0;
    double m_dXZero = 0.0;
    int m_nXPower = 0;
    int m_nXTitlePower = 0;
    int m_nXMaxDigits = 2;
    int m_nXGrid = 0;
    int32_t m_bXLog = 0;
    double m_dYMin = -1.0;
    double m_dYMax = 1.0;
    double m_dYLabelSpacing = 0.2;
    double m_dYTicSpacing = 0.1;
    double m_dYZero = 0.0;
    int m_nYPower = 0;
    int m_nYMaxDigits = 2;
    int m_nYGrid = 0;
    int32_t m_bYLog = 0;
    int32_t m_bPolar = 0;

    // ---- plotted data --------------------------------------------------------------
    CDataColumn m_XColumn;
    // One column per trace: its name is the legend text, m_nTag1 its colour
    // and m_nTag2 the dotted flag.
    CDataSet m_Traces;
    // For each plotted point, the number of samples it stands for.
    std::vector<int32_t> m_PointCounts;
    // For each plotted point, the (working) index of its first sample; empty
    // when the points are not runs of samples.
    std::vector<int32_t> m_PointFirst;
    // For each trace, the smallest and largest value of each point's group
    // of samples, drawn as a vertical span in the point's pixel column (an
    // empty list: every point is drawn alone).
    std::vector<std::vector<double>> m_TraceLow;
    std::vector<std::vector<double>> m_TraceHigh;
    // The points are a cloud (of a polar plot): each is drawn as the one
    // pixel it stands for, in no order and never joined.
    int32_t m_bPointCloud = 0;

    // Labels of the last repaint.
    CLabelArray m_XLabels;
    CLabelArray m_YLabels;

    // The painted area the points were made for, and the plot width they
    // narrowed it to: a repaint of the same area draws them the same way.
    CRect m_rcBuilt;
    bool m_bBuiltForPrinter = false;
    int m_nBuiltWidth = 0;

protected:
    // After the points were made: widens an automatic axis to take in
    // everything drawn; true when it did (the plot is then laid out and its
    // points made again).
    virtual bool FitDrawnRange();
    // Steps of a repaint: the title power, the mapping, the labels and the
    // layout of the plot rectangle in the area; false when no plot fits.
    bool LayOut(IDrawSurface& dc, const CRect& area, CSize& xLabelSize, int& yLabelWidth);
    // Empty trace columns, as many as GetTraceCount.
    void MakeTraceColumns();
    // Takes what the last rebuild appended off the titles.
    void StripDecorations();

    CPlotColors m_Colors;

    // Trace column n (0 based).
    CDataColumn& Trace(int n) { return m_Traces.GetColumn(n); }
    // Draws a cloud of points, each as one pixel.
    void DrawCloud(IDrawSurface& dc, const CDataColumn& x, const CDataColumn& y);
    // Draws one trace; lows and highs, when given, hold the span of each
    // point's group. Points whose value is not finite are gaps. Wide bars of
    // several traces stand side by side: this trace takes the slot-th of
    // slots parts of each bar's width.
    void DrawTrace(IDrawSurface& dc, const CDataColumn& x, const CDataColumn& y,
                   const std::vector<double>* lows = nullptr, const std::vector<double>* highs = nullptr,
                   int slot = 0, int slots = 1);

    IViewWindow* m_pWindow = nullptr;

private:
    void SetUpMapping();
    void DrawTitles(IDrawSurface& dc, const CRect& area);
    void DrawGrid(IDrawSurface& dc);
    void DrawAxes(IDrawSurface& dc);
    void DrawLegend(IDrawSurface& dc);
};

// Pixel offsets are kept far outside any window but inside the int range,
// whatever the values (huge, infinite or not a number).
inline int ClampPixel(double v) {
    constexpr double limit = 1.0e6;
    if (std::isnan(v)) return 0;
    if (v > limit) return static_cast<int>(limit);
    if (v < -limit) return -static_cast<int>(limit);
    return static_cast<int>(v);
}

inline int CPlot::XToPixel(double x) const {
    if (m_bXLog) {
        if (!(x > 0)) return m_nPlotLeft;
        x = std::log10(x);
    }
    return m_nPlotLeft + ClampPixel(std::trunc((x - m_dXOrigin) * m_dXScale * m_nPlotWidth + 0.001));
}

inline int CPlot::YToPixel(double y) const {
    if (m_bYLog) {
        if (!(y > 0)) return m_nPlotBottom;
        y = std::log10(y);
    }
    return ClampPixel(std::round(m_nPlotBottom - (y - m_dYOrigin) * m_dYScale * m_nPlotHeight));
}

// Colour of a trace column.
inline Color TraceColor(const CDataColumn& c) { return static_cast<Color>(c.m_nTag1); }
inline void SetTraceColor(CDataColumn& c, Color color) { c.m_nTag1 = static_cast<int32_t>(color); }

}  // namespace kv
