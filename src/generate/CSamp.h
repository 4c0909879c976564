#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Sample" page of the signal generator: data scale, number of samples,
// quantization and saturation.
class CSamp : public CDialogModel {
public:
    enum ControlId {
        IDC_TRUNCATE = 138,
        IDC_NO_QUANTIZATION = 139,
        IDC_SATURATION = 2010,
        IDC_ROUND = 2068,
        IDC_SCALE = 2082,
        IDC_SAMPLE_COUNT = 2088,
    };
    enum Quantization : int32_t { Round = 0, Truncate = 1, NoQuantization = 2 };

    CSamp();

    void DoDataExchange(CDataExchange& dx) override;
    // Quantization with a data scale of 1 or less asks whether to keep it;
    // the page is always left.
    bool OnKillActive() override;

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    float m_fScale = 1.0f;
    uint32_t m_nSampleCount = 256;
    int32_t m_nQuantization = NoQuantization;
    float m_fSaturation = 0.0f;  // 0: no saturation

protected:
    void CreateControls() override;
};

}  // namespace kv
