#include "generate/CIFFilter.h"

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CIFFilter::CIFFilter() : CDialogModel(LoadString(IDS_PAGE_IF_FILTER)) {}

void CIFFilter::Serialize(CArchive& ar, int) {
    ar.Serialize(m_strInphaseFilter);
    ar.Serialize(m_strQuadratureFilter);
}

}  // namespace kv
