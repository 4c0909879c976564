#pragma once
#include <cstdint>
#include <string>

namespace kv {

class CKalvoData;

// The values of signal data that are not finite numbers (NaN or infinite):
// how many there are and where the first one is. Statistics of such data
// would be meaningless, so the statistics commands report this instead.
class CNonFinite {
public:
    // Every point of the data, both columns, in index order.
    static CNonFinite OfData(const CKalvoData& data);
    // The points of the working range in its order (for Frequency Data from
    // its most negative index), plus the DC point of Frequency Data, which
    // its statistics report whatever the range.
    static CNonFinite OfRange(const CKalvoData& data);

    bool Any() const { return m_nCount > 0; }
    // The message for the user: the data, how many values are not finite,
    // and the column, point and value of the first. Without such values, a
    // statistic that still came out not finite overflowed: the message says
    // that the powers are beyond the range of doubles.
    std::string Message() const;

    int64_t m_nCount = 0;         // values (not points) that are not finite
    int32_t m_nFirstPoint = 0;    // index of the first one's point, as the working range numbers it
    int32_t m_nFirstColumn = 0;   // 0 Inphase, 1 Quadrature
    double m_dFirstValue = 0.0;   // NaN, +inf or -inf
    bool m_bTime = true;          // Time Data (else Frequency Data)

private:
    void Note(int32_t point, int32_t column, double value);
    void ScanPoints(const CKalvoData& data, int32_t first, int32_t last);
};

}  // namespace kv
