#include "generate/CAudio.h"

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CAudio::CAudio() : CDialogModel(LoadString(IDS_PAGE_AUDIO)) {}

void CAudio::Serialize(CArchive& ar, int) {
    ar.SerializeAsU16(m_nAudioWaveform);
    ar.Serialize(m_fAudioFrequency);
    ar.SerializeAsU16(m_nAudioSource);
    ar.Serialize(m_fAudioPhase);
    ar.Serialize(m_strAudioFile);
}

}  // namespace kv
