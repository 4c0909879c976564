#include "generate/CIFFilter.h"

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CIFFilter::CIFFilter() : CDialogModel(LoadString(IDS_PAGE_IF_FILTER)) {}

void CIFFilter::CreateControls() {
    AddEdit(IDC_INPHASE_FILTER, LoadString(IDS_IFF_INPHASE));
    AddEdit(IDC_QUADRATURE_FILTER, LoadString(IDS_IFF_QUADRATURE));
}

void CIFFilter::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_INPHASE_FILTER, m_strInphaseFilter);
    dx.Text(IDC_QUADRATURE_FILTER, m_strQuadratureFilter);
}

void CIFFilter::Serialize(CArchive& ar, int) {
    ar.Serialize(m_strInphaseFilter);
    ar.Serialize(m_strQuadratureFilter);
}

}  // namespace kv
