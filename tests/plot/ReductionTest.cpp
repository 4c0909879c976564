// The reduction of long signals to one point per pixel column: every column
// of a reduced trace shows the span of its samples, whatever the plot type.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <vector>

#include "plot/CEnvelopeSource.h"
#include "plot/GraphFixture.h"

namespace kv {
namespace {

using test::CDrawCall;
using test::CGraphFixture;
using test::CRecordingSurface;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The summary of a run computed the plain way: atan2 for every sample.
CGroupSummary Plain(const CKalvoData& d, int a, int32_t first, int32_t last) {
    CGroupSummary s;
    for (int32_t i = first; i <= last; ++i) {
        double v = d.GetComponent(i, a);
        double re = d.GetComponent(i, 0), im = d.GetComponent(i, 1);
        if (!std::isfinite(v) || !std::isfinite(re) || !std::isfinite(im)) continue;
        if (v < s.m_dMin) {
            s.m_dMin = v;
            s.m_nMinIndex = i;
        }
        if (v > s.m_dMax) {
            s.m_dMax = v;
            s.m_nMaxIndex = i;
        }
        s.m_dSum += v;
    }
    s.m_nCount = last - first + 1;
    return s;
}

TEST(Envelope, SummariesMatchAPlainScanForEveryComponent) {
    CKalvoData d;
    std::mt19937 gen(5);
    std::normal_distribution<double> noise(0.0, 1.0);
    test::MakeFreqData(d, 4096, 4096.0, [&](int) { return noise(gen); }, [&](int) { return noise(gen); }, false);
    // Points on the axes and at the origin, where the phase has its edges.
    d.Inphase().SetAt(10, -2.0);
    d.Quadrature().SetAt(10, 0.0);
    d.Inphase().SetAt(11, -2.0);
    d.Quadrature().SetAt(11, -0.0);
    d.Inphase().SetAt(12, 0.0);
    d.Quadrature().SetAt(12, 0.0);
    ASSERT_LT(d.m_nStart, 0);
    const CEnvelopeSource& source = CEnvelopeSource::Scanning();
    for (int a = 0; a < 4; ++a) {
        for (auto [first, last] : {std::pair{-2048, 2047}, std::pair{-7, 30}, std::pair{5, 5}, std::pair{9, 13}}) {
            CGroupSummary got = source.Summarise(d, a, first, last, true);
            CGroupSummary want = Plain(d, a, first, last);
            ASSERT_TRUE(got.HasValues());
            EXPECT_EQ(got.m_dMin, want.m_dMin) << a << " " << first;
            EXPECT_EQ(got.m_dMax, want.m_dMax) << a << " " << first;
            EXPECT_EQ(got.m_nMinIndex, want.m_nMinIndex) << a << " " << first;
            EXPECT_EQ(got.m_nMaxIndex, want.m_nMaxIndex) << a << " " << first;
            EXPECT_NEAR(got.m_dSum, want.m_dSum, 1e-9 * (1 + std::fabs(want.m_dSum)));
            EXPECT_EQ(got.m_nCount, last - first + 1);
        }
    }
    // The phase edges: +180 and -180 are both reached, the origin is 0.
    CGroupSummary edges = source.Summarise(d, 3, 10, 12, false);
    EXPECT_EQ(edges.m_dMax, 180.0);
    EXPECT_EQ(edges.m_dMin, -180.0);
}

TEST(Envelope, MergedSummariesEqualTheSummaryOfTheJoinedRun) {
    CKalvoData d;
    test::MakeTimeData(d, 1000, 1.0, [](int i) { return std::sin(i * 0.37) * (i % 7); },
                       [](int i) { return std::cos(i * 0.11); });
    const CEnvelopeSource& source = CEnvelopeSource::Scanning();
    for (int a = 0; a < 4; ++a)
        for (int cut : {0, 1, 333, 998}) {
            CGroupSummary joined = source.Summarise(d, a, 0, cut, true);
            joined.Merge(source.Summarise(d, a, cut + 1, 999, true));
            CGroupSummary whole = source.Summarise(d, a, 0, 999, true);
            EXPECT_EQ(joined.m_dMin, whole.m_dMin);
            EXPECT_EQ(joined.m_dMax, whole.m_dMax);
            EXPECT_EQ(joined.m_nMinIndex, whole.m_nMinIndex);
            EXPECT_EQ(joined.m_nMaxIndex, whole.m_nMaxIndex);
            EXPECT_EQ(joined.m_nCount, whole.m_nCount);
        }
}

// Components near the largest double: their phase is finite and is drawn,
// though |I| + |Q| overflows.
TEST(Envelope, PhasesOfTheLargestFiniteSamplesTakePart) {
    CKalvoData d;
    const double big = std::numeric_limits<double>::max();
    test::MakeTimeData(d, 4, 1.0, [](int) { return 0.0; });
    d.Inphase().SetAt(0, big);
    d.Quadrature().SetAt(0, big);  // 45 degrees
    d.Inphase().SetAt(1, 0.5);
    d.Quadrature().SetAt(1, 0.0);  // 0 degrees
    d.Inphase().SetAt(2, -big);
    d.Quadrature().SetAt(2, -0.75 * big);  // about -143 degrees
    d.Inphase().SetAt(3, 1.0);
    d.Quadrature().SetAt(3, 1.0);  // 45 degrees, smaller
    CGroupSummary s = CEnvelopeSource::Scanning().Summarise(d, 3, 0, 3, true);
    CGroupSummary want = Plain(d, 3, 0, 3);
    EXPECT_EQ(s.m_dMax, want.m_dMax);
    EXPECT_EQ(s.m_dMin, want.m_dMin);
    EXPECT_EQ(s.m_nMinIndex, 2);
    EXPECT_NEAR(s.m_dMax, 45.0, 1e-12);
    EXPECT_NEAR(s.m_dSum, want.m_dSum, 1e-9);
}

TEST(Envelope, SamplesThatAreNotFiniteTakeNoPart) {
    CKalvoData d;
    test::MakeTimeData(d, 8, 1.0, [](int i) { return i * 0.5; });
    d.Inphase().SetAt(2, HUGE_VAL);
    d.Inphase().SetAt(5, kNaN);
    d.Inphase().SetAt(6, -HUGE_VAL);
    CGroupSummary s = CEnvelopeSource::Scanning().Summarise(d, 0, 0, 7, true);
    EXPECT_EQ(s.m_dMin, 0.0);
    EXPECT_EQ(s.m_dMax, 3.5);
    EXPECT_DOUBLE_EQ(s.m_dSum, 0.0 + 0.5 + 1.5 + 2.0 + 3.5);
    CGroupSummary gap = CEnvelopeSource::Scanning().Summarise(d, 0, 5, 6, true);
    EXPECT_FALSE(gap.HasValues());
    EXPECT_EQ(gap.m_nCount, 2);
}

// The vertical extent drawn in each pixel column by segments in a colour.
std::map<int, std::pair<int, int>> ColumnCoverage(const CRecordingSurface& dc, Color color) {
    std::map<int, std::pair<int, int>> cover;
    auto add = [&](int x, int y0, int y1) {
        auto [it, fresh] = cover.emplace(x, std::pair{std::min(y0, y1), std::max(y0, y1)});
        if (!fresh) it->second = {std::min(it->second.first, std::min(y0, y1)), std::max(it->second.second, std::max(y0, y1))};
    };
    for (const CDrawCall& l : dc.LinesInColor(color)) {
        if (l.x1 == l.x2) {
            add(l.x1, l.y1, l.y2);
            continue;
        }
        // A slanted line: the rows it passes within each column it crosses.
        int xa = std::min(l.x1, l.x2), xb = std::max(l.x1, l.x2);
        for (int x = xa; x <= xb; ++x) {
            double t0 = (x - 0.5 - l.x1) / double(l.x2 - l.x1), t1 = (x + 0.5 - l.x1) / double(l.x2 - l.x1);
            t0 = std::clamp(t0, 0.0, 1.0);
            t1 = std::clamp(t1, 0.0, 1.0);
            add(x, static_cast<int>(std::lround(l.y1 + t0 * (l.y2 - l.y1))),
                static_cast<int>(std::lround(l.y1 + t1 * (l.y2 - l.y1))));
        }
    }
    return cover;
}

// A full-scale sine of 10,000,000 samples on a 1600 x 1000 plot: in every
// column the drawn trace reaches from -95 % to +95 %, whatever the type.
TEST(Reduction, LongSineCoversItsRangeInEveryColumn) {
    test::CScriptedPlatform platform;
    CKalvoData data;
    const int n = 10000000;
    // About 7.3 periods per pixel column, never a whole number of samples.
    data.m_bTime = 1;
    data.Inphase().SetSize(n);
    data.Quadrature().SetSize(n);
    for (int i = 0; i < n; ++i) {
        data.Inphase().SetAt(i, std::sin(i * 0.0286));
        data.Quadrature().SetAt(i, std::cos(i * 0.0286));
    }
    data.m_bReal = 0;
    data.ResetRange();
    data.ApplyFs(CFs(1e6));
    for (int type : {1, 2, 3, 5}) {  // Inphase, Quadrature, I And Q, Phase
        CGraph graph;
        graph.Attach(data, type, 1);  // Line style
        CRecordingSurface dc(1600, 1000);
        graph.Paint(dc);
        ASSERT_GT(graph.m_dReductionRatio, 1000) << type;
        const double top = type == 5 ? 171.0 : 0.95;
        const int from = graph.XToPixel(data.IndexToValue(0));
        const int to = graph.XToPixel(data.IndexToValue(n - 1));
        ASSERT_GT(to - from, 1000);
        for (Color color : {Rgb(255, 0, 0), Rgb(0, 0, 255)}) {
            if ((type == 1 || type == 5) && color != Rgb(255, 0, 0)) continue;
            if (type == 2 && color != Rgb(0, 0, 255)) continue;
            auto cover = ColumnCoverage(dc, color);
            // The last column holds only the end of the data.
            for (int x = from; x < to; ++x) {
                auto it = cover.find(x);
                ASSERT_NE(it, cover.end()) << "type " << type << " column " << x;
                EXPECT_LE(it->second.first, graph.YToPixel(top)) << "type " << type << " column " << x;
                EXPECT_GE(it->second.second, graph.YToPixel(-top)) << "type " << type << " column " << x;
            }
        }
    }
}

// Each point's span is the smallest and largest sample of its group.
TEST(Reduction, SpansAreTheExtremesOfEachGroup) {
    CGraphFixture f;
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    test::MakeTimeData(f.data, 54321, 1000.0, [&](int) { return u(gen); }, [&](int) { return u(gen); });
    for (int type : {1, 2, 3, 4, 5}) {
        f.graph.ResetGraph();
        f.graph.Attach(f.data, type, 0);
        f.Paint();
        const CGraph& g = f.graph;
        ASSERT_EQ(g.m_PointFirst.size(), g.m_PointCounts.size());
        const int component = type == 4 ? 2 : type == 5 ? 3 : type == 2 ? 1 : 0;
        for (int t = 0; t < g.m_Traces.GetColumnCount(); ++t) {
            int a = type == 3 ? t : component;
            ASSERT_EQ(g.m_TraceLow[t].size(), g.m_PointCounts.size());
            for (size_t p = 0; p < g.m_PointCounts.size(); ++p) {
                double lo = HUGE_VAL, hi = -HUGE_VAL;
                for (int i = g.m_PointFirst[p]; i < g.m_PointFirst[p] + g.m_PointCounts[p]; ++i) {
                    double v = f.data.GetComponent(i, a);
                    if (a == 2) v = std::sqrt(v);
                    lo = std::min(lo, v);
                    hi = std::max(hi, v);
                }
                ASSERT_DOUBLE_EQ(g.m_TraceLow[t][p], lo) << type << " " << p;
                ASSERT_DOUBLE_EQ(g.m_TraceHigh[t][p], hi) << type << " " << p;
            }
        }
    }
}

// A view with fewer samples than pixels draws every sample alone, as a
// plain trace with no spans.
TEST(Reduction, FewSamplesDrawOnePointEach) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 200, 1000.0, [](int i) { return std::sin(i * 0.3); });
    f.graph.Attach(f.data, 1, 1);
    CRecordingSurface& dc = f.Paint();
    ASSERT_EQ(f.graph.m_XColumn.GetSize(), 200);
    for (int p = 0; p < 200; ++p) {
        EXPECT_EQ(f.graph.m_PointCounts[p], 1);
        EXPECT_EQ(f.graph.m_TraceLow[0][p], f.graph.m_TraceHigh[0][p]);
    }
    // One line per point (the first from its own start), nothing else in
    // the trace colour.
    EXPECT_EQ(dc.LinesInColor(Rgb(255, 0, 0)).size(), 200u);
}

