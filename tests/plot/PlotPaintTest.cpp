#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/IFontChooser.h"
#include "plot/CTestPlot.h"
#include "plot/PlotCommands.h"
#include "support/CFakeViewWindow.h"
#include "support/CRecordingSurface.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

using test::CDrawCall;
using test::CRecordingSurface;
using test::CTestPlot;

int IndexOf(const CRecordingSurface& dc, const std::function<bool(const CDrawCall&)>& pred) {
    for (size_t i = 0; i < dc.calls.size(); ++i)
        if (pred(dc.calls[i])) return static_cast<int>(i);
    return -1;
}

TEST(PlotPaint, BaseFontIsFourPercentOfTheSmallerSide) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    CTestPlot::Fill(plot, 10, [](int i) { return std::sin(i); });
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    ASSERT_FALSE(dc.Of(CDrawCall::SelectFont).empty());
    EXPECT_EQ(dc.Of(CDrawCall::SelectFont)[0].font.m_nHeight, 12);
    EXPECT_EQ(plot.m_BaseFont.m_nHeight, 12);
    EXPECT_EQ(plot.m_BaseFont.m_nWeight, 700);
    EXPECT_EQ(plot.m_BaseFont.m_strFace, "Arial");
    EXPECT_EQ(plot.m_nDotRadius, 2);
    EXPECT_EQ(plot.m_nCharHeight, 12);
    EXPECT_EQ(plot.m_nTicHalf, 3);

    CRecordingSurface printer(400, 300);
    printer.SetPrinter(3000, 2000);
    plot.Refresh();
    plot.Paint(printer);
    EXPECT_EQ(printer.Of(CDrawCall::SelectFont)[0].font.m_nHeight, 60);  // 3 % of 2000
    EXPECT_EQ(plot.m_rcClient, (CRect{0, 0, 3000, 2000}));
    EXPECT_EQ(plot.m_nDotRadius, std::max(2, std::min(plot.m_nPlotWidth, plot.m_nPlotHeight) / 500));
}

TEST(PlotPaint, LayoutLeavesRoomForLabelsAndTitles) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    CTestPlot::Fill(plot, 11, [](int i) { return i * 0.1; });
    CRecordingSurface dc(600, 400);
    plot.Paint(dc);
    const int t = 16;  // 4 % of 400
    ASSERT_EQ(plot.m_nCharHeight, t);
    int wy = 0;
    for (int i = 0; i < plot.m_YLabels.GetSize(); ++i)
        wy = std::max<int>(wy, static_cast<int>(plot.m_YLabels[i].m_strText.size()) * (t / 2));
    int wx = 0;
    for (int i = 0; i < plot.m_XLabels.GetSize(); ++i)
        wx = std::max<int>(wx, static_cast<int>(plot.m_XLabels[i].m_strText.size()) * (t / 2));
    EXPECT_EQ(plot.m_nPlotLeft, wy + 3 * t);
    EXPECT_EQ(plot.m_nPlotWidth, 600 - (wy + 3 * t) - wx);
    // Top margin: main title and a line; bottom: half a line, X title, X labels.
    EXPECT_EQ(plot.m_nPlotHeight, 400 - (t / 2 + t + t) - (t + t));
    EXPECT_EQ(plot.m_nPlotBottom, 2 * t + plot.m_nPlotHeight);

    // The X axis runs along the bottom of the plot rectangle, the Y axis up its left side.
    auto lines = dc.Lines();
    bool xAxis = false, yAxis = false;
    for (const auto& l : lines) {
        if (l.x1 == plot.m_nPlotLeft && l.y1 == plot.m_nPlotBottom && l.x2 == plot.m_nPlotLeft + plot.m_nPlotWidth &&
            l.y2 == plot.m_nPlotBottom)
            xAxis = true;
        if (l.x1 == plot.m_nPlotLeft && l.y1 == plot.m_nPlotBottom && l.x2 == plot.m_nPlotLeft &&
            l.y2 == plot.m_nPlotBottom - plot.m_nPlotHeight)
            yAxis = true;
    }
    EXPECT_TRUE(xAxis);
    EXPECT_TRUE(yAxis);

    // Titles: main over the plot, X under the labels, Y turned upward at the left.
    const CDrawCall* main = dc.FindText("Main Title");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->x1, plot.m_nPlotLeft + plot.m_nPlotWidth / 2);
    EXPECT_EQ(main->y1, plot.m_nPlotBottom - t - plot.m_nPlotHeight);
    const CDrawCall* xTitle = dc.FindText("X-Title");
    ASSERT_NE(xTitle, nullptr);
    EXPECT_EQ(xTitle->y1, plot.m_nPlotBottom + 2 * t);
    const CDrawCall* yTitle = dc.FindText("Y-Title");
    ASSERT_NE(yTitle, nullptr);
    EXPECT_EQ(yTitle->font.m_nEscapement, 900);
    EXPECT_EQ(yTitle->x1, static_cast<int>(1.25 * t));
    EXPECT_EQ(yTitle->y1, plot.m_nPlotBottom - plot.m_nPlotHeight / 2 - t / 2);

    // Labels: X centred under its value, Y right-aligned left of the axis.
    const CDrawCall* x5 = dc.FindText("5");
    ASSERT_NE(x5, nullptr);
    EXPECT_EQ(x5->x1, plot.XToPixel(5));
    EXPECT_EQ(x5->y1, plot.m_nPlotBottom + t);
    const CDrawCall* y05 = dc.FindText("0.5");
    ASSERT_NE(y05, nullptr);
    EXPECT_EQ(y05->align, TextAlign::RightBottom);
    EXPECT_EQ(y05->x1, plot.m_nPlotLeft - t);
    EXPECT_EQ(y05->y1, plot.YToPixel(0.5) + t / 2);
}

