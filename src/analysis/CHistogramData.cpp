#include "analysis/CHistogramData.h"

#include <cmath>

namespace kv {

double CHistogramData::IndexToValue(int32_t k) const { return (static_cast<double>(k) + 0.5) * m_dBinWidth + m_dMin; }

int32_t CHistogramData::ValueToIndex(double v) const {
    int32_t last = m_nBins > 0 ? m_nBins - 1 : 0;
    double q = (v - m_dMin) / m_dBinWidth;
    // A zero bin width (constant data) puts everything into bin 0; a value
    // that is not a number has no bin and goes there too.
    if (!(q > 0.0)) return 0;
    if (q >= static_cast<double>(m_nBins)) return last;
    return static_cast<int32_t>(q);
}

}  // namespace kv
