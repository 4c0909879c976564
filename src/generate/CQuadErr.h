#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "IF Errors" page of the signal generator: DC offsets and quadrature
// imbalance.
class CQuadErr : public CDialogModel {
public:
    CQuadErr();

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    float m_fDcOffsetI = -300.0f;  // dBc
    float m_fDcOffsetQ = -300.0f;  // dBc
    float m_fQAmplitudeDb = 0.0f;
    float m_fPhaseError = 0.0f;  // degrees
    int32_t m_bDisableDc = 1;  // not stored
    int32_t m_bDisableQuad = 1;  // not stored
};

}  // namespace kv
