#include "generate/CNoise.h"

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CNoise::CNoise() : CDialogModel(LoadString(IDS_PAGE_NOISE)) {}

void CNoise::Serialize(CArchive& ar, int) {
    ar.Serialize(m_fNoiseLevel);
    ar.SerializeAsU16(m_nNoiseType);
}

}  // namespace kv
