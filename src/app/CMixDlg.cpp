#include "app/CMixDlg.h"

#include <cmath>

#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
}  // namespace

CMixDlg::CMixDlg() : CDialogModel(LoadString(IDS_MIX_TITLE)) {}

void CMixDlg::CreateControls() {
    int freq = AddGroup(LoadString(IDS_MIX_GROUP_FREQ));
    AddRadio(IDC_FREQ_MODE, LoadString(IDS_MIX_FREQUENCY), 0, freq, 0);
    AddEdit(IDC_FREQUENCY, {}, freq, 0);
    AddRadio(IDC_MODE_DIVIDE, LoadString(IDS_MIX_DIVIDED), 0, freq, 1);
    AddEdit(IDC_DIVISOR, {}, freq, 1);
    AddRadio(IDC_MODE_MULTIPLY, LoadString(IDS_MIX_MULTIPLIED), 0, freq, 2);
    AddEdit(IDC_MULTIPLIER, {}, freq, 2);
    int phase = AddGroup(LoadString(IDS_MIX_GROUP_PHASE));
    AddRadio(IDC_PHASE_AUTO, LoadString(IDS_MIX_AUTO_PHASE), 1, phase, 0);
    AddRadio(IDC_PHASE_DEGREES, LoadString(IDS_MIX_DEGREES), 1, phase, 1);
    AddEdit(IDC_DEGREES, {}, phase, 1);
}

void CMixDlg::DoDataExchange(CDataExchange& dx) {
    dx.Radio(IDC_FREQ_MODE, m_nFreqMode);
    dx.Text(IDC_FREQUENCY, m_fMixFrequency);
    dx.Text(IDC_DIVISOR, m_fDivisor);
    dx.Text(IDC_MULTIPLIER, m_fMultiplier);
    dx.Radio(IDC_PHASE_AUTO, m_nPhaseMode);
    dx.Text(IDC_DEGREES, m_fDegrees);
}

void CMixDlg::OnSetFocus(int id) {
    int32_t* radio = nullptr;
    int32_t value = 0;
    switch (id) {
        case IDC_FREQUENCY: radio = &m_nFreqMode; value = 0; break;
        case IDC_DIVISOR: radio = &m_nFreqMode; value = 1; break;
        case IDC_MULTIPLIER: radio = &m_nFreqMode; value = 2; break;
        case IDC_DEGREES: radio = &m_nPhaseMode; value = 1; break;
        default: return;
    }
    // A field that does not parse keeps its text and gets the focus back.
    if (!UpdateData(true)) return;
    *radio = value;
    UpdateData(false);
}

void CMixDlg::OnOK() {
    if (!UpdateData(true)) return;
    if (m_nFreqMode == 1 && m_fDivisor == 0.0f) {
        ErrorBox(LoadString(IDS_MIX_DIVISOR_ZERO));
        return;
    }
    const double f = MixFrequency(*this, m_dMixFs);
    if (f == 0.0) {
        ErrorBox(LoadString(IDS_MIX_FREQ_ZERO));
        return;
    }
    const double h = m_dMixFs * 0.5;
    if ((f > h || f < -h) && !AskYesNo(LoadString(IDS_MIX_OUTSIDE), MsgIcon::Exclamation)) return;
    EndDialog(IDOK);
}

double MixFrequency(const CMixDlg& dialog, double fs) {
    switch (dialog.m_nFreqMode) {
        case 1: return fs / static_cast<double>(dialog.m_fDivisor);
        case 2: return fs * static_cast<double>(dialog.m_fMultiplier);
        default: return static_cast<double>(dialog.m_fMixFrequency);
    }
}

MixResult MixParameters(int32_t n, double fs, CMixDlg& dialog) {
    MixResult result;
    dialog.m_dMixFs = fs;
    if (dialog.m_fMixFrequency == 0.0f) dialog.m_fMixFrequency = static_cast<float>(fs * 0.25);
    if (dialog.m_fDivisor == 0.0f) dialog.m_fDivisor = 4.0f;
    if (dialog.m_fMultiplier == 0.0f) dialog.m_fMultiplier = 0.25f;
    if (!RunDialog(dialog)) return result;
    const double f = MixFrequency(dialog, fs);
    double p;
    if (dialog.m_nPhaseMode == 1)
        p = kPi * (static_cast<double>(dialog.m_fDegrees) / 180.0);
    else
        p = -(f / fs) * (static_cast<double>(n) - 1.0) * kPi;
    result.accepted = true;
    result.frequency = f;
    result.phase = std::fmod(p, kTwoPi);
    return result;
}

}  // namespace kv
