#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Noise" page of the signal generator.
class CNoise : public CDialogModel {
public:
    enum ControlId { IDC_GAUSSIAN = 105, IDC_UNIFORM = 350, IDC_LEVEL = 2040, IDC_NO_NOISE = 2041, IDC_SEED = 2083 };
    enum NoiseType : int32_t { NoNoise = 0, Gaussian = 1, Uniform = 2 };

    CNoise();

    void DoDataExchange(CDataExchange& dx) override;

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    float m_fNoiseLevel = -45.0f;  // dBc
    int32_t m_nNoiseType = NoNoise;
    uint32_t m_nSeed = 0;  // not stored

protected:
    void CreateControls() override;
};

}  // namespace kv
