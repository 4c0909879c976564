#include "analysis/CHistogramData.h"

#include <cmath>

namespace kv {

double CHistogramData::IndexToValue(int32_t k) const { return (static_cast<double>(k) + 0.5) * m_dBinWidth + m_dMin; }

int32_t CHistogramData::ValueToIndex(double v) const { return BinOf(v, m_dMin, m_dBinWidth, m_nBins); }

}  // namespace kv