TEST(PlotPaint, DrawingOrderAndTraceClip) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    CTestPlot::Fill(plot, 50, [](int i) { return std::sin(i * 0.3); });
    CRecordingSurface dc(500, 400);
    plot.Paint(dc);
    const Color red = 0x0000FF;
    int grid = IndexOf(dc, [](const CDrawCall& c) { return c.kind == CDrawCall::LineTo && c.pen.m_style == PenStyle::Dot; });
    int title = IndexOf(dc, [](const CDrawCall& c) { return c.kind == CDrawCall::TextOut && c.text == "Main Title"; });
    int label = IndexOf(dc, [](const CDrawCall& c) { return c.kind == CDrawCall::TextOut && c.text == "10"; });
    int clip = IndexOf(dc, [](const CDrawCall& c) { return c.kind == CDrawCall::SetClip; });
    int trace = IndexOf(dc, [&](const CDrawCall& c) { return c.kind == CDrawCall::LineTo && c.pen.m_color == red; });
    ASSERT_GE(grid, 0);
    ASSERT_GE(title, 0);
    ASSERT_GE(label, 0);
    ASSERT_GE(clip, 0);
    ASSERT_GE(trace, 0);
    EXPECT_LT(title, grid);
    EXPECT_LT(grid, label);
    EXPECT_LT(label, clip);
    EXPECT_LT(clip, trace);
    int r = plot.m_nDotRadius;
    EXPECT_EQ(dc.calls[clip].rect, (CRect{plot.m_nPlotLeft - r, plot.m_nPlotBottom - plot.m_nPlotHeight - r,
                                          plot.m_nPlotLeft + plot.m_nPlotWidth + r, plot.m_nPlotBottom + r}));
    EXPECT_EQ(dc.calls.back().kind == CDrawCall::ClearClip || !dc.Of(CDrawCall::ClearClip).empty(), true);
    // Grid On Tic Marks is the axis default: grey dotted lines.
    EXPECT_EQ(dc.calls[grid].pen, (CPen{PenStyle::Dot, 1, Rgb(160, 160, 160)}));
}

TEST(PlotPaint, AutoStyleDrawsDotsUpTo256Points) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    CTestPlot::Fill(plot, 256, [](int i) { return i % 7; });
    CRecordingSurface dc(800, 600);
    plot.Paint(dc);
    EXPECT_EQ(plot.GetStyle(), STYLE_LINE_AND_DOT);
    EXPECT_EQ(dc.Ellipses().size(), 256u);

    CTestPlot::Fill(plot, 257, [](int i) { return i % 7; });
    plot.Refresh();
    CRecordingSurface dc2(800, 600);
    plot.Paint(dc2);
    EXPECT_EQ(plot.GetStyle(), STYLE_LINE);
    EXPECT_TRUE(dc2.Ellipses().empty());
}

