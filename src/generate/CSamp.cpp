#include "generate/CSamp.h"

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CSamp::CSamp() : CDialogModel(LoadString(IDS_PAGE_SAMPLE)) {}

void CSamp::Serialize(CArchive& ar, int) {
    ar.Serialize(m_nSampleCount);
    ar.Serialize(m_fScale);
    ar.Serialize(m_fSaturation);
    ar.SerializeAsU16(m_nQuantization);
}

}  // namespace kv
