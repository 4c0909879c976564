#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Noise" page of the signal generator.
class CNoise : public CDialogModel {
public:
    CNoise();

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    float m_fNoiseLevel = -45.0f;  // dBc
    int32_t m_nNoiseType = 0;  // 0 No Noise, 1 Gaussian, 2 Uniform
    uint32_t m_nSeed = 0;  // not stored
};

}  // namespace kv
