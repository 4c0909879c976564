#pragma once
#include <cstdint>

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
};

}  // namespace kv
