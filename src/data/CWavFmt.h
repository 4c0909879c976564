#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The 46-byte WAVE header as last read from or written to a file.
struct CWaveHeader {
    uint32_t m_nRiffSize = 0;
    uint32_t m_nFmtSize = 0;
    uint16_t m_nFormatTag = 0;
    uint16_t m_nChannels = 0;
    uint32_t m_nSamplesPerSec = 0;
    uint32_t m_nBytesPerSec = 0;
    uint16_t m_nBlockAlign = 0;
    uint16_t m_nBitsPerSample = 0;
    uint16_t m_nExtraBytes = 0;
    uint32_t m_nDataSize = 0;
};

// The WAVE options of a format descriptor and the "Wave File Format" dialog.
class CWavFmt : public CDialogModel {
public:
    enum ControlId {
        IDC_SIZE_8 = 1201,  // radio group "Data Size"
        IDC_SIZE_16,
        IDC_RATE_11K,       // radio group "WAVE Sample Frequency (kHz)"
        IDC_RATE_22K,
        IDC_RATE_44K,
    };

    CWavFmt();

    void DoDataExchange(CDataExchange& dx) override;

    int32_t m_nSizeChoice = 0;  // 0 = 8 bits, 1 = 16 bits per sample
    int32_t m_nRateChoice = 0;  // 0 = 11025 Hz, 1 = 22050 Hz, 2 = 44100 Hz
    CWaveHeader m_header;       // not stored in project files

protected:
    void CreateControls() override;
};

}  // namespace kv
