#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Audio" page of the signal generator: the modulating signal.
class CAudio : public CDialogModel {
public:
    enum ControlId {
        IDC_FILE_SOURCE = 105,
        IDC_TRIANGLE = 108,
        IDC_SAWTOOTH = 109,
        IDC_SQUARE = 111,
        IDC_FILE_NAME = 2004,
        IDC_FREQUENCY = 2005,
        IDC_PHASE = 2006,
        IDC_GEN_SOURCE = 2007,
        IDC_OFF = 2008,
        IDC_SINE = 2086,
        IDC_BROWSE = 2202,
    };
    enum Waveform : int32_t { Off = 0, Sine = 1, Square = 2, Triangle = 3, Sawtooth = 4 };
    enum Source : int32_t { Generated = 0, File = 1 };

    CAudio();

    void DoDataExchange(CDataExchange& dx) override;
    // "Browse..." beside the file name.
    void OnClicked(int id) override;

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    int32_t m_nAudioWaveform = Sine;
    float m_fAudioFrequency = 1.0f;
    int32_t m_nAudioSource = Generated;
    float m_fAudioPhase = 0.0f;  // degrees
    std::string m_strAudioFile = ".AUD";

protected:
    void CreateControls() override;
};

}  // namespace kv
