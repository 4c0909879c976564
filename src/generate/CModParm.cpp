#include "generate/CModParm.h"

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CModParm::CModParm() : CDialogModel(LoadString(IDS_PAGE_MODULATION)) {}

void CModParm::Serialize(CArchive& ar, int) {
    ar.SerializeAsU16(m_nModulation);
    ar.Serialize(m_fPercentMod);
    ar.Serialize(m_fDeviation);
    ar.Serialize(m_fCarrierFrequency);
    ar.Serialize(m_fCarrierPhase);
}

}  // namespace kv
