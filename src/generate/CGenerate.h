#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Waveform Generator" dialog and the project's generator settings.
class CGenerate : public CDialogModel {
public:
    enum ControlId {
        IDC_COMPLEX = 194,
        IDC_RATE_CYCLES = 196,
        IDC_RATE_FREQUENCY = 198,
        IDC_PHASE = 236,
        IDC_CYCLES = 314,
        IDC_SAMPLES = 316,
        IDC_FREQUENCY = 408,
        IDC_WAVEFORM = 2503,
    };
    enum Waveform : int32_t { Sine = 0, Square = 1, Triangle = 2, Sawtooth = 3 };

    CGenerate();

    void DoDataExchange(CDataExchange& dx) override;
    void OnSetFocus(int id) override;
    // The generator settings record of a project file.
    void Serialize(CArchive& ar, int version);

    int32_t m_nSamples = 1024;
    float m_fCycles = 4.0f;
    float m_fFrequency = 0.125f;
    int32_t m_nRateType = 1;  // 0 frequency, 1 number of cycles
    int32_t m_bComplex = 1;
    double m_dPhase = 0.0;
    int32_t m_nWaveform = Sine;

protected:
    void CreateControls() override;
};

}  // namespace kv
