// Pictures an engineer can trust: the same picture however it is repainted,
// every value drawn inside its axis, every axis drawn, legible labels,
// titles that fit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "plot/CTestPlot.h"
#include "plot/GraphFixture.h"

namespace kv {
namespace {

using test::CDrawCall;
using test::CGraphFixture;
using test::CRecordingSurface;
using test::CTestPlot;

// The drawing calls that put something on the surface.
std::vector<std::string> Drawn(const CRecordingSurface& dc) {
    std::vector<std::string> out;
    for (const CDrawCall& c : dc.calls) {
        char buf[160];
        switch (c.kind) {
            case CDrawCall::LineTo:
                std::snprintf(buf, sizeof buf, "L %d %d %d %d %06x", c.x1, c.y1, c.x2, c.y2, c.pen.m_color);
                break;
            case CDrawCall::Ellipse: std::snprintf(buf, sizeof buf, "E %d %d %d %d", c.x1, c.y1, c.x2, c.y2); break;
            case CDrawCall::TextOut:
                std::snprintf(buf, sizeof buf, "T %d %d %d ", c.x1, c.y1, c.font.m_nHeight);
                out.push_back(buf + c.text);
                continue;
            default: continue;
        }
        out.emplace_back(buf);
    }
    return out;
}

void LongSignal(CKalvoData& d, int n) {
    d.Reset();
    d.m_bTime = 1;
    d.Inphase().SetSize(n);
    d.Quadrature().SetSize(n);
    for (int i = 0; i < n; ++i) d.Inphase().SetAt(i, std::sin(i * 0.0123) * (1 + (i % 977) * 1e-3));
    d.m_bReal = 1;
    d.ResetRange();
    d.ApplyFs(CFs(1e6));
}

// A repaint without a rebuild (an exposed window, a picture of the window)
// draws exactly what the repaint that made the points drew, also after a
// printed page made them for its own size.
TEST(PlotPicture, EveryRepaintOfTheSameAreaDrawsTheSamePicture) {
    CGraphFixture f;
    // A few samples per pixel: the reduction narrows the plot to its points.
    LongSignal(f.data, 1100);
    f.graph.Attach(f.data, 1, 0);
    const std::vector<std::string> first = Drawn(f.Paint());
    ASSERT_GT(f.graph.m_dReductionRatio, 1);
    ASSERT_LT(f.graph.m_dReductionRatio, 5);
    EXPECT_EQ(Drawn(f.Paint()), first);

    CRecordingSurface page(600, 400);
    page.SetPrinter(3300, 2550);
    f.graph.Paint(page);
    EXPECT_GT(f.graph.m_nPlotWidth, 1000);  // laid out and reduced for the page
    EXPECT_EQ(Drawn(f.Paint()), first);

    // A picture recorded through the window is the window's picture.
    f.graph.OnCopyImage();
    CRecordingSurface recorded(600, 400);
    for (const CDrawCall& c : f.window.pictureCalls) recorded.calls.push_back(c);
    EXPECT_EQ(Drawn(recorded), first);
}

// Sum mode draws the power of groups of lines, above any single line: the
// automatic axis takes it in.
TEST(PlotPicture, SumModeDrawsEveryValueInsideTheAxis) {
    CGraphFixture f;
    auto re = [](int i) {
        int k = i < 0 ? -i : i;
        if (k == 1000) return 1.0;
        if (k == 999 || k == 1001) return 0.5;
        return 1e-4 * ((i * 7919) % 13);
    };
    test::MakeFreqData(f.data, 65536, 65536.0, re, {}, true);
    f.graph.Attach(f.data, 4, 0);  // magnitude in dB, sum mode
    ASSERT_EQ(f.graph.m_bSumMode, 1);
    f.Paint();
    const CGraph& g = f.graph;
    ASSERT_GT(g.m_dReductionRatio, 2);
    double top = -HUGE_VAL;
    for (int i = 0; i < g.m_Traces.GetColumn(0).GetSize(); ++i) top = std::max(top, g.m_Traces.GetColumn(0)[i]);
    EXPECT_NEAR(top, 10 * std::log10(1.5), 1e-3);  // the tone's three lines in one column
    EXPECT_LE(top, g.m_dYMax);
    EXPECT_GT(g.m_dYMax, 0.0);
    // The line of the tone is drawn below the top of the plot.
    bool inside = true;
    for (const CDrawCall& l : f.last->LinesInColor(Rgb(255, 0, 0)))
        inside = inside && std::min(l.y1, l.y2) >= g.m_nPlotBottom - g.m_nPlotHeight;
    EXPECT_TRUE(inside);
}

// A log X axis that starts above 1 still draws its axes, tics and labels.
TEST(PlotPicture, LogAxisFrom100To10000DrawsItsLabels) {
    test::CScriptedPlatform platform;
    CTestPlot plot;
    for (int i = 0; i <= 40; ++i) plot.xs.push_back(100 * std::pow(10.0, i / 20.0));
    plot.ys.assign(1, {});
    for (double x : plot.xs) plot.ys[0].push_back(std::log10(x));
    plot.m_XAxis.m_bLog = 1;
    plot.ApplyXAxis();
    CRecordingSurface dc(600, 400);
    plot.Paint(dc);
    ASSERT_DOUBLE_EQ(plot.m_dXMin, 100);
    ASSERT_DOUBLE_EQ(plot.m_dXMax, 10000);
    for (const char* label : {"1.0E+2", "1.0E+3", "1.0E+4"}) {
        const CDrawCall* text = dc.FindText(label);
        ASSERT_NE(text, nullptr) << label;
        EXPECT_GE(text->font.m_nHeight, CPlot::kMinLabelHeight);
    }
    // The X axis line and a tic at 200.
    bool axis = false, tic = false;
    for (const CDrawCall& l : dc.Lines()) {
        if (l.y1 == plot.m_nPlotBottom && l.y2 == plot.m_nPlotBottom && l.x2 - l.x1 == plot.m_nPlotWidth) axis = true;
        if (l.x1 == plot.XToPixel(200) && l.x2 == l.x1 && l.y1 < plot.m_nPlotBottom && l.y2 > plot.m_nPlotBottom)
            tic = true;
    }
    EXPECT_TRUE(axis);
    EXPECT_TRUE(tic);
}

// Crowded labels shrink, but not below a legible size: then only every few
// of them is drawn, none overlaps another, and tic marks stay clear of them.
TEST(PlotPicture, CrowdedLabelsStayLegibleAndClearOfTheTics) {
    test::CScriptedPlatform platform;
    CTestPlot plot;
    CTestPlot::Fill(plot, 101, [](int i) { return i % 10; });
    CAxisScale& x = plot.m_XAxis;
    x.m_bAutoScale = 0;
    x.m_dDataMin = x.m_dAxisMin = 0;
    x.m_dDataMax = x.m_dAxisMax = 100;
    x.m_dLabelSpacing = 1;
    x.m_dTicSpacing = 1;
    x.m_nMaxDigits = 3;
    CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    std::vector<CDrawCall> labels;
    for (const CDrawCall& t : dc.Texts())
        if (t.align == TextAlign::CenterBaseline && t.y1 > plot.m_nPlotBottom &&
            t.y1 < plot.m_nPlotBottom + 3 * plot.m_nCharHeight && t.text != "X-Title")
            labels.push_back(t);
    ASSERT_GE(labels.size(), 5u);
    ASSERT_LT(labels.size(), 101u);
    int previousRight = -1000;
    for (const CDrawCall& t : labels) {
        const int h = t.font.m_nHeight;
        EXPECT_GE(h, CPlot::kMinLabelHeight) << t.text;
        const int width = static_cast<int>(t.text.size()) * ((h + 1) / 2);
        EXPECT_GT(t.x1 - width / 2, previousRight) << t.text;
        previousRight = t.x1 + width / 2;
        // The top of the text (four fifths of its height above the
        // baseline) is below the ends of the tic marks.
        EXPECT_GE(t.y1 - h * 4 / 5, plot.m_nPlotBottom + plot.m_nTicHalf) << t.text;
    }
}

// Long titles are cut short with an ellipsis inside the window.
TEST(PlotPicture, LongTitlesAreCutShort) {
    test::CScriptedPlatform platform;
    CTestPlot plot;
    CTestPlot::Fill(plot, 20, [](int i) { return i; });
    const std::string longTitle(200, 'W');
    plot.m_strMainTitle = longTitle;
    plot.m_strXTitle = "Time in ms " + longTitle;
    plot.m_strYTitle = "Amplitude " + longTitle;
    CRecordingSurface dc(500, 300);
    plot.Paint(dc);
    int cut = 0;
    for (const CDrawCall& t : dc.Texts()) {
        const int width = static_cast<int>(t.text.size() - (t.text.ends_with("\u2026") ? 2 : 0)) * ((t.font.m_nHeight + 1) / 2);
        if (t.text.ends_with("\u2026")) {
            ++cut;
            if (t.font.m_nEscapement == 0) {
                EXPECT_GE(t.x1 - width / 2, 0) << t.text;
                EXPECT_LE(t.x1 + width / 2, 500) << t.text;
            } else {
                EXPECT_LE(width, 300) << t.text;
            }
        }
    }
    EXPECT_EQ(cut, 3);

    // Titles that fit are drawn whole.
    plot.m_strMainTitle = "Main";
    plot.Refresh();
    CRecordingSurface fits(500, 300);
    plot.Paint(fits);
    EXPECT_TRUE(fits.HasText("Main"));
}

// Histograms: the count axis starts at zero, and the bars of I and Q stand
// side by side.
TEST(PlotPicture, HistogramCountsFromZeroWithIAndQBarsSideBySide) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 5000, 1000.0, [](int i) { return std::sin(i * 0.01); },
                       [](int i) { return 0.5 * std::cos(i * 0.013); });
    f.graph.Attach(f.data, 3, 0);  // I and Q
    f.graph.ToggleHistogram();
    CRecordingSurface& dc = f.Paint();
    EXPECT_EQ(f.graph.m_dYMin, 0.0);
    std::set<int> red, blue;
    for (const CDrawCall& l : dc.LinesInColor(Rgb(255, 0, 0)))
        if (l.x1 == l.x2) red.insert(l.x1);
    for (const CDrawCall& l : dc.LinesInColor(Rgb(0, 0, 255)))
        if (l.x1 == l.x2) blue.insert(l.x1);
    ASSERT_FALSE(red.empty());
    ASSERT_FALSE(blue.empty());
    std::vector<int> both;
    std::set_intersection(red.begin(), red.end(), blue.begin(), blue.end(), std::back_inserter(both));
    EXPECT_TRUE(both.empty()) << both.size() << " columns hold both bars";
}

