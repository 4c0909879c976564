// The overview of long signals (min/max per block of samples, and per block
// of blocks) serves the plot reduction: every summary it gives, and every
// picture drawn from them, equals the one made from the samples themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "plot/CEnvelopePyramid.h"
#include "plot/GraphFixture.h"

namespace kv {
namespace {

using test::CDrawCall;
using test::CRecordingSurface;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int32_t kBlock = CEnvelopePyramid::kBlock;
constexpr int32_t kFan = CEnvelopePyramid::kFanOut;

// Noise on a coarse grid (many equal values, so ties must keep the first
// index), with repeated extremes far apart, points on the axes and at the
// origin (the edges of the phase) and values that are not finite.
void MakeTricky(CKalvoData& d, int n, bool time) {
    std::mt19937 gen(29);
    std::uniform_int_distribution<int> grid(-40, 40);
    auto value = [&](int) { return grid(gen) / 8.0; };
    if (time)
        test::MakeTimeData(d, n, 1000.0, value, value);
    else
        test::MakeFreqData(d, n, 1000.0, value, value, false);
    for (int32_t k : {1000, 70000, n - 300}) {
        d.Inphase().SetAt(k, 9.0);
        d.Quadrature().SetAt(k, -9.0);
    }
    d.Inphase().SetAt(5, -2.0);
    d.Quadrature().SetAt(5, 0.0);
    d.Inphase().SetAt(6, -2.0);
    d.Quadrature().SetAt(6, -0.0);
    d.Inphase().SetAt(7, 0.0);
    d.Quadrature().SetAt(7, 0.0);
    d.Inphase().SetAt(kBlock * 3 + 1, HUGE_VAL);
    d.Quadrature().SetAt(kBlock * 3 + 2, -HUGE_VAL);
    d.Inphase().SetAt(kBlock * kFan + 17, kNaN);
    d.Inphase().SetAt(kBlock * 40, 1e200);  // its power overflows
    // A whole block of values that are not finite.
    for (int32_t k = kBlock * 10; k < kBlock * 11; ++k) d.Quadrature().SetAt(k, kNaN);
}

void ExpectSame(const CGroupSummary& got, const CGroupSummary& want, int component, int32_t first, int32_t last) {
    SCOPED_TRACE(testing::Message() << "component " << component << " run " << first << " ... " << last);
    ASSERT_EQ(got.HasValues(), want.HasValues());
    EXPECT_EQ(got.m_nCount, want.m_nCount);
    if (!want.HasValues()) return;
    EXPECT_EQ(got.m_dMin, want.m_dMin);
    EXPECT_EQ(got.m_dMax, want.m_dMax);
    EXPECT_EQ(got.m_nMinIndex, want.m_nMinIndex);
    EXPECT_EQ(got.m_nMaxIndex, want.m_nMaxIndex);
}

// Runs that start and end on and off the block edges of every level, and
// random ones.
std::vector<std::pair<int32_t, int32_t>> Runs(int32_t lo, int32_t hi) {
    std::vector<std::pair<int32_t, int32_t>> runs{{lo, hi}, {lo, lo}, {hi - 5, hi}, {lo + 1, hi - 1}};
    for (int32_t span = kBlock; span <= hi - lo; span *= kFan) {
        const int32_t base = ((lo + span - 1) / span) * span;  // an edge of this level
        runs.push_back({base, base + span - 1});
        runs.push_back({base - 1, base + span});
        runs.push_back({base + 1, std::min(hi, base + 3 * span - 2)});
        runs.push_back({std::max(lo, base - span / 2), std::min(hi, base + 2 * span + 7)});
    }
    std::mt19937 gen(3);
    std::uniform_int_distribution<int32_t> at(lo, hi);
    for (int k = 0; k < 60; ++k) {
        int32_t a = at(gen), b = at(gen);
        runs.push_back({std::min(a, b), std::max(a, b)});
    }
    return runs;
}

TEST(EnvelopePyramid, SummariesEqualTheScanForEveryComponentAndRun) {
    test::CScriptedPlatform platform;
    CKalvoData d;
    const int n = 5 * kBlock * kFan * kFan + 123;  // three levels and a ragged end
    MakeTricky(d, n, true);
    CEnvelopePyramid pyramid;
    const CEnvelopeSource& scan = CEnvelopeSource::Scanning();
    for (int a = 0; a < 4; ++a) {
        for (auto [first, last] : Runs(0, n - 1)) {
            ExpectSame(pyramid.Summarise(d, a, first, last, false), scan.Summarise(d, a, first, last, false), a,
                       first, last);
            if (testing::Test::HasFailure()) return;
        }
        EXPECT_TRUE(pyramid.IsBuilt(d, a));
    }
    // A sum keeps the order of the scan.
    const CGroupSummary sum = pyramid.Summarise(d, 0, 10, n - 10, true);
    EXPECT_EQ(sum.m_dSum, scan.Summarise(d, 0, 10, n - 10, true).m_dSum);
}

// Frequency Data: working indices below zero address the upper half of the
// stored points, and a run across zero joins the two halves.
TEST(EnvelopePyramid, FrequencyRunsAcrossZeroEqualTheScan) {
    test::CScriptedPlatform platform;
    CKalvoData d;
    const int n = 1 << 18;
    MakeTricky(d, n, false);
    ASSERT_LT(d.m_nStart, 0);
    CEnvelopePyramid pyramid;
    const CEnvelopeSource& scan = CEnvelopeSource::Scanning();
    for (int a = 0; a < 4; ++a) {
        for (auto [first, last] : Runs(-n / 2, n / 2 - 1)) {
            ExpectSame(pyramid.Summarise(d, a, first, last, false), scan.Summarise(d, a, first, last, false), a,
                       first, last);
            if (testing::Test::HasFailure()) return;
        }
    }
}

TEST(EnvelopePyramid, ChangedDataIsSeenWithoutBeingTold) {
    test::CScriptedPlatform platform;
    CKalvoData d;
    const int n = 1 << 17;
    test::MakeTimeData(
        d, n, 1000.0, [](int i) { return std::sin(i * 0.01); }, [](int i) { return std::cos(i * 0.01); });
    CEnvelopePyramid pyramid;
    EXPECT_EQ(pyramid.Summarise(d, 0, 0, n - 1, false).m_dMax, CEnvelopeSource::Scanning().Summarise(d, 0, 0, n - 1, false).m_dMax);
    ASSERT_TRUE(pyramid.IsBuilt(d, 0));

    // One value written.
    d.Inphase().SetAt(5000, 3.5);
    EXPECT_FALSE(pyramid.IsBuilt(d, 0));
    CGroupSummary s = pyramid.Summarise(d, 0, 0, n - 1, false);
    EXPECT_EQ(s.m_dMax, 3.5);
    EXPECT_EQ(s.m_nMaxIndex, 5000);

    // Values written through the block for writing.
    d.Inphase().GetWritableData()[70000] = -4.0;
    s = pyramid.Summarise(d, 0, 0, n - 1, false);
    EXPECT_EQ(s.m_dMin, -4.0);
    EXPECT_EQ(s.m_nMinIndex, 70000);

    // The values of another column of the same length put in place, as undo does.
    CDataColumn other = d.Inphase();
    other.SetAt(100, 7.0);
    d.Inphase() = other;
    s = pyramid.Summarise(d, 0, 0, n - 1, false);
    EXPECT_EQ(s.m_dMax, 7.0);
    EXPECT_EQ(s.m_nMaxIndex, 100);

    // A copy of the column shares the block and its name: nothing to rebuild.
    pyramid.Summarise(d, 0, 0, 10, false);
    CDataColumn copy = d.Inphase();
    EXPECT_TRUE(pyramid.IsBuilt(d, 0));
    EXPECT_EQ(copy.GetStamp(), d.Inphase().GetStamp());

    // Short data is scanned and keeps no overview.
    CKalvoData small;
    test::MakeTimeData(small, CEnvelopePyramid::kMinCount - 1, 1000.0, [](int i) { return i % 7; });
    EXPECT_EQ(pyramid.Summarise(small, 0, 0, CEnvelopePyramid::kMinCount - 2, false).m_dMax, 6.0);
    EXPECT_FALSE(pyramid.IsBuilt(small, 0));
}

TEST(EnvelopePyramid, AllFourOverviewsTakeASixteenthOfTheData) {
    test::CScriptedPlatform platform;
    CKalvoData d;
    const int n = 1 << 20;
    test::MakeTimeData(d, n, 1000.0, [](int i) { return std::sin(i * 0.001); }, [](int i) { return i * 1e-6; });
    CEnvelopePyramid pyramid;
    for (int a = 0; a < 4; ++a) pyramid.Summarise(d, a, 0, n - 1, false);
    const size_t dataBytes = 2 * sizeof(double) * static_cast<size_t>(n);
    EXPECT_GT(pyramid.Bytes(), 0u);
    EXPECT_LE(pyramid.Bytes(), dataBytes / 16);
    pyramid.Invalidate();
    EXPECT_EQ(pyramid.Bytes(), 0u);
    EXPECT_FALSE(pyramid.IsBuilt(d, 0));
}

void ExpectSameCalls(const CRecordingSurface& got, const CRecordingSurface& want) {
    ASSERT_EQ(got.calls.size(), want.calls.size());
    for (size_t k = 0; k < got.calls.size(); ++k) {
        const CDrawCall& g = got.calls[k];
        const CDrawCall& w = want.calls[k];
        ASSERT_EQ(g.kind, w.kind) << k;
        ASSERT_EQ(g.x1, w.x1) << k;
        ASSERT_EQ(g.y1, w.y1) << k;
        ASSERT_EQ(g.x2, w.x2) << k;
        ASSERT_EQ(g.y2, w.y2) << k;
        ASSERT_EQ(g.text, w.text) << k;
        ASSERT_EQ(g.color, w.color) << k;
    }
}

// A graph drawn through its overview and one drawn from the samples make
// the same calls, for every plot type, in the full view and after each
// step of a zoom in to the middle quarter (as far as the plot zooms).
TEST(EnvelopePyramid, PicturesEqualThoseDrawnFromTheSamplesAtEveryZoom) {
    test::CScriptedPlatform platform;
    CKalvoData d;
    const int n = 1200000;
    std::mt19937 gen(8);
    std::normal_distribution<double> noise(0.0, 0.05);
    test::MakeTimeData(
        d, n, 1e6, [&](int i) { return std::sin(i * 1.3e-4) + noise(gen); },
        [&](int i) { return std::cos(i * 1.3e-4) * (i % 100000 < 50 ? 2.0 : 1.0); });
    int zooms = 0;
    for (int type : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE(testing::Message() << "type " << type);
        test::CFakeViewWindow w1{1600, 1000}, w2{1600, 1000};
        CGraph overview, scanned;
        overview.SetWindow(&w1);
        scanned.SetWindow(&w2);
        scanned.SetEnvelopeSource(&CEnvelopeSource::Scanning());
        overview.Attach(d, type, 0);
        scanned.Attach(d, type, 0);
        for (int step = 0; step < 5; ++step) {
            SCOPED_TRACE(testing::Message() << "zoom step " << step);
            CRecordingSurface a(1600, 1000), b(1600, 1000);
            overview.Paint(a);
            scanned.Paint(b);
            ASSERT_GT(a.Lines().size(), 20u);
            ExpectSameCalls(a, b);
            if (HasFatalFailure() || step == 4) break;
            // A quarter of the plot, a little off its centre.
            const CRect r{overview.m_nPlotLeft + 3 * overview.m_nPlotWidth / 8 + 1,
                          overview.m_nPlotBottom - 7 * overview.m_nPlotHeight / 8,
                          overview.m_nPlotLeft + 5 * overview.m_nPlotWidth / 8 + 3,
                          overview.m_nPlotBottom - overview.m_nPlotHeight / 8};
            const bool zoomed = overview.ZoomTo(r, true, false, false);
            ASSERT_EQ(scanned.ZoomTo(r, true, false, false), zoomed);
            if (!zoomed) break;
            ++zooms;
        }
    }
    EXPECT_GE(zooms, 8);
}

}  // namespace
}  // namespace kv
