#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The project's decibel reference and its "Decibel Options" dialog.
class CRefDlg : public CDialogModel {
public:
    enum ControlId {
        IDC_REF_PEAK = 1001,  // radio group "Reference Type"
        IDC_REF_ONE,
        IDC_REF_VOLTS,
        IDC_REF_FULLSCALE,
        IDC_VOLTS,     // edit beside the volts radio button
        IDC_FULLSCALE, // edit beside the dBFS radio button
        IDC_MIN_DB,
        IDC_WAVE_DC,   // radio group "Reference Waveform"
        IDC_WAVE_REAL,
    };

    CRefDlg();

    void DoDataExchange(CDataExchange& dx) override;

    // Decibel offset for a peak power, by the reference type.
    float DbOffset(double peakPower) const;
    // "dBc", "dBm" or "dBFS"; empty for an unknown type.
    std::string DbLabel() const;
    // The decibel reference record of a project file.
    void Serialize(CArchive& ar, int version);

    int32_t m_nRefType = 0;
    float m_fFullScale = 32767.0f;
    float m_fVolts = 1.0f;
    float m_fMinDb = -130.0f;
    int32_t m_nRefWaveform = 0;

protected:
    void CreateControls() override;
};

}  // namespace kv
