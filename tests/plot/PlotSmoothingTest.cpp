// Smoothed (antialiased) traces: on by default above 1x scale, a Plot
// Properties choice.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/CGraphOptions.h"
#include "plot/GraphFixture.h"
#include "plot/PlotCommands.h"

namespace kv {
namespace {

// Counts the trace lines (in the first trace's colour) drawn smoothed and not.
void CountTraceLines(test::CGraphFixture& f, double scale, int& smooth, int& sharp, int& smoothOther) {
    f.last = std::make_unique<test::CRecordingSurface>(600, 400);
    f.last->m_dDeviceScale = scale;
    f.graph.Paint(*f.last);
    smooth = sharp = smoothOther = 0;
    const Color trace = f.graph.Colors().m_inphase;
    for (const auto& l : f.last->Lines()) {
        if (l.pen.m_color == trace)
            (l.smooth ? smooth : sharp) += 1;
        else if (l.smooth)
            ++smoothOther;
    }
}

TEST(PlotSmoothing, TracesAreSmoothedAboveOneTimesScaleUnlessChosenOtherwise) {
    test::CGraphFixture f;
    test::MakeTimeData(f.data, 500, 1000.0, [](int i) { return std::sin(i * 0.1); });
    f.graph.Attach(f.data, 1, 1);
    int smooth, sharp, other;
    CountTraceLines(f, 1.0, smooth, sharp, other);
    EXPECT_EQ(smooth, 0);
    EXPECT_GT(sharp, 100);
    CountTraceLines(f, 2.0, smooth, sharp, other);
    EXPECT_GT(smooth, 100);
    EXPECT_EQ(sharp, 0);
    EXPECT_EQ(other, 0);  // axes, grid and frame stay sharp
    f.graph.m_nAntialias = 0;
    CountTraceLines(f, 2.0, smooth, sharp, other);
    EXPECT_EQ(smooth, 0);
    f.graph.m_nAntialias = 1;
    CountTraceLines(f, 1.0, smooth, sharp, other);
    EXPECT_GT(smooth, 100);
    EXPECT_EQ(sharp, 0);
}

TEST(PlotSmoothing, PlotPropertiesShowsTheChoiceInEffectAndKeepsItAutomaticWhenLeftAlone) {
    test::CGraphFixture f;
    test::MakeTimeData(f.data, 500, 1000.0, [](int i) { return std::sin(i * 0.1); });
    f.graph.Attach(f.data, 1, 1);
    f.last = std::make_unique<test::CRecordingSurface>(600, 400);
    f.last->m_dDeviceScale = 2.0;
    f.graph.Paint(*f.last);
    f.platform.OnDialog<CGraphOptions>([](CGraphOptions& d) {
        EXPECT_EQ(d.m_bAntialias, 1);  // on, at twice the scale
        d.SimulateClick(IDOK);
    });
    f.graph.OnCommand(ID_PLOT_PROPERTIES);
    EXPECT_EQ(f.graph.m_nAntialias, -1);
    f.platform.OnDialog<CGraphOptions>([](CGraphOptions& d) {
        d.SimulateClick(CGraphOptions::IDC_ANTIALIAS);
        d.SimulateClick(IDOK);
    });
    f.graph.OnCommand(ID_PLOT_PROPERTIES);
    EXPECT_EQ(f.graph.m_nAntialias, 0);
    EXPECT_FALSE(f.graph.Antialiased(2.0));
}

}  // namespace
}  // namespace kv
