#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "analysis/CHistogramData.h"
#include "analysis/Histogram.h"
#include "data/CKalvoData.h"
#include "platform/CWorkerPool.h"

namespace kv {
namespace {

void Fill(CKalvoData& d, std::initializer_list<double> i, std::initializer_list<double> q = {}) {
    d.Reset();
    for (double v : i) d.Inphase().Append(v);
    for (double v : q) d.Quadrature().Append(v);
    d.EqualizeColumns(0.0);
}

std::vector<double> Counts(const CDataColumn& c) { return std::vector<double>(c.begin(), c.end()); }

TEST(Histogram, AutomaticBinCounts) {
    EXPECT_EQ(AutoBinCount(1000), 11);
    EXPECT_EQ(AutoBinCount(100), 9);
    EXPECT_EQ(AutoBinCount(5), 5);
    EXPECT_EQ(AutoBinCount(0), 17);
    EXPECT_EQ(AutoBinCount(-3), 17);
    EXPECT_EQ(AutoBinCount(1), 1);
    EXPECT_EQ(AutoBinCount(1 << 20), 21);
}

TEST(Histogram, EqualBinsOverTheRange) {
    CKalvoData d;
    Fill(d, {0, 1, 2, 3});
    CHistogramData h;
    h.m_bAutoBins = 0;
    h.m_nBins = 4;
    ComputeHistogram(d, h, HIST_INPHASE, HIST_NONE);
    EXPECT_DOUBLE_EQ(h.m_dMin, 0);
    EXPECT_DOUBLE_EQ(h.m_dMax, 3);
    EXPECT_DOUBLE_EQ(h.m_dBinWidth, 0.75);
    EXPECT_EQ(Counts(h.Inphase()), (std::vector<double>{1, 1, 1, 1}));
    EXPECT_EQ(Counts(h.Quadrature()), (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(h.m_nStart, 0);
    EXPECT_EQ(h.m_nStop, 3);
    EXPECT_EQ(h.m_nWindow, -1);
    EXPECT_DOUBLE_EQ(h.IndexToValue(0), 0.375);
    EXPECT_DOUBLE_EQ(h.IndexToValue(3), 2.625);
    EXPECT_EQ(h.ValueToIndex(-5), 0);
    EXPECT_EQ(h.ValueToIndex(3), 3);
    EXPECT_EQ(h.ValueToIndex(99), 3);
    EXPECT_EQ(h.ValueToIndex(1.5), 2);
}

TEST(Histogram, BothColumnsOverTheUnionOfRanges) {
    CKalvoData d;
    d.Reset();
    for (int k = 0; k < 64; ++k) {
        d.Inphase().Append(std::cos(k * 2 * M_PI / 64));
        d.Quadrature().Append(0.5 * std::sin(k * 2 * M_PI / 64) + 0.6);
    }
    d.EqualizeColumns(0.0);
    CHistogramData h;
    ComputeHistogram(d, h, HIST_INPHASE, HIST_QUADRATURE);
    EXPECT_EQ(h.m_nBins, 9);
    EXPECT_DOUBLE_EQ(h.m_dMin, -1);
    EXPECT_DOUBLE_EQ(h.m_dMax, 1.1);
    double ti = 0, tq = 0;
    for (double v : h.Inphase()) ti += v;
    for (double v : h.Quadrature()) tq += v;
    EXPECT_DOUBLE_EQ(ti, 64);
    EXPECT_DOUBLE_EQ(tq, 64);
    // Only the second type: its own range.
    ComputeHistogram(d, h, HIST_NONE, HIST_QUADRATURE);
    EXPECT_NEAR(h.m_dMin, 0.1, 1e-12);
    EXPECT_NEAR(h.m_dMax, 1.1, 1e-12);
}

TEST(Histogram, PhaseOfTheOriginIsZero) {
    CKalvoData d;
    Fill(d, {0, 1, -1}, {0, 1, 0});
    CHistogramData h;
    h.m_bAutoBins = 0;
    h.m_nBins = 6;
    ComputeHistogram(d, h, HIST_PHASE, HIST_NONE);
    EXPECT_DOUBLE_EQ(h.m_dMin, 0);
    EXPECT_DOUBLE_EQ(h.m_dMax, 180);
    EXPECT_EQ(Counts(h.Inphase()), (std::vector<double>{1, 1, 0, 0, 0, 1}));
}

TEST(Histogram, FixedRangeLeavesOutsideValuesUncounted) {
    CKalvoData d;
    Fill(d, {-1, -0.5, 0, 0.5, 1, 1.5, 2});
    CHistogramData h;
    h.m_bAutoRange = 0;
    h.m_bAutoBins = 0;
    h.m_nBins = 4;
    h.m_dMin = -1;
    h.m_dMax = 1;
    ComputeHistogram(d, h, HIST_INPHASE, HIST_NONE);
    EXPECT_EQ(Counts(h.Inphase()), (std::vector<double>{1, 1, 1, 2}));
    EXPECT_DOUBLE_EQ(h.m_dMax, 1);
}

TEST(Histogram, RangeFromTheWorkingRangeCountsAllPoints) {
    CKalvoData d;
    Fill(d, {10, 0, 1, 2, 3, 4, 5, 6, 1});
    ASSERT_TRUE(d.SetRangeByIndex(1, 7, true));
    double lo, hi;
    ASSERT_TRUE(ValueRange(d, HIST_INPHASE, lo, hi));
    EXPECT_DOUBLE_EQ(lo, 0);
    EXPECT_DOUBLE_EQ(hi, 6);
    CHistogramData h;
    h.m_bAutoBins = 0;
    h.m_nBins = 6;
    ComputeHistogram(d, h, HIST_INPHASE, HIST_NONE);
    double total = 0;
    for (double v : h.Inphase()) total += v;
    EXPECT_DOUBLE_EQ(total, 8);  // the 10 lies outside the range; the final 1 is counted
}

TEST(Histogram, ConstantAndEmptyData) {
    CKalvoData d;
    Fill(d, {2, 2, 2});
    CHistogramData h;
    ComputeHistogram(d, h, HIST_INPHASE, HIST_NONE);
    EXPECT_EQ(h.m_nBins, 3);
    EXPECT_DOUBLE_EQ(h.m_dBinWidth, 0);
    EXPECT_EQ(Counts(h.Inphase()), (std::vector<double>{3, 0, 0}));

    CKalvoData empty;
    ComputeHistogram(empty, h, HIST_INPHASE, HIST_QUADRATURE);
    EXPECT_EQ(h.GetCount(), 0);
    EXPECT_EQ(h.m_nBins, 17);
    double lo = 1, hi = 1;
    EXPECT_FALSE(ValueRange(empty, HIST_INPHASE, lo, hi));

    // Values that are not numbers have no bin.
    Fill(d, {0, std::nan(""), 1});
    ComputeHistogram(d, h, HIST_INPHASE, HIST_NONE);
    double total = 0;
    for (double v : h.Inphase()) total += v;
    EXPECT_DOUBLE_EQ(total, 2);
}

TEST(Histogram, TwoSidedFrequencyRange) {
    CKalvoData d;
    d.m_bTime = 0;
    for (double v : {0.0, 1.0, 2.0, 3.0, -4.0, -3.0, -2.0, -1.0}) {
        d.Inphase().Append(v);
        d.Quadrature().Append(0.5);
    }
    d.m_bReal = 0;
    d.ResetRange();
    ASSERT_EQ(d.m_nStart, -4);
    double lo, hi;
    ValueRange(d, HIST_INPHASE, lo, hi);
    EXPECT_DOUBLE_EQ(lo, -4);
    EXPECT_DOUBLE_EQ(hi, 3);
}

// The histogram of every value type, checked point by point against the
// values GetComponent gives, over a two-sided range whose scan starts at a
// negative index holding a value that is not a number.
TEST(Histogram, EveryTypeMatchesThePointValues) {
    CKalvoData d;
    d.m_bTime = 0;
    const int32_t n = 1000;
    for (int32_t i = 0; i < n; ++i) {
        d.Inphase().Append(std::cos(0.37 * i) * (1 + i % 7));
        d.Quadrature().Append(std::sin(0.11 * i) - 0.5);
    }
    d.m_bReal = 0;
    d.ResetRange();
    d.m_nStart = -300;
    d.m_nStop = 200;
    for (int type : {HIST_INPHASE, HIST_QUADRATURE, HIST_POWER, HIST_PHASE, HIST_MAGNITUDE}) {
        SCOPED_TRACE(type);
        double lo, hi;
        ASSERT_TRUE(ValueRange(d, type, lo, hi));
        double refLo = d.GetComponent(-300, type), refHi = refLo;
        for (int32_t i = -299; i <= 200; ++i) {
            refLo = std::min(refLo, d.GetComponent(i, type));
            refHi = std::max(refHi, d.GetComponent(i, type));
        }
        EXPECT_EQ(lo, refLo);
        EXPECT_EQ(hi, refHi);

        CHistogramData h;
        h.m_bAutoBins = 0;
        h.m_nBins = 13;
        ComputeHistogram(d, h, type, HIST_NONE);
        std::vector<double> expected(13, 0.0);
        for (int32_t i = 0; i < n; ++i) {
            double v = d.GetComponent(i, type);
            if (lo <= v && v <= hi) expected[static_cast<size_t>(h.ValueToIndex(v))] += 1.0;
        }
        EXPECT_EQ(Counts(h.Inphase()), expected);
        EXPECT_EQ(Counts(h.Quadrature()), std::vector<double>(13, 0.0));
    }

    // A value that is not a number first in the scan leaves no range to count.
    d.Inphase().SetAt(n - 300, std::nan(""));
    double lo, hi;
    ValueRange(d, HIST_INPHASE, lo, hi);
    EXPECT_TRUE(std::isnan(lo));
    EXPECT_TRUE(std::isnan(hi));
}

// Counts of a type written the plain way: every point's value as
// GetComponent gives it, placed by ValueToIndex when it lies in the range.
std::vector<double> PlainCounts(const CKalvoData& d, const CHistogramData& h, int type) {
    std::vector<double> counts(static_cast<size_t>(h.m_nBins), 0.0);
    for (int32_t i = 0; i < d.GetCount(); ++i) {
        const double v = d.GetComponent(i, type);
        if (h.m_dMin <= v && v <= h.m_dMax) counts[static_cast<size_t>(h.ValueToIndex(v))] += 1.0;
    }
    return counts;
}

// Phases on and one step either side of bin edges, at the ends of the range
// (+-180 with the sign of a zero Q), the origin, values that are not finite,
// huge and tiny values: the counts equal those of the exact phase of every
// point, for the whole circle in 24 bins and for a narrow range of many bins.
TEST(Histogram, PhaseCountsMatchTheExactPhaseAtBinEdges) {
    CKalvoData d;
    const double inf = std::numeric_limits<double>::infinity();
    auto add = [&](double re, double im) {
        d.Inphase().Append(re);
        d.Quadrature().Append(im);
    };
    for (int edge = -24; edge <= 24; ++edge) {
        const double angle = edge * M_PI / 24.0;
        for (double radius : {1.0, 3.7, 1e-300, 1e300}) {
            const double re = radius * std::cos(angle), im = radius * std::sin(angle);
            for (double dr : {-1.0, 0.0, 1.0})
                for (double di : {-1.0, 0.0, 1.0})
                    add(dr == 0.0 ? re : std::nextafter(re, dr * inf), di == 0.0 ? im : std::nextafter(im, di * inf));
        }
    }
    for (double re : {-1.0, 1.0, 0.0, -0.0, inf, -inf, 1e308, -1.7e308, 4e-324})
        for (double im : {0.0, -0.0, 1.0, -2.0, inf, -inf, 1.7e308, -4e-324}) add(re, im);
    add(std::nan(""), 1.0);
    d.EqualizeColumns(0.0);

    const struct {
        double lo, hi;
        int32_t bins;
    } ranges[] = {{-180.0, 180.0, 24}, {-180.0, 180.0, 360}, {44.999999, 45.000001, 1000}, {-7.5, 7.5, 2}};
    for (const auto& r : ranges) {
        SCOPED_TRACE(r.bins);
        CHistogramData h;
        h.m_bAutoBins = 0;
        h.m_bAutoRange = 0;
        h.m_nBins = r.bins;
        h.m_dMin = r.lo;
        h.m_dMax = r.hi;
        ComputeHistogram(d, h, HIST_PHASE, HIST_NONE);
        EXPECT_EQ(Counts(h.Inphase()), PlainCounts(d, h, HIST_PHASE));
    }
}

// A capture long enough for the counts and the range to be shared among
// threads: each type's range and counts equal the plain scan's, and one
// thread gives the same as several.
TEST(Histogram, LongCapturesMatchThePlainScanWithAnyNumberOfThreads) {
    CKalvoData d;
    const int32_t n = (1 << 20) + 12345;
    std::mt19937 rng(5);
    std::normal_distribution<double> noise(0.0, 0.3);
    d.Inphase().SetSize(n);
    d.Quadrature().SetSize(n);
    double* re = d.Inphase().GetWritableData();
    double* im = d.Quadrature().GetWritableData();
    for (int32_t i = 0; i < n; ++i) {
        re[i] = std::cos(0.01 * i) + noise(rng);
        im[i] = std::sin(0.01 * i) + noise(rng);
    }
    // Extremes late in the scan, in the second thread's part.
    re[n - 5] = -1e-9;
    im[n - 5] = -0.0;
    re[n - 3] = 40.0;
    d.ResetRange();
    for (int type : {HIST_INPHASE, HIST_QUADRATURE, HIST_POWER, HIST_PHASE, HIST_MAGNITUDE}) {
        SCOPED_TRACE(type);
        double refLo = d.GetComponent(0, type), refHi = refLo;
        for (int32_t i = 1; i < n; ++i) {
            const double v = d.GetComponent(i, type);
            if (v < refLo) refLo = v;
            if (v > refHi) refHi = v;
        }
        std::vector<double> first;
        for (int threads : {1, CWorkerPool::kMaxThreads}) {
            const int previous = CWorkerPool::SetThreadLimit(threads);
            CHistogramData h;
            ComputeHistogram(d, h, type, HIST_NONE);
            CWorkerPool::SetThreadLimit(previous);
            EXPECT_EQ(h.m_dMin, refLo);
            EXPECT_EQ(h.m_dMax, refHi);
            const std::vector<double> counts = Counts(h.Inphase());
            EXPECT_EQ(counts, PlainCounts(d, h, type));
            if (first.empty()) first = counts;
            EXPECT_EQ(counts, first);
        }
    }
}

}  // namespace
}  // namespace kv
