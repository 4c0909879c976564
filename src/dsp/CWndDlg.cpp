#include "dsp/CWndDlg.h"

#include <cmath>

#include "platform/CArchive.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

CWndDlg::CWndDlg() : CDialogModel(LoadString(IDS_WNDDLG_TITLE)) {}

void CWndDlg::CreateControls() {
    AddRadio(IDC_DOLPH_CHEBYSHEV, LoadString(IDS_WND_DOLPH_CHEBYSHEV), 0, -1, 0);
    AddEdit(IDC_GAMMA, "", -1, 0).m_strSuffix = LoadString(IDS_WND_DB);
    AddRadio(IDC_KAISER_BESSEL, LoadString(IDS_WND_KAISER_BESSEL), 0, -1, 1);
    AddEdit(IDC_ALPHA, "", -1, 1);
    AddRadio(IDC_BLACKMAN_HARRIS_4, LoadString(IDS_WND_BLACKMAN_HARRIS_4), 0, -1, 2);
    AddRadio(IDC_BLACKMAN_HARRIS_7, LoadString(IDS_WND_BLACKMAN_HARRIS_7), 0, -1, 3);
    AddRadio(IDC_HANNING, LoadString(IDS_WND_HANNING), 0, -1, 4);
    AddRadio(IDC_GAUSSIAN, LoadString(IDS_WND_GAUSSIAN), 0, -1, 5);
    AddRadio(IDC_HAMMING, LoadString(IDS_WND_HAMMING), 0, -1, 6);
    AddControl(IDC_GAMMA_NOTE, ControlKind::Static, "", -1, 7);
}

void CWndDlg::DoDataExchange(CDataExchange& dx) {
    dx.Radio(IDC_DOLPH_CHEBYSHEV, m_nWindowSel);
    dx.Text(IDC_ALPHA, m_fAlpha);
    dx.Text(IDC_GAMMA, m_fGamma);
}

bool CWndDlg::OnInitDialog() {
    m_nWindowSel = m_nWindowType - 1;
    // A type from a damaged project file shows as the type it acts as.
    if (m_nWindowSel < 0 || m_nWindowSel > 6) m_nWindowSel = kBlackmanHarris4 - 1;
    UpdateData(false);
    UpdateGammaNote();
    return true;
}

void CWndDlg::OnEditChange(int id) {
    if (id == IDC_GAMMA) UpdateGammaNote();
}

void CWndDlg::UpdateGammaNote() {
    double gamma = 0.0;
    const bool beyond = ParseRealField(GetDlgItemText(IDC_GAMMA), gamma) && std::fabs(gamma) > kGammaPrecisionLimit;
    SetDlgItemText(IDC_GAMMA_NOTE, beyond ? LoadString(IDS_WND_GAMMA_PRECISION) : std::string());
}

void CWndDlg::ReadControlsQuietly() {
    const int sel = GetCheckedRadioButton(IDC_DOLPH_CHEBYSHEV);
    if (sel >= 0) m_nWindowSel = sel;
    double v;
    if (ParseRealField(GetDlgItemText(IDC_ALPHA), v)) m_fAlpha = static_cast<float>(v);
    if (ParseRealField(GetDlgItemText(IDC_GAMMA), v)) m_fGamma = static_cast<float>(v);
}

void CWndDlg::OnSetFocus(int id) {
    if (id != IDC_GAMMA && id != IDC_ALPHA) return;
    // Reading without messages: a message here would move the focus and
    // come straight back.
    ReadControlsQuietly();
    m_nWindowSel = id == IDC_GAMMA ? kDolphChebyshev - 1 : kKaiserBessel - 1;
    UpdateData(false);
}

void CWndDlg::OnOK() {
    if (!UpdateData(true)) return;
    // Without a selected button the window is the one any unknown type
    // acts as, so the type (and the marker it leaves) stays a real one.
    if (m_nWindowSel < 0 || m_nWindowSel > 6) m_nWindowSel = kBlackmanHarris4 - 1;
    m_nWindowType = m_nWindowSel + 1;
    const double gamma = m_fGamma, alpha = m_fAlpha;
    if (m_nWindowType == kDolphChebyshev && !(std::isfinite(gamma) && gamma >= 1.0)) {
        ErrorBox(LoadString(IDS_WND_GAMMA_TOO_SMALL));
        EndDialog(IDCANCEL);
        return;
    }
    if (m_nWindowType == kKaiserBessel && !(std::isfinite(alpha) && alpha > 0.0)) {
        ErrorBox(LoadString(IDS_WND_ALPHA_TOO_SMALL));
        EndDialog(IDCANCEL);
        return;
    }
    EndDialog(IDOK);
}

double CWndDlg::WindowParameter() const {
    switch (m_nWindowType) {
        case kDolphChebyshev: return m_fGamma;
        case kKaiserBessel: return m_fAlpha;
        default: return 0.0;
    }
}

void CWndDlg::Serialize(CArchive& ar, int version) {
    ar.SerializeAsU16(m_nWindowType);
    ar.Serialize(m_fAlpha);
    if (version >= 10)
        ar.Serialize(m_fGamma);
    else if (ar.IsLoading())
        m_fGamma = 40.0f;
}

}  // namespace kv