// The Y title names what is drawn.
TEST(PlotPicture, YTitleNamesWhatIsDrawn) {
    CGraphFixture f;
    test::MakeFreqData(f.data, 1024, 1024.0, [](int i) { return 1.0 / (1 + i); });
    f.graph.Attach(f.data, 4, 0);
    f.Paint();
    EXPECT_EQ(f.graph.m_strYTitle, "Complex Power in dB");
    f.graph.m_bDb = 0;
    f.graph.Refresh();
    f.Paint();
    EXPECT_EQ(f.graph.m_strYTitle.substr(0, 17), "Complex Magnitude");
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST(PlotColours, EverySchemeKeepsTextAndLinesLegible) {
    // Classic text takes the platform's text colour, black on white.
    EXPECT_GE(CPlotColors::Contrast(Rgb(0, 0, 0), CPlotColors::ClassicColors().m_background), 4.5);
    const CPlotColors dark = CPlotColors::DarkColors();
    EXPECT_LT(CPlotColors::Luminance(dark.m_background), 0.05);
    EXPECT_GE(CPlotColors::Contrast(dark.m_text, dark.m_background), 4.5);
    for (Color c : {dark.m_axis, dark.m_grid, dark.m_inphase, dark.m_quadrature, dark.m_cursor, dark.m_marker})
        EXPECT_GE(CPlotColors::Contrast(c, dark.m_background), 3.0) << std::hex << c;
    // The two traces of I and Q stay apart from each other too.
    EXPECT_GE(CPlotColors::Contrast(dark.m_inphase, dark.m_quadrature), 1.0);
    EXPECT_NE(dark.m_inphase, dark.m_quadrature);
    // The contrast is symmetric and runs from 1 (same colour) to 21.
    EXPECT_DOUBLE_EQ(CPlotColors::Contrast(Rgb(255, 255, 255), Rgb(0, 0, 0)), 21.0);
    EXPECT_DOUBLE_EQ(CPlotColors::Contrast(dark.m_axis, dark.m_axis), 1.0);
    EXPECT_EQ(CPlotColors::ForScheme(CPlotColors::FollowDesktop, true).m_background, dark.m_background);
    EXPECT_EQ(CPlotColors::ForScheme(CPlotColors::FollowDesktop, false).m_background, Rgb(255, 255, 255));
}

TEST(PlotColours, AGraphDrawsInItsScheme) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 500, 1000.0, [](int i) { return std::sin(i * 0.05); });
    f.graph.SetColors(CPlotColors::DarkColors());
    f.graph.Attach(f.data, 0, 0);
    CRecordingSurface& dc = f.Paint();
    const CPlotColors dark = CPlotColors::DarkColors();
    EXPECT_FALSE(dc.LinesInColor(dark.m_inphase).empty());
    EXPECT_FALSE(dc.LinesInColor(dark.m_axis).empty());
    EXPECT_TRUE(dc.LinesInColor(Rgb(0, 0, 0)).empty());  // nothing black on the dark background
    bool lightText = false;
    for (const auto& call : dc.calls)
        if (call.kind == CDrawCall::SetTextColor && call.color == dark.m_text) lightText = true;
    EXPECT_TRUE(lightText);
}

}  // namespace
}  // namespace kv
