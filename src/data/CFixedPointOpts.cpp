#include "data/CFixedPointOpts.h"

#include "platform/StringTable.h"

namespace kv {

CFixedPointOpts::CFixedPointOpts() : CDialogModel(LoadString(IDS_FIXEDPOINT_TITLE)) {}

void CFixedPointOpts::CreateControls() { AddEdit(IDC_BITS, LoadString(IDS_FIXEDPOINT_BITS)); }

bool CFixedPointOpts::OnInitDialog() {
    m_strTitle = LoadString(IDS_FIXEDPOINT_TITLE);
    return CDialogModel::OnInitDialog();
}

void CFixedPointOpts::DoDataExchange(CDataExchange& dx) {
    // A refused value leaves the stored word length as it was.
    int32_t bits = m_nBits;
    dx.Text(IDC_BITS, bits);
    dx.MinMaxInt(bits, 1, 64);
    m_nBits = bits;
}

}  // namespace kv