TEST(PlotPaint, LegendNeedsThreeTimesItsWidth) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    plot.xs = {0, 1, 2, 3};
    plot.ys = {{0, 1, 0, 1}, {1, 0, 1, 0}};
    plot.names = {"Inphase", "Quadrature"};
    CRecordingSurface wide(1200, 300);
    plot.Paint(wide);
    EXPECT_GT(plot.m_nLegendWidth, 0);
    EXPECT_TRUE(wide.HasText("Inphase"));
    EXPECT_TRUE(wide.HasText("Quadrature"));
    // Legend samples are lines of width 3 in the trace colour.
    bool sample = false;
    for (const auto& l : wide.Lines())
        if (l.pen.m_nWidth == 3 && l.pen.m_color == 0xFF0000) sample = true;
    EXPECT_TRUE(sample);

    plot.Refresh();
    CRecordingSurface narrow(300, 300);
    plot.Paint(narrow);
    EXPECT_EQ(plot.m_nLegendWidth, 0);
    EXPECT_FALSE(narrow.HasText("Quadrature"));

    // Traces without a name leave their row empty.
    plot.names = {"", "Q"};
    plot.Refresh();
    CRecordingSurface rows(1200, 300);
    plot.Paint(rows);
    EXPECT_TRUE(rows.HasText("Q"));
    EXPECT_FALSE(rows.HasText(""));
}

TEST(PlotPaint, CrowdedLabelsUseASmallerFontButTitlesKeepTheBase) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    CTestPlot::Fill(plot, 11, [](int i) { return i; });
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    // Plenty of room: labels in the base font.
    EXPECT_EQ(dc.FindText("4")->font.m_nHeight, 12);

    // Labels every 1 on 0 ... 100 with long texts crowd the axis.
    CTestPlot::Fill(plot, 101, [](int i) { return i; });
    plot.m_XAxis.m_nMaxDigits = 3;
    plot.m_XAxis.m_bAutoScale = 0;
    plot.m_XAxis.m_dDataMin = 0;
    plot.m_XAxis.m_dDataMax = 100;
    plot.m_XAxis.m_dAxisMin = 0;
    plot.m_XAxis.m_dAxisMax = 100;
    plot.m_XAxis.m_dLabelSpacing = 5;
    plot.m_XAxis.m_dTicSpacing = 5;
    plot.Refresh();
    CRecordingSurface crowded(400, 300);
    plot.Paint(crowded);
    const CDrawCall* label = crowded.FindText("50");
    ASSERT_NE(label, nullptr);
    EXPECT_LT(label->font.m_nHeight, 12);
    EXPECT_GT(label->font.m_nHeight, 0);
    EXPECT_EQ(crowded.FindText("Main Title")->font.m_nHeight, 12);
}

TEST(PlotPaint, BarsShareTheirSides) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    plot.xs = {0, 1, 2, 3};
    plot.ys = {{1, 2, 3, 2}};
    plot.m_nStyle = STYLE_BAR;
    CAxisScale& y = plot.m_YAxis;
    y.m_bAutoScale = 0;
    y.m_dDataMin = y.m_dAxisMin = 0;
    y.m_dDataMax = y.m_dAxisMax = 5;
    y.m_dLabelSpacing = y.m_dTicSpacing = 1;
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    int w = plot.XToPixel(1) - plot.XToPixel(0);
    ASSERT_GE(w, 3);
    // Black outlines: the top of each bar; the right side of one bar is the
    // left side of the next.
    std::vector<CDrawCall> tops;
    for (const auto& l : dc.Lines())
        if (l.pen.m_color == 0 && l.y1 == l.y2 && l.y1 < plot.m_nPlotBottom - 1 && l.x1 >= plot.m_nPlotLeft)
            tops.push_back(l);
    ASSERT_EQ(tops.size(), 4u);
    EXPECT_EQ(tops[0].x1, plot.XToPixel(0));  // the first bar starts at the axis
    EXPECT_EQ(tops[0].x2 - tops[0].x1, w / 2);
    for (size_t i = 1; i < tops.size(); ++i) {
        EXPECT_EQ(tops[i].x2 - tops[i].x1, w);
        EXPECT_EQ(tops[i - 1].x2, tops[i].x1);
        EXPECT_EQ(tops[i].y1, plot.YToPixel(plot.ys[0][i]));
    }
    // The fill: vertical lines in the trace colour between the sides.
    auto fill = dc.LinesInColor(0x0000FF);
    ASSERT_FALSE(fill.empty());
    for (const auto& l : fill) EXPECT_EQ(l.x1, l.x2);
}

