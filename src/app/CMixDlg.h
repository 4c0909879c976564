#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The "Mix Filter" dialog: the mixing frequency (given directly, as Fs
// divided by a divisor or as Fs multiplied by a multiplier) and the initial
// phase (automatic for linear phase, or in degrees).
class CMixDlg : public CDialogModel {
public:
    enum ControlId {
        IDC_FREQ_MODE = 1301,  // radio group: Frequency (0), Fs divided by (1), Fs multiplied by (2)
        IDC_FREQUENCY,
        IDC_MODE_DIVIDE,
        IDC_DIVISOR,
        IDC_MODE_MULTIPLY,
        IDC_MULTIPLIER,
        IDC_PHASE_AUTO,  // radio group: automatic (0), Degrees (1)
        IDC_PHASE_DEGREES,
        IDC_DEGREES,
    };

    CMixDlg();

    void DoDataExchange(CDataExchange& dx) override;
    void OnSetFocus(int id) override;
    void OnOK() override;

    int32_t m_nFreqMode = 0;
    float m_fMixFrequency = 0.0f;
    float m_fDivisor = 0.0f;
    float m_fMultiplier = 0.0f;
    int32_t m_nPhaseMode = 0;
    float m_fDegrees = 0.0f;
    double m_dMixFs = 0.0;

protected:
    void CreateControls() override;
};

// The mixing frequency the settings give for a sampling frequency.
double MixFrequency(const CMixDlg& dialog, double fs);

struct MixResult {
    bool accepted = false;
    double frequency = 0.0;
    double phase = 0.0;  // radians, between -2*pi and 2*pi
};

// Fills empty settings with defaults for the sampling frequency, shows the
// dialog and gives the mixing frequency and initial phase for n points.
MixResult MixParameters(int32_t n, double fs, CMixDlg& dialog);

}  // namespace kv