// The groups of a reduced trace, against the rule walked sample by sample: a
// group in ratio mode is every sample of one pixel column; a fixed group of n
// samples takes in the rest of its first sample's column (the first group
// does not).
TEST(Reduction, GroupsFollowThePixelColumnsSampleBySample) {
    for (int count : {7, 601, 1500, 4096, 54321}) {
        for (bool time : {true, false}) {
            for (int integer : {0, 1}) {
                CGraphFixture f;
                auto wave = [](int i) { return std::sin(i * 0.37) + 0.001 * (i % 17); };
                if (time)
                    test::MakeTimeData(f.data, count, 1000.0, wave);
                else
                    test::MakeFreqData(f.data, count, 1000.0, wave, wave, false);
                f.graph.m_bIntegerReduction = integer;
                f.graph.Attach(f.data, 1, 0);
                f.Paint();
                const CGraph& g = f.graph;
                int32_t first = 0, last = -1;
                ASSERT_TRUE(f.data.StoredWorkingRange(first, last));
                auto pixel = [&](int32_t i) { return g.XToPixel(f.data.IndexToValue(i)); };
                const int32_t n = g.m_nSamplesPerPoint;
                std::vector<int32_t> starts, counts;
                for (int32_t s = first; s <= last;) {
                    int32_t e = n > 0 ? std::min(s + n - 1, last) : s;
                    if (n == 0 || (s != first && e < last))
                        while (e < last && pixel(e + 1) <= pixel(s)) ++e;
                    starts.push_back(s);
                    counts.push_back(e - s + 1);
                    s = e + 1;
                }
                const std::string what = std::to_string(count) + (time ? " time" : " freq") +
                                         (integer ? " integer" : " ratio") + " n=" + std::to_string(n);
                EXPECT_EQ(g.m_PointFirst, starts) << what;
                EXPECT_EQ(g.m_PointCounts, counts) << what;
                EXPECT_GT(starts.size(), 1u) << what;
            }
        }
    }
}

