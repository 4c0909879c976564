#pragma once
#include <cstdint>

namespace kv {

// The settings of one axis: the data range last given to it, the scaling
// choices of the axis dialog, and the axis ends and spacings in use.
struct CAxisScale {
    enum Grid : int32_t { GridNone = 0, GridOnTics = 1, GridOnLabels = 2, GridOnZero = 3 };

    // Scales the axis automatically for the stored data range; the power of
    // ten follows unless it is fixed.
    void Recompute();
    // Takes a new data range: an automatic axis (or one whose data moved
    // wholly out of the range it was scaled for) is scaled again.
    void SetRange(double a, double b);
    // Widens the data range to hold a and b; returns 1 when it changed.
    int ExtendRange(double a, double b);

    bool operator==(const CAxisScale&) const = default;

    double m_dDataMin = 0.0;
    double m_dDataMax = 0.0;
    int32_t m_bLog = 0;
    int32_t m_nGrid = GridOnTics;
    int32_t m_bFixedPower = 0;
    int32_t m_bAutoScale = 1;
    int32_t m_nMaxDigits = 3;
    double m_dAxisMin = 0.0;
    double m_dAxisMax = 0.0;
    double m_dTicSpacing = 0.0;
    double m_dLabelSpacing = 0.0;
    int32_t m_nPower = 0;
};

}  // namespace kv
