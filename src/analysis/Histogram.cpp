#include "analysis/Histogram.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

#include "analysis/CHistogramData.h"
#include "data/CKalvoData.h"
#include "platform/CWorkerPool.h"

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

// Points per block of the loops below: the values of a block are computed
// together (vector code), then looked at one by one.
constexpr int32_t kBlock = 512;
// Points from which the loops take every core the worker pool has.
constexpr int32_t kParallelFrom = 1 << 20;

// The phase in degrees of a point as a cheap estimate within
// kPhaseEstimateError of the value the point's phase has everywhere else
// (atan2(im, re) / pi * 180): the octant's angle from an odd series of 11
// terms over |u| <= tan(pi / 8) (error below 4e-9 degrees). Points the
// estimate cannot serve (the origin, values that are not finite, sums that
// overflow) get NaN and are computed exactly by the caller.
constexpr double kPhaseEstimateError = 1e-6;

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif
void EstimatePhases(const double* re, const double* im, int32_t n, double* out) {
    constexpr double kTanEighthPi = 0.41421356;
    constexpr double kQuarterPi = M_PI / 4.0;
    constexpr double kHalfPi = M_PI / 2.0;
    constexpr double kPi = M_PI;
    constexpr double kDegrees = 180.0 / M_PI;
    for (int32_t i = 0; i < n; ++i) {
        const double x = re[i];
        const double y = im[i];
        const double ax = std::fabs(x);
        const double ay = std::fabs(y);
        const bool steep = ay > ax;
        const double mx = steep ? ay : ax;
        const double mn = steep ? ax : ay;
        // Below tan(pi/8) the ratio itself; above it the ratio's angle less
        // pi/4, atan((t - 1) / (t + 1)).
        const bool low = mn <= kTanEighthPi * mx;
        const double num = low ? mn : mn - mx;
        const double den = low ? mx : mn + mx;
        const double u = num / den;
        const double u2 = u * u;
        // atan(u) = u (1 - u^2 / 3 + u^4 / 5 - ... + u^20 / 21).
        double p = 1.0 / 21.0;
        p = p * u2 - 1.0 / 19.0;
        p = p * u2 + 1.0 / 17.0;
        p = p * u2 - 1.0 / 15.0;
        p = p * u2 + 1.0 / 13.0;
        p = p * u2 - 1.0 / 11.0;
        p = p * u2 + 1.0 / 9.0;
        p = p * u2 - 1.0 / 7.0;
        p = p * u2 + 1.0 / 5.0;
        p = p * u2 - 1.0 / 3.0;
        p = p * u2 + 1.0;
        double r = u * p;
        r = low ? r : r + kQuarterPi;
        r = steep ? kHalfPi - r : r;
        r = x < 0.0 ? kPi - r : r;
        const double degrees = std::copysign(r, y) * kDegrees;
        const bool served = mx > 0.0 && den < HUGE_VAL;
        out[i] = served ? degrees : std::numeric_limits<double>::quiet_NaN();
    }
}

// The smallest and largest of values[0 ... n - 1] that are numbers (either
// zero for an extreme of 0); true when some value is NaN.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif
bool BlockExtremes(const double* values, int32_t n, double& lo, double& hi) {
    constexpr int kLanes = 8;
    double los[kLanes], his[kLanes];
    int nans[kLanes];
    for (int u = 0; u < kLanes; ++u) los[u] = HUGE_VAL, his[u] = -HUGE_VAL, nans[u] = 0;
    int32_t j = 0;
    for (; j + kLanes <= n; j += kLanes) {
        for (int u = 0; u < kLanes; ++u) {
            const double v = values[j + u];
            los[u] = v < los[u] ? v : los[u];
            his[u] = v > his[u] ? v : his[u];
            nans[u] |= v != v;
        }
    }
    for (; j < n; ++j) {
        const double v = values[j];
        los[0] = v < los[0] ? v : los[0];
        his[0] = v > his[0] ? v : his[0];
        nans[0] |= v != v;
    }
    lo = los[0];
    hi = his[0];
    int nan = nans[0];
    for (int u = 1; u < kLanes; ++u) {
        lo = los[u] < lo ? los[u] : lo;
        hi = his[u] > hi ? his[u] : hi;
        nan |= nans[u];
    }
    return nan != 0;
}