// A bar style zoomed far in: each bar is about a million pixels wide. Only
// its columns inside the trace clip are filled, so the repaint stays quick.
TEST(PlotPaint, BarsWiderThanThePlotFillOnlyWhatShows) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    plot.xs = {0, 1, 2, 3};
    plot.ys = {{1, 2, 3, 2}};
    plot.m_nStyle = STYLE_BAR;
    CAxisScale& x = plot.m_XAxis;
    x.m_bAutoScale = 0;
    x.m_dDataMin = x.m_dAxisMin = 0;
    x.m_dDataMax = x.m_dAxisMax = 0.001;
    x.m_dLabelSpacing = x.m_dTicSpacing = 0.0005;
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    ASSERT_GT(plot.XToPixel(1) - plot.XToPixel(0), 100000);
    const int r = plot.m_nDotRadius;
    auto fill = dc.LinesInColor(0x0000FF);
    ASSERT_FALSE(fill.empty());
    EXPECT_LE(fill.size(), static_cast<size_t>(4 * (plot.m_nPlotWidth + 2 * r + 1)));
    for (const auto& l : fill) {
        EXPECT_GE(l.x1, plot.m_nPlotLeft - r);
        EXPECT_LE(l.x1, plot.m_nPlotLeft + plot.m_nPlotWidth + r);
    }
}

TEST(PlotPaint, DenseBarsBecomeLines) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    CTestPlot::Fill(plot, 1000, [](int i) { return 1 + i % 5; });
    plot.m_nStyle = STYLE_BAR;
    CRecordingSurface dc(300, 300);
    plot.Paint(dc);
    auto traces = dc.LinesInColor(0x0000FF);
    ASSERT_EQ(traces.size(), 1000u);
    for (const auto& l : traces) EXPECT_EQ(l.x1, l.x2);
}

TEST(PlotPaint, OriginAtZeroMovesTheBase) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    plot.xs = {0, 1};
    plot.ys = {{-1, 1}};
    plot.m_nStyle = STYLE_STEM;
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    int zero = plot.YToPixel(0);
    auto stems = dc.LinesInColor(0x0000FF);
    ASSERT_EQ(stems.size(), 2u);
    EXPECT_EQ(stems[0].y1, zero);
    EXPECT_EQ(stems[1].y1, zero);
    EXPECT_GT(stems[0].y2, zero);  // down to -1
    EXPECT_LT(stems[1].y2, zero);  // up to 1

    plot.m_bBaseAtZero = 0;
    plot.Refresh();
    CRecordingSurface dc2(400, 300);
    plot.Paint(dc2);
    auto bottomStems = dc2.LinesInColor(0x0000FF);
    ASSERT_EQ(bottomStems.size(), 2u);
    EXPECT_EQ(bottomStems[0].y1, plot.m_nPlotBottom);
    EXPECT_EQ(bottomStems[1].y1, plot.m_nPlotBottom);

    // Bars start one pixel toward the point.
    plot.m_bBaseAtZero = 1;
    plot.m_nStyle = STYLE_BAR;
    plot.Refresh();
    CRecordingSurface dc3(400, 300);
    plot.Paint(dc3);
    bool down = false, up = false;
    for (const auto& l : dc3.LinesInColor(0x0000FF)) {
        if (l.y1 == zero + 1 && l.y2 > zero) down = true;
        if (l.y1 == zero - 1 && l.y2 < zero) up = true;
    }
    EXPECT_TRUE(down);
    EXPECT_TRUE(up);
}

