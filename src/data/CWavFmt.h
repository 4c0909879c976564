#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The WAVE header as last read from or written to a file: the 46 bytes the
// program writes (RIFF, fmt and data chunk headers). A header read from a
// file keeps the sample encoding of its fmt chunk in m_nFormatTag (1 PCM,
// 3 IEEE float; the sub-format of an extensible header) and the container
// size of a sample in m_nBitsPerSample.
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
        IDC_SIZE_24,        // further sizes of the "Data Size" group
        IDC_SIZE_32,
        IDC_SIZE_FLOAT32,
        IDC_SIZE_FLOAT64,
        IDC_RATE_PROJECT,   // the project's own rate, shown when it is none of the three
    };
    // Sample-size choices.
    enum SizeChoice { SIZE_8 = 0, SIZE_16 = 1, SIZE_24 = 2, SIZE_32 = 3, SIZE_FLOAT32 = 4, SIZE_FLOAT64 = 5 };
    // Rate choice that stands for the project's own sampling frequency.
    static constexpr int32_t kRateProject = 3;

    CWavFmt();

    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

    // True when the project's rate differs from the three fixed rates, so
    // the dialog offers it as a further choice.
    bool OffersProjectRate() const;

    int32_t m_nSizeChoice = 0;  // see SizeChoice
    int32_t m_nRateChoice = 0;  // 0 = 11025 Hz, 1 = 22050 Hz, 2 = 44100 Hz, 3 = the project's rate
    CWaveHeader m_header;       // not stored in project files
    // The project's sampling frequency in whole Hz, which rate choice 3
    // stands for (0 when not known); set from the data before a write and
    // from the file's header when a file of another rate is read. Not stored.
    uint32_t m_nProjectRate = 0;

protected:
    void CreateControls() override;
};

}  // namespace kv
