#include "analysis/Histogram.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

#include "analysis/CHistogramData.h"
#include "data/CKalvoData.h"

namespace kv {

int32_t AutoBinCount(int32_t n) {
    if (n <= 0) return 17;
    int32_t b = static_cast<int32_t>(std::log10(static_cast<double>(n)) / std::log10(2.0) + 1.5);
    if (b < 9) b = 9;
    if (b > n) b = n;
    return b;
}

namespace {

// Calls body with the value type as a compile-time constant, so the loops
// over the samples are made once per type without a switch per sample.
template <class Body>
void WithType(int type, Body&& body) {
    switch (type) {
        case HIST_INPHASE: body(std::integral_constant<int, HIST_INPHASE>{}); break;
        case HIST_QUADRATURE: body(std::integral_constant<int, HIST_QUADRATURE>{}); break;
        case HIST_POWER: body(std::integral_constant<int, HIST_POWER>{}); break;
        case HIST_PHASE: body(std::integral_constant<int, HIST_PHASE>{}); break;
        case HIST_MAGNITUDE: body(std::integral_constant<int, HIST_MAGNITUDE>{}); break;
        default: body(std::integral_constant<int, HIST_NONE>{}); break;
    }
}

// Widens [lo, hi] by the values of a type of the stored points begin ...
// end - 1, in that order. A value that is not a number changes nothing.
template <int Type>
void ScanRange(const double* re, const double* im, int32_t begin, int32_t end, double& lo, double& hi) {
    for (int32_t i = begin; i < end; ++i) {
        const double v = CKalvoData::ComponentOf<Type>(re[i], im[i]);
        if (v < lo)
            lo = v;
        else if (v > hi)
            hi = v;
    }
}

// Counts the values of a type of the stored points 0 ... n - 1 that lie in
// [lo, hi] into counts.
template <int Type>
void CountValues(const double* re, const double* im, int32_t n, double lo, double hi, double width, int32_t bins,
                 std::vector<int64_t>& counts) {
    for (int32_t i = 0; i < n; ++i) {
        const double v = CKalvoData::ComponentOf<Type>(re[i], im[i]);
        if (lo <= v && v <= hi) ++counts[static_cast<size_t>(CHistogramData::BinOf(v, lo, width, bins))];
    }
}

}  // namespace

bool ValueRange(const CKalvoData& source, int type, double& minimum, double& maximum) {
    minimum = maximum = 0.0;
    int32_t first, last;
    if (!source.StoredWorkingRange(first, last)) return false;
    // Signed indices below 0 (two-sided Frequency Data) are stored at the
    // top of the columns; they come first in the scan, as in index order.
    // The range starts at the first point scanned.
    const int32_t count = source.GetCount();
    const double* re = source.Inphase().GetData();
    const double* im = source.Quadrature().GetData();
    WithType(type, [&](auto t) {
        constexpr int Type = decltype(t)::value;
        const int32_t s0 = first < 0 ? first + count : first;
        double lo = CKalvoData::ComponentOf<Type>(re[s0], im[s0]);
        double hi = lo;
        if (first < 0) {
            ScanRange<Type>(re, im, s0 + 1, std::min(last, -1) + count + 1, lo, hi);
            if (last >= 0) ScanRange<Type>(re, im, 0, last + 1, lo, hi);
        } else {
            ScanRange<Type>(re, im, s0 + 1, last + 1, lo, hi);
        }
        minimum = lo;
        maximum = hi;
    });
    return true;
}

void ComputeHistogram(const CKalvoData& source, CHistogramData& histogram, int firstType, int secondType) {
    histogram.Reset();
    int32_t n = source.GetCount();
    if (histogram.m_nBins <= 0 || histogram.m_bAutoBins) histogram.m_nBins = AutoBinCount(n);
    if (n <= 0) {
        // Nothing to count: the histogram stays empty.
        histogram.m_dBinWidth = 0.0;
        histogram.ResetRange();
        return;
    }
    bool countA = firstType != HIST_NONE;
    bool countB = secondType != HIST_NONE;
    if (histogram.m_bAutoRange || histogram.m_dMin == histogram.m_dMax) {
        if (countA) ValueRange(source, firstType, histogram.m_dMin, histogram.m_dMax);
        if (countB) {
            double b0, b1;
            ValueRange(source, secondType, b0, b1);
            if (!countA || b0 < histogram.m_dMin) histogram.m_dMin = b0;
            if (!countA || b1 > histogram.m_dMax) histogram.m_dMax = b1;
        }
    }
    histogram.m_dBinWidth = (histogram.m_dMax - histogram.m_dMin) / histogram.m_nBins;

    const int32_t bins = histogram.m_nBins;
    const double lo = histogram.m_dMin;
    const double hi = histogram.m_dMax;
    const double width = histogram.m_dBinWidth;
    std::vector<int64_t> countsA(static_cast<size_t>(bins), 0), countsB(static_cast<size_t>(bins), 0);
    // The columns hold at least GetCount() points each.
    const double* re = source.Inphase().GetData();
    const double* im = source.Quadrature().GetData();
    if (countA)
        WithType(firstType, [&](auto t) { CountValues<decltype(t)::value>(re, im, n, lo, hi, width, bins, countsA); });
    if (countB)
        WithType(secondType, [&](auto t) { CountValues<decltype(t)::value>(re, im, n, lo, hi, width, bins, countsB); });

    CDataColumn& inphase = histogram.Inphase();
    CDataColumn& quadrature = histogram.Quadrature();
    inphase.SetSize(bins);
    quadrature.SetSize(bins);
    double* countI = inphase.GetWritableData();
    double* countQ = quadrature.GetWritableData();
    for (int32_t k = 0; k < bins; ++k) {
        countI[k] = static_cast<double>(countsA[static_cast<size_t>(k)]);
        countQ[k] = static_cast<double>(countsB[static_cast<size_t>(k)]);
    }
    histogram.m_nWindow = -1;
    histogram.ResetRange();
}

}  // namespace kv
