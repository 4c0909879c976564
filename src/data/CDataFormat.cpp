#include "data/CDataFormat.h"

#include <algorithm>
#include <cmath>

#include "platform/CArchive.h"

namespace kv {

void CDataFormat::SetDataRate(double hz) {
    m_dDataRate = std::isfinite(hz) && hz > 0.0 ? hz : 0.0;
    // A WAVE file states whole samples per second, at least one.
    if (m_dDataRate > 0.0 && m_dDataRate < 4294967295.5)
        m_WavFmt.m_nProjectRate = static_cast<uint32_t>(std::max(1.0, std::round(m_dDataRate)));
    else
        m_WavFmt.m_nProjectRate = 0;
}

void CDataFormat::Serialize(CArchive& ar, int version) {
    ar.SerializeAsU16(m_WavFmt.m_nSizeChoice);
    ar.SerializeAsU16(m_WavFmt.m_nRateChoice);
    ar.SerializeAsU16(m_nFormat);
    if (version >= 4) {
        CAsmOpts& a = m_AsmOpts;
        ar.Serialize(a.m_strName);
        ar.Serialize(a.m_strFinalText);
        ar.Serialize(a.m_bShowGraph);
        ar.Serialize(a.m_strInitialText);
        ar.Serialize(a.m_bShowLength);
        ar.Serialize(a.m_bShowRatio);
        ar.Serialize(a.m_strRatio);
        ar.Serialize(a.m_nDataFormat);
        ar.Serialize(a.m_bShowFloat);
        ar.Serialize(a.m_bShowOther);
    }
    if (version >= 5) {
        ar.Serialize(m_OptionsC.m_strName);
        ar.Serialize(m_OptionsC.m_strType);
        if (version >= 16)
            ar.Serialize(m_OptionsC.m_strSuffix);
        else if (ar.IsLoading() && m_OptionsC.m_strType == "float")
            m_OptionsC.m_strSuffix.assign(1, 'f');
        else if (ar.IsLoading())
            m_OptionsC.m_strSuffix.clear();
    }
    if (version >= 12) ar.Serialize(m_FixedPoint.m_nBits);
}

}  // namespace kv