// Gaps: a sample that is not a number breaks the line; the scale comes from
// the finite samples.
TEST(Reduction, NonFiniteSamplesAreGaps) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 100, 1.0, [](int i) { return std::sin(i * 0.2); });
    f.data.Inphase().SetAt(40, kNaN);
    f.data.Inphase().SetAt(60, HUGE_VAL);
    f.graph.Attach(f.data, 1, 1);
    CRecordingSurface& dc = f.Paint();
    EXPECT_LE(f.graph.m_dYMax, 1.0);
    EXPECT_GE(f.graph.m_dYMin, -1.0);
    // 100 lines (the first of no length) without the four that touch the
    // two gaps.
    auto lines = dc.LinesInColor(Rgb(255, 0, 0));
    EXPECT_EQ(lines.size(), 96u);
    for (const CDrawCall& l : lines) {
        EXPECT_GE(std::min(l.y1, l.y2), f.graph.m_nPlotBottom - f.graph.m_nPlotHeight - 1);
        EXPECT_LE(std::max(l.y1, l.y2), f.graph.m_nPlotBottom + 1);
    }
}

// Sum mode with fixed groups: a group that took in the rest of its pixel
// column keeps summing blocks of n lines, drawn as the span of those sums.
TEST(Reduction, SumModeNeighboursShareAColumnAsASpanOfSums) {
    CGraphFixture f;
    auto re = [](int i) { return 0.01 + 0.001 * (i % 13); };
    test::MakeFreqData(f.data, 65536, 65536.0, re, {}, true);
    f.graph.Attach(f.data, 4, 0);
    f.graph.m_bDb = 0;
    f.graph.m_bIntegerReduction = 1;
    // A manual log axis over the upper lines: about 28 lines to a pixel at
    // 40 % of the axis, many more at its right end.
    ASSERT_TRUE(f.data.SetRangeByIndex(1, 32767, false));
    CAxisScale& x = f.graph.m_XAxis;
    x.m_bLog = 1;
    x.m_bAutoScale = 0;
    x.m_dDataMin = 1;
    x.m_dDataMax = 32767;
    x.m_dAxisMin = 1000;
    x.m_dAxisMax = 32768;
    x.m_dLabelSpacing = 1;
    x.m_dTicSpacing = 0.1;
    f.graph.ApplyXAxis();
    f.graph.Refresh();
    f.Paint();
    const CGraph& g = f.graph;
    ASSERT_DOUBLE_EQ(g.m_dXMin, 1000);
    const int n = g.m_nSamplesPerPoint;
    ASSERT_GT(n, 1);
    int merged = 0;
    for (size_t p = 0; p < g.m_PointCounts.size(); ++p) {
        const int first = g.m_PointFirst[p], count = g.m_PointCounts[p];
        std::vector<double> sums;
        for (int b = first; b < first + count;) {
            int e = std::min(b + n - 1, first + count - 1);
            if (first + count - 1 - e < n) e = first + count - 1;
            double s = 0;
            for (int i = b; i <= e; ++i) s += re(i) * re(i);
            sums.push_back(s);
            b = e + 1;
        }
        if (count <= n) continue;
        ++merged;
        ASSERT_NEAR(g.m_Traces.GetColumn(0)[static_cast<int>(p)], std::sqrt(*std::max_element(sums.begin(), sums.end())),
                    1e-12);
        ASSERT_NEAR(g.m_TraceLow[0][p], std::sqrt(*std::min_element(sums.begin(), sums.end())), 1e-12);
    }
    EXPECT_GT(merged, 10);
}

