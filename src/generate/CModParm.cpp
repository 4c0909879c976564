#include "generate/CModParm.h"

#include "generate/PageFields.h"
#include "platform/CArchive.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

CModParm::CModParm() : CDialogModel(LoadString(IDS_PAGE_MODULATION)) {}

void CModParm::CreateControls() {
    int type = AddGroup(LoadString(IDS_MOD_TYPE));
    // Radio order gives the value: CW 0, AM 1, FM 2, LSB 3, USB 4, None 5.
    AddRadio(IDC_CW, LoadString(IDS_MOD_CW), 0, type, 0);
    AddRadio(IDC_AM, LoadString(IDS_MOD_AM), 0, type, 0);
    AddRadio(IDC_FM, LoadString(IDS_MOD_FM), 0, type, 0);
    AddRadio(IDC_LSB, LoadString(IDS_MOD_LSB), 0, type, 1);
    AddRadio(IDC_USB, LoadString(IDS_MOD_USB), 0, type, 1);
    AddRadio(IDC_NO_CARRIER, LoadString(IDS_MOD_NONE), 0, type, 1);
    // The note on the single-sideband choices stands under them, above the
    // carrier fields it points to.
    AddControl(IDC_SSB_NOTE, ControlKind::Static, LoadString(IDS_MOD_SSB_NOTE), type, 2);
    int carrier = AddGroup(LoadString(IDS_MOD_CARRIER));
    AddEdit(IDC_CARRIER_FREQUENCY, LoadString(IDS_GEN_FREQUENCY), carrier, 0);
    AddEdit(IDC_CARRIER_PHASE, LoadString(IDS_MOD_PHASE), carrier, 1);
    AddEdit(IDC_PERCENT_MOD, LoadString(IDS_MOD_PERCENT));
    AddEdit(IDC_DEVIATION, LoadString(IDS_MOD_DEVIATION), -1, 1);
    int ssb = AddGroup(LoadString(IDS_MOD_SSB));
    AddEdit(IDC_HILBERT_FILTER, LoadString(IDS_MOD_HILBERT), ssb, 0);
}

void CModParm::DoDataExchange(CDataExchange& dx) {
    RadioField(dx, IDC_CW, m_nModulation);
    FloatRangeField(dx, IDC_CARRIER_FREQUENCY, m_fCarrierFrequency, 0.0f, 1e20f);
    FloatRangeField(dx, IDC_CARRIER_PHASE, m_fCarrierPhase, -360.0f, 360.0f);
    FloatRangeField(dx, IDC_PERCENT_MOD, m_fPercentMod, 0.0f, 100.0f);
    FloatRangeField(dx, IDC_DEVIATION, m_fDeviation, 0.0f, 1e20f);
    dx.Text(IDC_HILBERT_FILTER, m_strHilbertFilter);
}

bool CModParm::OnKillActive() {
    if (!UpdateData(true)) return false;
    if (m_nModulation == CW && m_fCarrierFrequency == 0.0f) {
        ErrorBox(LoadString(IDS_MOD_CW_NEEDS_CARRIER));
        GotoDlgCtrl(IDC_CARRIER_FREQUENCY);
        return false;
    }
    return true;
}

void CModParm::Serialize(CArchive& ar, int) {
    ar.SerializeAsU16(m_nModulation);
    ar.Serialize(m_fPercentMod);
    ar.Serialize(m_fDeviation);
    ar.Serialize(m_fCarrierFrequency);
    ar.Serialize(m_fCarrierPhase);
}

}  // namespace kv
