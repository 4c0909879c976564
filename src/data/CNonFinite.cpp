#include "data/CNonFinite.h"

#include <cmath>

#include "data/CKalvoData.h"
#include "platform/StringTable.h"

namespace kv {

void CNonFinite::Note(int32_t point, int32_t column, double value) {
    if (m_nCount++ == 0) {
        m_nFirstPoint = point;
        m_nFirstColumn = column;
        m_dFirstValue = value;
    }
}

void CNonFinite::ScanPoints(const CKalvoData& data, int32_t first, int32_t last) {
    const double* re = data.Inphase().GetData();
    const double* im = data.Quadrature().GetData();
    const int32_t count = data.GetCount();
    for (int32_t i = first; i <= last; ++i) {
        const int32_t s = i < 0 ? i + count : i;
        // Finite values make x - x exactly 0; NaN and infinities make NaN.
        if (re[s] - re[s] == 0.0 && im[s] - im[s] == 0.0) continue;
        if (!std::isfinite(re[s])) Note(i, 0, re[s]);
        if (!std::isfinite(im[s])) Note(i, 1, im[s]);
    }
}

CNonFinite CNonFinite::OfData(const CKalvoData& data) {
    CNonFinite result;
    result.m_bTime = data.IsTime();
    if (data.GetCount() > 0) result.ScanPoints(data, 0, data.GetCount() - 1);
    return result;
}

CNonFinite CNonFinite::OfRange(const CKalvoData& data) {
    CNonFinite result;
    result.m_bTime = data.IsTime();
    int32_t first = 0, last = -1;
    if (!data.StoredWorkingRange(first, last)) return result;
    result.ScanPoints(data, first, last);
    // DC lies outside a range that does not reach it.
    if (!data.IsTime() && (first > 0 || last < 0)) {
        CNonFinite dc;
        dc.ScanPoints(data, 0, 0);
        if (dc.Any() && result.m_nCount == 0) {
            result = dc;
            result.m_bTime = false;
        } else {
            result.m_nCount += dc.m_nCount;
        }
    }
    return result;
}

std::string CNonFinite::Message() const {
    const std::string& data = LoadString(m_bTime ? IDS_NONFINITE_TIME_DATA : IDS_NONFINITE_FREQ_DATA);
    const std::string& column = LoadString(m_nFirstColumn == 0 ? IDS_NONFINITE_INPHASE : IDS_NONFINITE_QUADRATURE);
    if (m_nCount == 0) return FormatPrintf(IDS_POWERS_OVERFLOW, data.c_str());
    const char* value = std::isnan(m_dFirstValue) ? "NaN" : (m_dFirstValue > 0 ? "+inf" : "-inf");
    if (m_nCount == 1)
        return FormatPrintf(IDS_NONFINITE_ONE, data.c_str(), column.c_str(), static_cast<int>(m_nFirstPoint), value);
    return FormatPrintf(IDS_NONFINITE_MANY, data.c_str(), static_cast<long long>(m_nCount), column.c_str(),
                        static_cast<int>(m_nFirstPoint), value);
}

}  // namespace kv
