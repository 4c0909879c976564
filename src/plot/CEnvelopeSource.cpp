#include "plot/CEnvelopeSource.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "data/CKalvoData.h"

namespace kv {

namespace {

template <int A>
inline double Key(double re, double im) {
    return CEnvelopeSource::OrderKey<A>(re, im);
}

inline bool Finite(double v) { return v - v == 0.0; }

// The summary of stored indices a ... b, reported as working indices
// (stored index minus shift).
template <int A>
CGroupSummary ScanRun(const double* I, const double* Q, int32_t a, int32_t b, int32_t shift, bool wantSum) {
    CGroupSummary s;
    s.m_nCount = static_cast<int64_t>(b) - a + 1;
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    int32_t loAt = -1, hiAt = -1;
    for (int32_t k = a; k <= b; ++k) {
        double v = Key<A>(I[k], Q[k]);
        if (v < lo) {
            lo = v;
            loAt = k;
        }
        if (v > hi) {
            hi = v;
            hiAt = k;
        }
    }
    if (loAt >= 0 && !(lo > -HUGE_VAL && hi < HUGE_VAL)) {
        // Infinite values take no part: scan again for the finite ones.
        lo = HUGE_VAL;
        hi = -HUGE_VAL;
        loAt = hiAt = -1;
        CEnvelopeSource::ScanFiniteKeys<A>(I, Q, a, b, lo, hi, loAt, hiAt);
    }
    if (loAt >= 0) {
        s.m_nMinIndex = loAt - shift;
        s.m_nMaxIndex = hiAt - shift;
        s.m_dMin = CKalvoData::ComponentOf<A>(I[loAt], Q[loAt]);
        s.m_dMax = CKalvoData::ComponentOf<A>(I[hiAt], Q[hiAt]);
    }
    if (wantSum) {
        double sum = 0.0;
        for (int32_t k = a; k <= b; ++k) {
            double v = A == 3 ? CKalvoData::ComponentOf<3>(I[k], Q[k]) : Key<A>(I[k], Q[k]);
            sum += Finite(v) ? v : 0.0;
        }
        s.m_dSum = sum;
    }
    return s;
}

CGroupSummary Scan(int component, const double* I, const double* Q, int32_t a, int32_t b, int32_t shift,
                   bool wantSum) {
    switch (component) {
        case 0: return ScanRun<0>(I, Q, a, b, shift, wantSum);
        case 1: return ScanRun<1>(I, Q, a, b, shift, wantSum);
        case 2: return ScanRun<2>(I, Q, a, b, shift, wantSum);
        case 3: return ScanRun<3>(I, Q, a, b, shift, wantSum);
        default: return CGroupSummary{};
    }
}

}  // namespace

CGroupSummary CEnvelopeSource::Summarise(const CKalvoData& data, int component, int32_t first, int32_t last,
                                         bool wantSum) const {
    CGroupSummary s;
    const int32_t count = data.GetCount();
    first = std::max(first, data.IsTime() ? 0 : -count);
    last = std::min(last, count - 1);
    if (first > last) return s;
    const double* I = data.Inphase().GetData();
    const double* Q = data.Quadrature().GetData();
    bool any = false;
    if (first < 0) {
        s = Scan(component, I, Q, first + count, std::min(last, -1) + count, count, wantSum);
        any = true;
    }
    if (last >= 0) {
        CGroupSummary upper = Scan(component, I, Q, std::max(first, 0), last, 0, wantSum);
        if (any)
            s.Merge(upper);
        else
            s = upper;
    }
    return s;
}

const CEnvelopeSource& CEnvelopeSource::Scanning() {
    static const CEnvelopeSource source;
    return source;
}

}  // namespace kv
