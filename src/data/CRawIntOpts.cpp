#include "data/CRawIntOpts.h"

#include <limits>

#include "platform/StringTable.h"

namespace kv {

CRawIntOpts::CRawIntOpts() : CDialogModel(LoadString(IDS_RAWINT_TITLE)) {}

void CRawIntOpts::CreateControls() {
    int order = AddGroup(LoadString(IDS_RAWINT_BYTE_ORDER));
    AddRadio(IDC_LITTLE, LoadString(IDS_RAWINT_LITTLE), 0, order, 0);
    AddRadio(IDC_BIG, LoadString(IDS_RAWINT_BIG), 0, order, 1);
    AddEdit(IDC_SKIP, LoadString(IDS_RAWINT_SKIP), -1, 0);
}

bool CRawIntOpts::OnInitDialog() {
    bool result = CDialogModel::OnInitDialog();
    EnableControl(IDC_LITTLE, m_nSampleBytes > 1);
    EnableControl(IDC_BIG, m_nSampleBytes > 1);
    return result;
}

void CRawIntOpts::DoDataExchange(CDataExchange& dx) {
    int32_t order = m_bBigEndian ? 1 : 0;
    dx.Radio(IDC_LITTLE, order);
    // A refused count leaves the stored one as it was.
    int32_t skip = m_nSkipBytes;
    dx.Text(IDC_SKIP, skip);
    dx.MinMaxInt(skip, 0, std::numeric_limits<int32_t>::max());
    if (dx.Saving()) {
        if (order >= 0) m_bBigEndian = order;
        m_nSkipBytes = skip;
    }
}

}  // namespace kv
