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
    CSamp();

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    float m_fScale = 1.0f;
    uint32_t m_nSampleCount = 256;
    int32_t m_nQuantization = 2;  // 0 Round, 1 Truncate, 2 None
    float m_fSaturation = 0.0f;  // 0: no saturation
};

}  // namespace kv