// The magnitudes of points 0 ... n - 1 into out.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif
void Magnitudes(const double* re, const double* im, int32_t n, double* out) {
    for (int32_t i = 0; i < n; ++i) out[i] = CKalvoData::ComponentOf<HIST_MAGNITUDE>(re[i], im[i]);
}

// The values of a type of the stored points begin ... end - 1: in out, or
// the column itself for I and Q; the phase as its estimate (see
// EstimatePhases).
template <int Type>
const double* BlockValues(const double* re, const double* im, int32_t begin, int32_t end, double* out) {
    if constexpr (Type == HIST_INPHASE) return re + begin;
    if constexpr (Type == HIST_QUADRATURE) return im + begin;
    if constexpr (Type == HIST_PHASE) {
        EstimatePhases(re + begin, im + begin, end - begin, out);
    } else if constexpr (Type == HIST_MAGNITUDE) {
        Magnitudes(re + begin, im + begin, end - begin, out);
    } else {
        for (int32_t i = begin; i < end; ++i) out[i - begin] = CKalvoData::ComponentOf<Type>(re[i], im[i]);
    }
    return out;
}

// Smallest and largest value of a part of the points, NaN left out.
struct PartRange {
    double lo = 0.0;
    double hi = 0.0;
    bool any = false;
    void Take(double v) {
        if (!(v == v)) return;
        if (!any) {
            lo = hi = v;
            any = true;
        } else if (v < lo) {
            lo = v;
        } else if (v > hi) {
            hi = v;
        }
    }
    // Takes a later part's range: an equal value keeps the earlier one.
    void Merge(const PartRange& later) {
        if (!later.any) return;
        Take(later.lo);
        Take(later.hi);
    }
};

// The range of a type over the stored points begin ... end - 1 (NaN left
// out). The power stands in for the magnitude (the square root keeps the
// order and is exact), and the phase's estimate picks the points whose
// exact phase can be an extreme: a point with an estimate within twice the
// estimate's error of the smallest (largest) estimate so far.
template <int Type>
PartRange ScanRange(const double* re, const double* im, int32_t begin, int32_t end) {
    PartRange range;
    if constexpr (Type == HIST_PHASE) {
        constexpr double kNear = 2.0 * kPhaseEstimateError;
        double estimateLo = HUGE_VAL;
        double estimateHi = -HUGE_VAL;
        double block[kBlock];
        for (int32_t b = begin; b < end; b += kBlock) {
            const int32_t e = std::min(end, b + kBlock);
            EstimatePhases(re + b, im + b, e - b, block);
            double blockLo, blockHi;
            const bool unserved = BlockExtremes(block, e - b, blockLo, blockHi);
            if (!unserved && blockLo > estimateLo + kNear && blockHi < estimateHi - kNear) continue;
            for (int32_t j = 0; j < e - b; ++j) {
                const double v = block[j];
                bool exact = !(v == v);
                if (!exact) {
                    estimateLo = v < estimateLo ? v : estimateLo;
                    estimateHi = v > estimateHi ? v : estimateHi;
                    exact = v <= estimateLo + kNear || v >= estimateHi - kNear;
                }
                if (exact) range.Take(CKalvoData::ComponentOf<HIST_PHASE>(re[b + j], im[b + j]));
            }
        }
    } else if constexpr (Type == HIST_MAGNITUDE) {
        range = ScanRange<HIST_POWER>(re, im, begin, end);
        range.lo = std::sqrt(range.lo);
        range.hi = std::sqrt(range.hi);
    } else {
        // The first value that is a number starts the range; the rest go
        // through a loop the vectoriser takes (a NaN changes nothing).
        int32_t i = begin;
        while (i < end && !range.any) range.Take(CKalvoData::ComponentOf<Type>(re[i], im[i])), ++i;
        double lo = range.lo;
        double hi = range.hi;
        // Eight independent running extremes, so that the loop runs in
        // vector code (a NaN changes nothing).
        constexpr int kLanes = 8;
        double los[kLanes], his[kLanes];
        for (int u = 0; u < kLanes; ++u) los[u] = lo, his[u] = hi;
        int32_t k = i;
        for (; k + kLanes <= end; k += kLanes) {
            for (int u = 0; u < kLanes; ++u) {
                const double v = CKalvoData::ComponentOf<Type>(re[k + u], im[k + u]);
                los[u] = v < los[u] ? v : los[u];
                his[u] = v > his[u] ? v : his[u];
            }
        }
        for (; k < end; ++k) {
            const double v = CKalvoData::ComponentOf<Type>(re[k], im[k]);
            lo = v < lo ? v : lo;
            hi = v > hi ? v : hi;
        }
        for (int u = 0; u < kLanes; ++u) {
            lo = los[u] < lo ? los[u] : lo;
            hi = his[u] > hi ? his[u] : hi;
        }
        // The loop may take either zero for an extreme of 0; the scan in
        // order keeps the first zero it meets.
        for (double* extreme : {&lo, &hi}) {
            if (*extreme != 0.0) continue;
            for (int32_t k = begin; k < end; ++k) {
                const double v = CKalvoData::ComponentOf<Type>(re[k], im[k]);
                if (v == 0.0) {
                    *extreme = v;
                    break;
                }
            }
        }
        range.lo = lo;
        range.hi = hi;
    }
    return range;
}