TEST(PlotPaint, StairAndDotStyles) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    plot.xs = {0, 1, 2};
    plot.ys = {{0, 1, 0}};
    plot.m_nStyle = STYLE_STAIR;
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    auto lines = dc.LinesInColor(0x0000FF);
    ASSERT_EQ(lines.size(), 6u);
    // Horizontal at the previous height, then vertical to the point.
    EXPECT_EQ(lines[2].y1, lines[2].y2);
    EXPECT_EQ(lines[2].y2, plot.YToPixel(0));
    EXPECT_EQ(lines[3].x1, lines[3].x2);
    EXPECT_EQ(lines[3].y2, plot.YToPixel(1));

    plot.m_nStyle = STYLE_DOT;
    plot.Refresh();
    CRecordingSurface dots(400, 300);
    plot.Paint(dots);
    EXPECT_TRUE(dots.LinesInColor(0x0000FF).empty());
    auto e = dots.Ellipses();
    ASSERT_EQ(e.size(), 3u);
    int r = plot.m_nDotRadius;
    EXPECT_EQ(e[1].x1, plot.XToPixel(1) - r);
    EXPECT_EQ(e[1].x2, plot.XToPixel(1) + r + 1);
    EXPECT_EQ(e[1].color, 0x0000FFu);
}

TEST(PlotPaint, PowerSuffixIsAddedOncePerRebuild) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    CTestPlot::Fill(plot, 10, [](int i) { return i * 1e6; });
    plot.m_strYTitle = "Amplitude";
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    EXPECT_EQ(plot.m_nYPower, 6);
    EXPECT_EQ(plot.m_strYTitle, "Amplitude * 10^6");
    EXPECT_TRUE(dc.HasText("Amplitude * 10^6"));
    EXPECT_TRUE(dc.HasText("9"));
    CRecordingSurface again(400, 300);
    plot.Paint(again);
    EXPECT_EQ(plot.builds, 1);
    EXPECT_EQ(plot.m_strYTitle, "Amplitude * 10^6");
}

TEST(PlotPaint, TooSmallWindowsDrawNothing) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    CTestPlot::Fill(plot, 10, [](int i) { return i; });
    CRecordingSurface narrow(49, 300);
    plot.Paint(narrow);
    EXPECT_TRUE(narrow.Lines().empty());
    EXPECT_TRUE(narrow.Texts().empty());
    CRecordingSurface low(300, 39);
    plot.Paint(low);
    EXPECT_TRUE(low.Lines().empty());
    CRecordingSurface ok(50, 40);
    plot.Paint(ok);  // small but allowed: no crash, the margins may leave no plot
    plot.hasData = false;
    CRecordingSurface none(400, 300);
    plot.Paint(none);
    EXPECT_TRUE(none.calls.empty());
}

TEST(PlotPaint, PolarPlotsHaveEqualScales) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    plot.m_bPolar = 1;
    plot.xs = {0, 1, 2, 3};
    plot.ys = {{-1, 0, 1, 0}, {0, 1, 0, -1}};
    CRecordingSurface dc(900, 400);
    plot.Paint(dc);
    double unitX = plot.m_nPlotWidth / (plot.m_dXMax - plot.m_dXMin);
    double unitY = plot.m_nPlotHeight / (plot.m_dYMax - plot.m_dYMin);
    EXPECT_NEAR(unitX, unitY, 1.0);
    // Polar draws trace 2 against trace 1.
    auto lines = dc.LinesInColor(0xFF0000);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[1].x2, plot.XToPixel(0));
    EXPECT_EQ(lines[1].y2, plot.YToPixel(1));
}

// Spans of about 1e306 overflow span times pixels: the layout still gives
// both axes the same scale instead of converting infinity to a width.
TEST(PlotPaint, PolarPlotsOfHugeSpansKeepEqualScales) {
    test::CScriptedPlatform p;
    CTestPlot plot;
    plot.m_bPolar = 1;
    plot.xs = {0, 1, 2, 3};
    plot.ys = {{-5e305, 0, 5e305, 0}, {0, 5e305, 0, -5e305}};
    CRecordingSurface dc(900, 400);
    plot.Paint(dc);
    ASSERT_GT(plot.m_nPlotWidth, 0);
    ASSERT_GT(plot.m_nPlotHeight, 0);
    EXPECT_LE(plot.m_nPlotWidth, 900);
    double unitX = plot.m_nPlotWidth / (plot.m_dXMax - plot.m_dXMin);
    double unitY = plot.m_nPlotHeight / (plot.m_dYMax - plot.m_dYMin);
    EXPECT_NEAR(unitX / unitY, 1.0, 0.01);
}

