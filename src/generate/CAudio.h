#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Audio" page of the signal generator: the modulating signal.
class CAudio : public CDialogModel {
public:
    CAudio();

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    int32_t m_nAudioWaveform = 1;  // 0 Off, 1 Sine, 2 Square, 3 Triangle, 4 Sawtooth
    float m_fAudioFrequency = 1.0f;
    int32_t m_nAudioSource = 0;  // 0 Gen, 1 File:
    float m_fAudioPhase = 0.0f;  // degrees
    std::string m_strAudioFile = ".AUD";
};

}  // namespace kv
