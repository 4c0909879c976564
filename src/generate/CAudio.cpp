#include "generate/CAudio.h"

#include "generate/PageFields.h"
#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CAudio::CAudio() : CDialogModel(LoadString(IDS_PAGE_AUDIO)) {}

void CAudio::CreateControls() {
    int waveform = AddGroup(LoadString(IDS_GEN_WAVEFORM));
    // Radio order gives the value: Off 0, Sine 1, Square 2, Triangle 3, Sawtooth 4.
    AddRadio(IDC_OFF, LoadString(IDS_AUDIO_OFF), 0, waveform, 0);
    AddRadio(IDC_SINE, LoadString(IDS_GEN_SINE), 0, waveform, 1);
    AddRadio(IDC_SQUARE, LoadString(IDS_GEN_SQUARE), 0, waveform, 2);
    AddRadio(IDC_TRIANGLE, LoadString(IDS_GEN_TRIANGLE), 0, waveform, 3);
    AddRadio(IDC_SAWTOOTH, LoadString(IDS_GEN_SAWTOOTH), 0, waveform, 4);
    int parameters = AddGroup(LoadString(IDS_AUDIO_PARAMETERS));
    AddEdit(IDC_FREQUENCY, LoadString(IDS_GEN_FREQUENCY), parameters, 0);
    AddEdit(IDC_PHASE, LoadString(IDS_AUDIO_PHASE), parameters, 1);
    int source = AddGroup(LoadString(IDS_AUDIO_SOURCE));
    // Gen 0, File: 1.
    AddRadio(IDC_GEN_SOURCE, LoadString(IDS_AUDIO_GEN), 1, source, 0);
    AddRadio(IDC_FILE_SOURCE, LoadString(IDS_AUDIO_FILE), 1, source, 0);
    int file = AddGroup(LoadString(IDS_AUDIO_FILENAME));
    AddEdit(IDC_FILE_NAME, {}, file, 0);
    AddControl(IDC_BROWSE, ControlKind::Button, LoadString(IDS_SHELL_BROWSE), file, 0);
}

void CAudio::OnClicked(int id) {
    if (id == IDC_BROWSE)
        BrowseForFile(IDC_FILE_NAME, LoadString(IDS_SHELL_OPEN_AUDIO_TITLE), LoadString(IDS_SHELL_AUDIO_FILES));
}

void CAudio::DoDataExchange(CDataExchange& dx) {
    RadioField(dx, IDC_OFF, m_nAudioWaveform);
    FloatField(dx, IDC_FREQUENCY, m_fAudioFrequency);
    RadioField(dx, IDC_GEN_SOURCE, m_nAudioSource);
    FloatField(dx, IDC_PHASE, m_fAudioPhase);
    dx.Text(IDC_FILE_NAME, m_strAudioFile);
}

void CAudio::Serialize(CArchive& ar, int) {
    ar.SerializeAsU16(m_nAudioWaveform);
    ar.Serialize(m_fAudioFrequency);
    ar.SerializeAsU16(m_nAudioSource);
    ar.Serialize(m_fAudioPhase);
    ar.Serialize(m_strAudioFile);
}

}  // namespace kv