// Runs part(t, begin, end) over the points begin ... end - 1 split into
// consecutive pieces, one per thread (the first piece on the calling thread),
// and returns the number of pieces.
template <class Part>
int RunParts(int32_t begin, int32_t end, Part&& part) {
    const int32_t n = end - begin;
    const int threads = n >= kParallelFrom ? CWorkerPool::Instance().Threads() : 1;
    if (threads <= 1) {
        part(0, begin, end);
        return 1;
    }
    CWorkerPool::Instance().Run(threads, [&](int t) {
        const int32_t a = begin + static_cast<int32_t>(static_cast<int64_t>(n) * t / threads);
        const int32_t b = begin + static_cast<int32_t>(static_cast<int64_t>(n) * (t + 1) / threads);
        part(t, a, b);
    });
    return threads;
}

// The range of a type over the stored points begin ... end - 1 in index
// order, shared among the threads.
template <int Type>
PartRange RangeOf(const double* re, const double* im, int32_t begin, int32_t end) {
    PartRange parts[CWorkerPool::kMaxThreads];
    const int count = RunParts(begin, end, [&](int t, int32_t a, int32_t b) { parts[t] = ScanRange<Type>(re, im, a, b); });
    for (int t = 1; t < count; ++t) parts[0].Merge(parts[t]);
    return parts[0];
}

// Codes of the bins of values in[0 ... n - 1]: the bin CHistogramData::BinOf
// gives, or kOutside for a value outside [lo, hi].
constexpr int32_t kExact = -1;
constexpr int32_t kOutside = -2;

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif
void BinCodes(const double* values, int32_t n, double lo, double hi, double width, int32_t bins, int32_t* codes) {
    const double binsD = static_cast<double>(bins);
    const double last = static_cast<double>(bins - 1);
    for (int32_t j = 0; j < n; ++j) {
        const double v = values[j];
        const double q = (v - lo) / width;
        const bool counted = lo <= v && v <= hi;
        const double clamped = q > 0.0 ? (q < binsD ? q : last) : 0.0;
        const int32_t k = static_cast<int32_t>(clamped);
        codes[j] = counted ? k : kOutside;
    }
}

// The same for phase estimates within margin of the exact values (in bins:
// binMargin, with the rounding of both quotients): the bin where the whole
// margin lies inside one bin and the range, kOutside where it lies outside
// the range, kExact where the exact phase must decide.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif
void EstimatedBinCodes(const double* values, int32_t n, double lo, double hi, double inverse, double margin,
                       double binMargin, int32_t bins, int32_t* codes) {
    const double binsD = static_cast<double>(bins);
    for (int32_t j = 0; j < n; ++j) {
        const double v = values[j];
        const double q = (v - lo) * inverse;
        const double q0 = q - binMargin;
        const double q1 = q + binMargin;
        // Bitwise operators: no branch, so the loop runs in vector code.
        const bool inside = (v - margin >= lo) & (v + margin <= hi) & (q0 >= 0.0) & (q1 < binsD);
        const bool outside = (v + margin < lo) | (v - margin > hi);
        const int32_t k0 = static_cast<int32_t>(inside ? q0 : 0.0);
        const int32_t k1 = static_cast<int32_t>(inside ? q1 : 0.0);
        const int32_t other = outside ? kOutside : kExact;
        codes[j] = (inside & (k0 == k1)) ? k0 : other;
    }
}

