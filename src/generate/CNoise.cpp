#include "generate/CNoise.h"

#include "generate/PageFields.h"
#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CNoise::CNoise() : CDialogModel(LoadString(IDS_PAGE_NOISE)) {}

void CNoise::CreateControls() {
    AddEdit(IDC_LEVEL, LoadString(IDS_NOISE_LEVEL));
    int type = AddGroup(LoadString(IDS_NOISE_TYPE));
    // Radio order gives the value: No Noise 0, Gaussian 1, Uniform 2.
    AddRadio(IDC_NO_NOISE, LoadString(IDS_NOISE_NONE), 0, type, 0);
    AddRadio(IDC_GAUSSIAN, LoadString(IDS_NOISE_GAUSSIAN), 0, type, 1);
    AddRadio(IDC_UNIFORM, LoadString(IDS_NOISE_UNIFORM), 0, type, 2);
    AddEdit(IDC_SEED, LoadString(IDS_NOISE_SEED), -1, 1);
}

void CNoise::DoDataExchange(CDataExchange& dx) {
    FloatRangeField(dx, IDC_LEVEL, m_fNoiseLevel, -120.0f, 120.0f);
    RadioField(dx, IDC_NO_NOISE, m_nNoiseType);
    UnsignedField(dx, IDC_SEED, m_nSeed);
}

void CNoise::Serialize(CArchive& ar, int) {
    ar.Serialize(m_fNoiseLevel);
    ar.SerializeAsU16(m_nNoiseType);
}

}  // namespace kv
