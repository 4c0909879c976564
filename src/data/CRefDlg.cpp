#include "data/CRefDlg.h"

#include <cmath>

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CRefDlg::CRefDlg() : CDialogModel(LoadString(IDS_REFDLG_TITLE)) {}

void CRefDlg::CreateControls() {
    int type = AddGroup(LoadString(IDS_REFDLG_REFTYPE));
    AddRadio(IDC_REF_PEAK, LoadString(IDS_REFDLG_PEAK_DBC), 0, type, 0);
    AddRadio(IDC_REF_ONE, LoadString(IDS_REFDLG_ONE_DB), 0, type, 1);
    AddRadio(IDC_REF_VOLTS, "", 0, type, 2);
    AddEdit(IDC_VOLTS, "", type, 2).m_strSuffix = LoadString(IDS_REFDLG_VOLTS);
    AddRadio(IDC_REF_FULLSCALE, "", 0, type, 3);
    AddEdit(IDC_FULLSCALE, "", type, 3).m_strSuffix = LoadString(IDS_REFDLG_DBFS);
    int minDb = AddGroup(LoadString(IDS_REFDLG_MIN_DB));
    AddEdit(IDC_MIN_DB, "", minDb, 0);
    int wave = AddGroup(LoadString(IDS_REFDLG_WAVEFORM));
    AddRadio(IDC_WAVE_DC, LoadString(IDS_REFDLG_DC_OR_COMPLEX), 1, wave, 0);
    AddRadio(IDC_WAVE_REAL, LoadString(IDS_REFDLG_REAL_SINE), 1, wave, 1);
}

void CRefDlg::DoDataExchange(CDataExchange& dx) {
    dx.Radio(IDC_REF_PEAK, m_nRefType);
    dx.Text(IDC_VOLTS, m_fVolts);
    dx.Text(IDC_FULLSCALE, m_fFullScale);
    dx.Text(IDC_MIN_DB, m_fMinDb);
    dx.Radio(IDC_WAVE_DC, m_nRefWaveform);
}

float CRefDlg::DbOffset(double peakPower) const {
    double offset;
    int type = m_nRefType;
    if (type == 0 && !(peakPower > 0.0)) type = 1;
    switch (type) {
        case 0: offset = -10.0 * std::log10(peakPower); break;
        case 1: offset = 20.0 * std::log10(2.0); break;
        case 2: offset = 10.0 * std::log10(1.0 / (static_cast<double>(m_fVolts) * 50.0)) + 30.0; break;
        case 3: offset = -20.0 * std::log10(static_cast<double>(m_fFullScale)); break;
        default: offset = 0.0; break;
    }
    if (m_nRefType != 0 && m_nRefWaveform == 1) offset -= 20.0 * std::log10(0.5);
    return static_cast<float>(offset);
}

std::string CRefDlg::DbLabel() const {
    switch (m_nRefType) {
        case 0: return LoadString(IDS_DBC);
        case 1:
        case 2: return LoadString(IDS_DBM);
        case 3: return LoadString(IDS_DBFS);
        default: return {};
    }
}

void CRefDlg::Serialize(CArchive& ar, int version) {
    ar.SerializeAsU16(m_nRefType);
    ar.Serialize(m_fFullScale);
    ar.Serialize(m_fVolts);
    ar.Serialize(m_fMinDb);
    if (version >= 11) ar.Serialize(m_nRefWaveform);
}

}  // namespace kv
