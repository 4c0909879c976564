#include "generate/CIFFilter.h"

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CIFFilter::CIFFilter() : CDialogModel(LoadString(IDS_PAGE_IF_FILTER)) {}

void CIFFilter::CreateControls() {
    AddEdit(IDC_INPHASE_FILTER, LoadString(IDS_IFF_INPHASE), -1, 0);
    AddControl(IDC_INPHASE_BROWSE, ControlKind::Button, LoadString(IDS_SHELL_BROWSE), -1, 0);
    AddEdit(IDC_QUADRATURE_FILTER, LoadString(IDS_IFF_QUADRATURE), -1, 1);
    AddControl(IDC_QUADRATURE_BROWSE, ControlKind::Button, LoadString(IDS_SHELL_BROWSE), -1, 1);
}

void CIFFilter::OnClicked(int id) {
    if (id == IDC_INPHASE_BROWSE)
        BrowseForFile(IDC_INPHASE_FILTER, LoadString(IDS_SHELL_OPEN_FILTER_TITLE), LoadString(IDS_SHELL_FILTER_FILES));
    else if (id == IDC_QUADRATURE_BROWSE)
        BrowseForFile(IDC_QUADRATURE_FILTER, LoadString(IDS_SHELL_OPEN_FILTER_TITLE),
                      LoadString(IDS_SHELL_FILTER_FILES));
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
