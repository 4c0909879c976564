#include "generate/CQuadErr.h"

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CQuadErr::CQuadErr() : CDialogModel(LoadString(IDS_PAGE_IF_ERRORS)) {}

void CQuadErr::Serialize(CArchive& ar, int) {
    ar.Serialize(m_fDcOffsetI);
    ar.Serialize(m_fDcOffsetQ);
    ar.Serialize(m_fQAmplitudeDb);
    ar.Serialize(m_fPhaseError);
}

}  // namespace kv