TEST(PlotPaint, FocusRepaintWaitsOnce) {
    test::CScriptedPlatform p;
    test::CFakeViewWindow window(400, 300);
    CTestPlot plot;
    plot.SetWindow(&window);
    CTestPlot::Fill(plot, 10, [](int i) { return i; });
    plot.OnSetFocus();
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    plot.Paint(dc);
    EXPECT_EQ(window.waits, (std::vector<int>{15}));
    EXPECT_EQ(plot.m_bFocusRepaint, 0);
}

class CFixedFontChooser : public IFontChooser {
public:
    bool ChooseFont(CFontDesc& desc, int flags) override {
        seen = desc;
        seenFlags = flags;
        if (!accept) return false;
        desc.m_strFace = "Courier";
        desc.m_nHeight = desc.m_nHeight * 2;
        desc.m_nWeight = 400;
        return true;
    }
    bool accept = true;
    CFontDesc seen;
    int seenFlags = 0;
};

TEST(PlotCommands, FontActsAsAFactorOnTheBaseSize) {
    test::CScriptedPlatform p;
    CFixedFontChooser chooser;
    p.Platform().SetFontChooser(&chooser);
    test::CFakeViewWindow window(400, 300);
    CTestPlot plot;
    plot.SetWindow(&window);
    CTestPlot::Fill(plot, 10, [](int i) { return i; });
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    ASSERT_TRUE(plot.OnCommand(ID_PLOT_FONT));
    EXPECT_EQ(chooser.seen.m_nHeight, 12);
    EXPECT_TRUE(chooser.seenFlags & IFontChooser::ScalableOnly);
    EXPECT_DOUBLE_EQ(plot.m_dFontScale, 2.0);
    EXPECT_EQ(plot.m_XColumn.GetSize(), 0);  // refreshed
    CRecordingSurface dc2(400, 300);
    plot.Paint(dc2);
    EXPECT_EQ(dc2.Of(CDrawCall::SelectFont)[0].font.m_nHeight, 24);
    EXPECT_EQ(dc2.Of(CDrawCall::SelectFont)[0].font.m_strFace, "Courier");

    chooser.accept = false;
    plot.OnCommand(ID_PLOT_FONT);
    EXPECT_DOUBLE_EQ(plot.m_dFontScale, 2.0);
    p.Platform().SetFontChooser(nullptr);
}

TEST(PlotCommands, StylesAreCheckedAndRepaintWithoutRebuild) {
    test::CScriptedPlatform p;
    test::CFakeViewWindow window(400, 300);
    CTestPlot plot;
    plot.SetWindow(&window);
    CTestPlot::Fill(plot, 10, [](int i) { return i; });
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    int invalidations = window.invalidations;
    plot.OnCommand(ID_STYLE_STEM);
    EXPECT_EQ(plot.m_nStyle, STYLE_STEM);
    EXPECT_EQ(window.invalidations, invalidations + 1);
    EXPECT_GT(plot.m_XColumn.GetSize(), 0);
    CCmdUI stem(ID_STYLE_STEM);
    CCmdUI line(ID_STYLE_LINE);
    ASSERT_TRUE(plot.OnUpdateCommand(stem));
    ASSERT_TRUE(plot.OnUpdateCommand(line));
    EXPECT_EQ(stem.m_nCheck, 1);
    EXPECT_EQ(line.m_nCheck, 0);
    plot.OnCommand(ID_STYLE_AUTO);
    CCmdUI autoStyle(ID_STYLE_AUTO);
    plot.OnUpdateCommand(autoStyle);
    EXPECT_EQ(autoStyle.m_nCheck, 1);

    CCmdUI print(ID_FILE_PRINT);
    plot.OnUpdateCommand(print);
    EXPECT_TRUE(print.m_bEnabled);
    plot.OnCommand(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(window.previews, 1);
    plot.ClearPlotData();
    plot.OnUpdateCommand(print);
    EXPECT_FALSE(print.m_bEnabled);
    plot.OnCommand(ID_FILE_PRINT);
    EXPECT_EQ(window.prints, 0);  // disabled commands do not run
}

}  // namespace
}  // namespace kv
