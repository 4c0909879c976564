#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Modulation" page of the signal generator: modulation type and carrier.
class CModParm : public CDialogModel {
public:
    CModParm();

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    int32_t m_nModulation = 1;  // 0 CW, 1 AM, 2 FM, 3 LSB, 4 USB, 5 None (noise only)
    float m_fCarrierFrequency = 1.0f;
    float m_fCarrierPhase = 0.0f;  // degrees
    float m_fPercentMod = 30.0f;
    float m_fDeviation = 1.0f;
    std::string m_strHilbertFilter;  // not stored
};

}  // namespace kv
