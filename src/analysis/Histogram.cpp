#include "analysis/Histogram.h"

#include <algorithm>
#include <cmath>

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

// First and last working-range index that address stored points.
bool WorkingRange(const CKalvoData& data, int32_t& first, int32_t& last) {
    int32_t count = data.GetCount();
    if (count <= 0) return false;
    first = std::max(data.m_nStart, data.IsTime() ? 0 : -count);
    last = std::min(data.m_nStop, count - 1);
    return first <= last;
}

}  // namespace

bool ValueRange(const CKalvoData& source, int type, double& minimum, double& maximum) {
    minimum = maximum = 0.0;
    int32_t first, last;
    if (!WorkingRange(source, first, last)) return false;
    minimum = maximum = source.GetComponent(first, type);
    for (int32_t i = first + 1; i <= last; ++i) {
        double v = source.GetComponent(i, type);
        if (v < minimum)
            minimum = v;
        else if (v > maximum)
            maximum = v;
    }
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

    CDataColumn& inphase = histogram.Inphase();
    CDataColumn& quadrature = histogram.Quadrature();
    inphase.SetSize(histogram.m_nBins);
    quadrature.SetSize(histogram.m_nBins);
    inphase.ZeroAll();
    quadrature.ZeroAll();
    histogram.m_nWindow = -1;

    const double lo = histogram.m_dMin;
    const double hi = histogram.m_dMax;
    for (int32_t i = 0; i < n; ++i) {
        if (countA) {
            double v = source.GetComponent(i, firstType);
            if (lo <= v && v <= hi) inphase[histogram.ValueToIndex(v)] += 1.0;
        }
        if (countB) {
            double v = source.GetComponent(i, secondType);
            if (lo <= v && v <= hi) quadrature[histogram.ValueToIndex(v)] += 1.0;
        }
    }
    histogram.ResetRange();
}

}  // namespace kv
