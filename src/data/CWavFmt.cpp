#include "data/CWavFmt.h"

#include <charconv>

#include "platform/StringTable.h"

namespace kv {

namespace {

// The rate of the project's choice in kHz, in the fewest digits that give
// it back: 48 for 48000 Hz, 8.1 for 8100 Hz.
std::string KiloHertzText(uint32_t hz) {
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, hz / 1000.0);
    (void)ec;  // the buffer holds any double
    return std::string(buf, end);
}

}  // namespace

CWavFmt::CWavFmt() : CDialogModel(LoadString(IDS_WAVFMT_TITLE)) {}

bool CWavFmt::OffersProjectRate() const {
    return m_nProjectRate != 0 && m_nProjectRate != 11025 && m_nProjectRate != 22050 && m_nProjectRate != 44100;
}

void CWavFmt::CreateControls() {
    int size = AddGroup(LoadString(IDS_WAVFMT_SIZE));
    AddRadio(IDC_SIZE_8, LoadString(IDS_WAVFMT_8), 0, size, 0);
    AddRadio(IDC_SIZE_16, LoadString(IDS_WAVFMT_16), 0, size, 1);
    AddRadio(IDC_SIZE_24, LoadString(IDS_WAVFMT_24), 0, size, 2);
    AddRadio(IDC_SIZE_32, LoadString(IDS_WAVFMT_32), 0, size, 3);
    AddRadio(IDC_SIZE_FLOAT32, LoadString(IDS_WAVFMT_FLOAT32), 0, size, 4);
    AddRadio(IDC_SIZE_FLOAT64, LoadString(IDS_WAVFMT_FLOAT64), 0, size, 5);
    int rate = AddGroup(LoadString(IDS_WAVFMT_RATE));
    AddRadio(IDC_RATE_11K, LoadString(IDS_WAVFMT_11K), 1, rate, 0);
    AddRadio(IDC_RATE_22K, LoadString(IDS_WAVFMT_22K), 1, rate, 1);
    AddRadio(IDC_RATE_44K, LoadString(IDS_WAVFMT_44K), 1, rate, 2);
    AddRadio(IDC_RATE_PROJECT, {}, 1, rate, 3);
}

bool CWavFmt::OnInitDialog() {
    const bool project = OffersProjectRate();
    SetDlgItemText(IDC_RATE_PROJECT, project ? FormatString(IDS_WAVFMT_PROJECT_RATE, KiloHertzText(m_nProjectRate))
                                             : std::string());
    ShowControl(IDC_RATE_PROJECT, project);
    return CDialogModel::OnInitDialog();
}

void CWavFmt::DoDataExchange(CDataExchange& dx) {
    int32_t size = m_nSizeChoice;
    // The project's rate is chosen only while the dialog offers it.
    int32_t rate = m_nRateChoice == kRateProject && !OffersProjectRate() ? -1 : m_nRateChoice;
    dx.Radio(IDC_SIZE_8, size);
    dx.Radio(IDC_RATE_11K, rate);
    if (dx.Saving()) {
        // A group without a selection keeps its choice.
        if (size >= 0) m_nSizeChoice = size;
        if (rate >= 0) m_nRateChoice = rate;
    }
}

}  // namespace kv
