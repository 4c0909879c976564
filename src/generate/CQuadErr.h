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
    enum ControlId {
        IDC_Q_AMPLITUDE = 2003,
        IDC_DISABLE_DC = 2017,
        IDC_DISABLE_QUAD = 2018,
        IDC_DC_OFFSET_I = 2035,
        IDC_PHASE_ERROR = 2050,
        IDC_DC_OFFSET_Q = 2067,
    };

    CQuadErr();

    void DoDataExchange(CDataExchange& dx) override;

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    float m_fDcOffsetI = -300.0f;  // dBc
    float m_fDcOffsetQ = -300.0f;  // dBc
    float m_fQAmplitudeDb = 0.0f;
    float m_fPhaseError = 0.0f;  // degrees
    int32_t m_bDisableDc = 1;    // not stored
    int32_t m_bDisableQuad = 1;  // not stored

protected:
    void CreateControls() override;
};

}  // namespace kv