// A polar plot of many samples draws every pixel a sample falls on, and
// nothing else.
TEST(Reduction, PolarCloudDrawsThePixelOfEverySample) {
    CGraphFixture f;
    std::mt19937 gen(3);
    std::normal_distribution<double> noise(0.0, 0.05);
    std::uniform_int_distribution<int> symbol(0, 3);
    const int n = 200000;
    std::vector<double> is(n), qs(n);
    for (int i = 0; i < n; ++i) {
        int s = symbol(gen);
        is[i] = (s & 1 ? 0.7 : -0.7) + noise(gen);
        qs[i] = (s & 2 ? 0.7 : -0.7) + noise(gen);
    }
    test::MakeTimeData(f.data, n, 1.0, [&](int i) { return is[i]; }, [&](int i) { return qs[i]; });
    f.graph.Attach(f.data, 6, 1);
    CRecordingSurface& dc = f.Paint();
    const CGraph& g = f.graph;
    ASSERT_EQ(g.m_bPointCloud, 1);
    std::set<std::pair<int, int>> want;
    for (int i = 0; i < n; ++i) want.emplace(g.XToPixel(is[i]), g.YToPixel(qs[i]));
    std::set<std::pair<int, int>> drawn;
    for (const CDrawCall& l : dc.LinesInColor(Rgb(255, 0, 0))) {
        ASSERT_EQ(l.y1, l.y2);
        ASSERT_EQ(l.x2, l.x1 + 1);
        drawn.emplace(l.x1, l.y1);
    }
    EXPECT_EQ(drawn, want);
    // Each point is a sample of its pixel, and the counts add up.
    int64_t total = 0;
    for (size_t p = 0; p < g.m_PointCounts.size(); ++p) {
        total += g.m_PointCounts[p];
        int i = g.m_PointFirst[p];
        EXPECT_EQ(g.m_Traces.GetColumn(0)[static_cast<int>(p)], is[i]);
        EXPECT_EQ(g.m_Traces.GetColumn(1)[static_cast<int>(p)], qs[i]);
    }
    EXPECT_EQ(total, n);

    // A short signal: every sample is a point drawn in the trace style.
    test::MakeTimeData(f.data, 1000, 1.0, [&](int i) { return is[i]; }, [&](int i) { return qs[i]; });
    f.graph.Refresh();
    f.Paint();
    EXPECT_EQ(f.graph.m_bPointCloud, 0);
    EXPECT_EQ(f.graph.m_XColumn.GetSize(), 1000);
}

}  // namespace
}  // namespace kv
