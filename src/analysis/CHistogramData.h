#pragma once
#include <cstdint>

#include "data/CKalvoData.h"

namespace kv {

// A histogram as signal data: its Inphase column holds the counts of the
// first value type and its Quadrature column those of the second, one point
// per bin. It is time-domain data whose x values are the bin centres.
class CHistogramData : public CKalvoData {
public:
    CHistogramData() = default;

    const char* GetRuntimeClassName() const override { return "CHistogramData"; }
    // The centre of bin k.
    double IndexToValue(int32_t k) const override;
    // The bin of a value, limited to 0 ... bins - 1.
    int32_t ValueToIndex(double v) const override;

    // The bin of a value for a histogram of the given bins from minimum in
    // steps of width: what ValueToIndex answers, for loops over many values.
    static int32_t BinOf(double v, double minimum, double width, int32_t bins) {
        const int32_t last = bins > 0 ? bins - 1 : 0;
        const double q = (v - minimum) / width;
        // A zero bin width (constant data) puts everything into bin 0; a
        // value that is not a number has no bin and goes there too.
        if (!(q > 0.0)) return 0;
        if (q >= static_cast<double>(bins)) return last;
        return static_cast<int32_t>(q);
    }

    int32_t m_nBins = 17;
    double m_dMin = 0.0;
    double m_dMax = 0.0;
    uint8_t m_bAutoBins = 1;
    uint8_t m_bAutoRange = 1;
    double m_dBinWidth = 0.0;
};

}  // namespace kv
