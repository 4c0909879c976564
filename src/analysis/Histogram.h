#pragma once
#include <cstdint>

namespace kv {

class CKalvoData;
class CHistogramData;

// The value types a histogram counts, for a point with Inphase I and
// Quadrature Q.
enum HistogramValueType : int {
    HIST_INPHASE = 0,     // I
    HIST_QUADRATURE = 1,  // Q
    HIST_POWER = 2,       // I^2 + Q^2
    HIST_PHASE = 3,       // atan2(Q, I) in degrees, 0 at the origin
    HIST_MAGNITUDE = 4,   // sqrt(I^2 + Q^2)
    HIST_NONE = 5,        // nothing counted
};

// The rounded Sturges count log2(n) + 1, at least 9 and at most n; 17 for
// no points.
int32_t AutoBinCount(int32_t n);

// The smallest and largest value of a type over the source's working range.
// Returns false (and 0, 0) when the range holds no point.
bool ValueRange(const CKalvoData& source, int type, double& minimum, double& maximum);

// Recomputes the histogram of the source: the first type is counted into the
// histogram's Inphase column, the second into its Quadrature column. The
// range comes from the working range, the counting covers all points. An
// empty source gives an empty histogram.
void ComputeHistogram(const CKalvoData& source, CHistogramData& histogram, int firstType, int secondType);

}  // namespace kv
