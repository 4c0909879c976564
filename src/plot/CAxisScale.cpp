#include "plot/CAxisScale.h"

#include "formats/FormatHelpers.h"
#include "plot/AxisScaling.h"

namespace kv {

void CAxisScale::Recompute() {
    CAutoScale s = AutoScale(m_dDataMin, m_dDataMax, m_bLog != 0);
    m_dAxisMin = s.m_dAxisMin;
    m_dAxisMax = s.m_dAxisMax;
    m_dTicSpacing = s.m_dTicSpacing;
    m_dLabelSpacing = s.m_dLabelSpacing;
    if (!m_bFixedPower) m_nPower = EngineeringExponent(m_bLog ? m_dAxisMin : m_dLabelSpacing);
}

void CAxisScale::SetRange(double a, double b) {
    if (a == b) {
        if (b > 0) {
            a = 0.0;
            b = 2.0 * b;
        } else {
            a = 2.0 * a;
            b = 0.0;
        }
    }
    if (m_bAutoScale || b < m_dDataMin || a > m_dDataMax) {
        m_dDataMin = a;
        m_dDataMax = b;
        Recompute();
    }
}

int CAxisScale::ExtendRange(double a, double b) {
    if (a >= m_dDataMin && b <= m_dDataMax) return 0;
    m_dDataMin = a;
    m_dDataMax = b;
    Recompute();
    return 1;
}

}  // namespace kv
