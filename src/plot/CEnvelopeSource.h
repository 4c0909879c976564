#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

#include "plot/CGroupSummary.h"

namespace kv {

class CKalvoData;

// Serves the summaries (smallest and largest value, their first indices,
// the sum) of runs of consecutive samples of one component of a signal:
// 0 I, 1 Q, 2 power I² + Q², 3 phase in degrees. The plot reduction asks it
// once per pixel column of a long trace, so the picture of a signal depends
// only on these summaries: a source that keeps precomputed summaries of
// fixed blocks of samples (merged with CGroupSummary::Merge, with the ends
// of a run scanned) draws the same picture as this one, which scans every
// sample of the run.
class CEnvelopeSource {
public:
    virtual ~CEnvelopeSource() = default;

    // The summary of working indices first ... last of the data (negative
    // indices of Frequency Data address index + count); wantSum asks for the
    // sum as well. Indices must address stored points.
    virtual CGroupSummary Summarise(const CKalvoData& data, int component, int32_t first, int32_t last,
                                    bool wantSum) const;

    // The source that scans the samples.
    static const CEnvelopeSource& Scanning();

    // A key that orders samples as their component A does, cheap to compute:
    // the value itself for I, Q and power; for the phase a pseudo-angle,
    // which never falls as atan2(Q, I) rises over (-180, 180] (angles closer
    // than its rounding can tie; the first of them wins) (0 at the
    // positive I axis, ±2 at the negative one, with the sign of Q, zero
    // included, as atan2 gives it), so that only the winners need the arc
    // tangent. Samples with a component that is not finite get NaN, which no
    // comparison takes.
    template <int A>
    static double OrderKey(double re, double im) {
        if constexpr (A == 0) return re;
        if constexpr (A == 1) return im;
        if constexpr (A == 2) return re * re + im * im;
        if constexpr (A == 3) {
            double d = std::fabs(re) + std::fabs(im);
            if (!(d < HUGE_VAL)) {
                if (!(std::fabs(re) < HUGE_VAL && std::fabs(im) < HUGE_VAL))
                    return std::numeric_limits<double>::quiet_NaN();
                // Finite components whose sum overflows: halving both is
                // exact at this size and keeps the angle.
                re *= 0.5;
                im *= 0.5;
                d = std::fabs(re) + std::fabs(im);
            }
            if (d == 0.0) return 0.0;
            double k = 1.0 - re / d;
            return std::signbit(im) ? -k : k;
        }
        return 0.0;
    }

    // Widens lo ... hi over the finite keys of component A of stored indices
    // a ... b, keeping at loAt / hiAt the first index of each extreme as a
    // scan in index order meets it; keys that are not finite take no part.
    template <int A>
    static void ScanFiniteKeys(const double* I, const double* Q, int32_t a, int32_t b, double& lo, double& hi,
                               int32_t& loAt, int32_t& hiAt) {
        for (int32_t k = a; k <= b; ++k) {
            const double v = OrderKey<A>(I[k], Q[k]);
            if (!(v - v == 0.0)) continue;
            if (v < lo) {
                lo = v;
                loAt = k;
            }
            if (v > hi) {
                hi = v;
                hiAt = k;
            }
        }
    }
};

}  // namespace kv
