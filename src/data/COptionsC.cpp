#include "data/COptionsC.h"

#include "platform/StringTable.h"

namespace kv {

COptionsC::COptionsC() : CDialogModel(LoadString(IDS_OPTIONSC_TITLE)) {}

void COptionsC::CreateControls() {
    AddEdit(IDC_NAME, LoadString(IDS_OPTIONSC_NAME), -1, 0);
    AddEdit(IDC_TYPE, LoadString(IDS_OPTIONSC_TYPE), -1, 1);
    AddEdit(IDC_SUFFIX, LoadString(IDS_OPTIONSC_SUFFIX), -1, 2);
}

void COptionsC::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_NAME, m_strName);
    dx.Text(IDC_TYPE, m_strType);
    dx.Text(IDC_SUFFIX, m_strSuffix);
}

}  // namespace kv
