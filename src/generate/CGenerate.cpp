#include "generate/CGenerate.h"

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CGenerate::CGenerate() : CDialogModel(LoadString(IDS_GENERATE_TITLE)) {}

void CGenerate::CreateControls() {
    AddEdit(IDC_SAMPLES, LoadString(IDS_GEN_SAMPLES));
    int rate = AddGroup(LoadString(IDS_GEN_RATE));
    // Radio order gives the value: Frequency 0, Number of Cycles 1.
    AddRadio(IDC_RATE_FREQUENCY, LoadString(IDS_GEN_FREQUENCY), 0, rate, 0);
    AddEdit(IDC_FREQUENCY, {}, rate, 0);
    AddRadio(IDC_RATE_CYCLES, LoadString(IDS_GEN_CYCLES), 0, rate, 1);
    AddEdit(IDC_CYCLES, {}, rate, 1);
    AddControl(IDC_COMPLEX, ControlKind::CheckBox, LoadString(IDS_GEN_COMPLEX));
    AddEdit(IDC_PHASE, LoadString(IDS_GEN_PHASE));
    int wave = AddGroup(LoadString(IDS_GEN_WAVEFORM));
    CControl& list = AddControl(IDC_WAVEFORM, ControlKind::DropList, {}, wave, 0);
    list.m_items = {LoadString(IDS_GEN_SINE), LoadString(IDS_GEN_SQUARE), LoadString(IDS_GEN_TRIANGLE),
                    LoadString(IDS_GEN_SAWTOOTH)};
}

void CGenerate::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_SAMPLES, m_nSamples);
    dx.Text(IDC_CYCLES, m_fCycles);
    dx.Text(IDC_FREQUENCY, m_fFrequency);
    dx.Radio(IDC_RATE_FREQUENCY, m_nRateType);
    dx.Check(IDC_COMPLEX, m_bComplex);
    dx.Text(IDC_PHASE, m_dPhase);
    if (dx.Saving()) {
        int32_t sel = Control(IDC_WAVEFORM).m_nSel;
        if (sel >= Sine && sel <= Sawtooth) m_nWaveform = sel;
    } else {
        dx.ListIndex(IDC_WAVEFORM, m_nWaveform);
    }
}

void CGenerate::OnSetFocus(int id) {
    if (id != IDC_FREQUENCY && id != IDC_CYCLES) return;
    // A field that does not parse keeps its text and gets the focus back.
    if (!UpdateData(true)) return;
    m_nRateType = id == IDC_FREQUENCY ? 0 : 1;
    UpdateData(false);
}

void CGenerate::Serialize(CArchive& ar, int version) {
    ar.Serialize(m_nSamples);
    ar.Serialize(m_fCycles);
    if (version >= 8) {
        ar.Serialize(m_nRateType);
        ar.Serialize(m_bComplex);
        ar.Serialize(m_dPhase);
    }
    if (version >= 19) ar.Serialize(m_nWaveform);
}

}  // namespace kv
