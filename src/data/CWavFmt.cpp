#include "data/CWavFmt.h"

#include "platform/StringTable.h"

namespace kv {

CWavFmt::CWavFmt() : CDialogModel(LoadString(IDS_WAVFMT_TITLE)) {}

void CWavFmt::CreateControls() {
    int size = AddGroup(LoadString(IDS_WAVFMT_SIZE));
    AddRadio(IDC_SIZE_8, LoadString(IDS_WAVFMT_8), 0, size, 0);
    AddRadio(IDC_SIZE_16, LoadString(IDS_WAVFMT_16), 0, size, 1);
    int rate = AddGroup(LoadString(IDS_WAVFMT_RATE));
    AddRadio(IDC_RATE_11K, LoadString(IDS_WAVFMT_11K), 1, rate, 0);
    AddRadio(IDC_RATE_22K, LoadString(IDS_WAVFMT_22K), 1, rate, 1);
    AddRadio(IDC_RATE_44K, LoadString(IDS_WAVFMT_44K), 1, rate, 2);
}

void CWavFmt::DoDataExchange(CDataExchange& dx) {
    int32_t size = m_nSizeChoice;
    int32_t rate = m_nRateChoice;
    dx.Radio(IDC_SIZE_8, size);
    dx.Radio(IDC_RATE_11K, rate);
    if (dx.Saving()) {
        // A group without a selection keeps its choice.
        if (size >= 0) m_nSizeChoice = size;
        if (rate >= 0) m_nRateChoice = rate;
    }
}

}  // namespace kv