// Counts the values of a type of the stored points begin ... end - 1 that
// lie in [lo, hi] into counts (bins entries), exactly as
// CHistogramData::BinOf places them. Each block's bins are computed
// together; a phase estimate whose error margin crosses a bin edge or an end
// of the range is settled by the exact phase.
template <int Type>
void CountPart(const double* re, const double* im, int32_t begin, int32_t end, double lo, double hi, double width,
               int32_t bins, int64_t* counts) {
    double buffer[kBlock];
    int32_t codes[kBlock];
    const double binsD = static_cast<double>(bins);
    constexpr bool estimated = Type == HIST_PHASE;
    // In bins: the estimate's error plus the rounding of both quotients.
    const double inverse = 1.0 / width;
    const double margin = estimated ? kPhaseEstimateError * 1.01 : 0.0;
    const double binMargin = estimated ? margin * inverse * 1.01 + 16.0 * DBL_EPSILON * (binsD + 1.0) : 0.0;
    const bool usable = width > 0.0 && std::isfinite(inverse) && std::isfinite(lo) && std::isfinite(hi);
    // Neighbouring points often fall into the same bin: counting them into
    // kLanes separate rows (few bins) keeps the increments independent.
    constexpr int32_t kLanes = 4;
    const bool rows = bins <= 4096;
    std::vector<int64_t> laneCounts(rows ? static_cast<size_t>(kLanes * bins) : 0, 0);
    int64_t* lanes = rows ? laneCounts.data() : counts;
    const int32_t laneStride = rows ? bins : 0;
    for (int32_t b = begin; b < end; b += kBlock) {
        const int32_t e = std::min(end, b + kBlock);
        const int32_t len = e - b;
        const double* values = BlockValues<Type>(re, im, b, e, buffer);
        if (!usable) {
            for (int32_t j = 0; j < len; ++j) codes[j] = kExact;
        } else if constexpr (estimated) {
            EstimatedBinCodes(values, len, lo, hi, inverse, margin, binMargin, bins, codes);
        } else {
            BinCodes(values, len, lo, hi, width, bins, codes);
        }
        for (int32_t j = 0; j < len; ++j) {
            const int32_t code = codes[j];
            if (code >= 0) {
                ++lanes[(j & (kLanes - 1)) * laneStride + code];
            } else if (code == kExact) {
                const double v = CKalvoData::ComponentOf<Type>(re[b + j], im[b + j]);
                if (lo <= v && v <= hi) ++counts[CHistogramData::BinOf(v, lo, width, bins)];
            }
        }
    }
    if (rows)
        for (int32_t l = 0; l < kLanes; ++l)
            for (int32_t k = 0; k < bins; ++k) counts[k] += laneCounts[static_cast<size_t>(l * bins + k)];
}

// Counts the values of a type of the stored points 0 ... n - 1 that lie in
// [lo, hi] into counts, shared among the threads (the counts are the same
// whatever the split).
template <int Type>
void CountValues(const double* re, const double* im, int32_t n, double lo, double hi, double width, int32_t bins,
                 std::vector<int64_t>& counts) {
    const size_t size = static_cast<size_t>(bins);
    if (n < kParallelFrom || bins > (1 << 16)) {
        CountPart<Type>(re, im, 0, n, lo, hi, width, bins, counts.data());
        return;
    }
    std::vector<int64_t> parts(size * CWorkerPool::kMaxThreads, 0);
    const int count = RunParts(0, n, [&](int t, int32_t a, int32_t b) {
        CountPart<Type>(re, im, a, b, lo, hi, width, bins, parts.data() + size * static_cast<size_t>(t));
    });
    for (int t = 0; t < count; ++t)
        for (size_t k = 0; k < size; ++k) counts[k] += parts[size * static_cast<size_t>(t) + k];
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
        PartRange range;
        range.lo = range.hi = CKalvoData::ComponentOf<Type>(re[s0], im[s0]);
        range.any = true;
        if (range.lo == range.lo) {
            if (first < 0) {
                range.Merge(RangeOf<Type>(re, im, s0 + 1, std::min(last, -1) + count + 1));
                if (last >= 0) range.Merge(RangeOf<Type>(re, im, 0, last + 1));
            } else {
                range.Merge(RangeOf<Type>(re, im, s0 + 1, last + 1));
            }
        }
        // A first value that is not a number leaves the range NaN.
        minimum = range.lo;
        maximum = range.hi;
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
