#include "generate/CSamp.h"

#include "generate/PageFields.h"
#include "platform/CArchive.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

CSamp::CSamp() : CDialogModel(LoadString(IDS_PAGE_SAMPLE)) {}

void CSamp::CreateControls() {
    AddEdit(IDC_SCALE, LoadString(IDS_SAMP_SCALE));
    AddEdit(IDC_SAMPLE_COUNT, LoadString(IDS_SAMP_COUNT), -1, 1);
    int quantization = AddGroup(LoadString(IDS_SAMP_QUANTIZATION));
    // Radio order gives the value: Round 0, Truncate 1, None 2.
    AddRadio(IDC_ROUND, LoadString(IDS_SAMP_ROUND), 0, quantization, 0);
    AddRadio(IDC_TRUNCATE, LoadString(IDS_SAMP_TRUNCATE), 0, quantization, 0);
    AddRadio(IDC_NO_QUANTIZATION, LoadString(IDS_SAMP_NONE), 0, quantization, 0);
    AddEdit(IDC_SATURATION, LoadString(IDS_SAMP_SATURATION), -1, 2);
}

void CSamp::DoDataExchange(CDataExchange& dx) {
    FloatField(dx, IDC_SCALE, m_fScale);
    UnsignedField(dx, IDC_SAMPLE_COUNT, m_nSampleCount);
    RadioField(dx, IDC_ROUND, m_nQuantization);
    FloatField(dx, IDC_SATURATION, m_fSaturation);
}

bool CSamp::OnKillActive() {
    if (!UpdateData(true)) return false;
    if (m_fScale <= 1.0f && m_nQuantization != NoQuantization) {
        if (!AskYesNo(LoadString(IDS_SAMP_ASK_RETAIN))) {
            m_nQuantization = NoQuantization;
            UpdateData(false);
        }
    }
    return true;
}

void CSamp::Serialize(CArchive& ar, int) {
    ar.Serialize(m_nSampleCount);
    ar.Serialize(m_fScale);
    ar.Serialize(m_fSaturation);
    ar.SerializeAsU16(m_nQuantization);
}

}  // namespace kv
