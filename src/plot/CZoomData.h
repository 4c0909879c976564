#pragma once

#include "plot/CAxisScale.h"

namespace kv {

// One zoom level: the X range of the view and copies of both axis records.
struct CZoomData {
    double m_dXMin = 0.0;
    double m_dXMax = 0.0;
    CAxisScale m_XAxis;
    CAxisScale m_YAxis;
};

}  // namespace kv
