#include "generate/CQuadErr.h"

#include "generate/PageFields.h"
#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CQuadErr::CQuadErr() : CDialogModel(LoadString(IDS_PAGE_IF_ERRORS)) {}

void CQuadErr::CreateControls() {
    int dc = AddGroup(LoadString(IDS_QERR_DC_GROUP));
    AddEdit(IDC_DC_OFFSET_I, LoadString(IDS_QERR_INPHASE), dc, 0);
    AddEdit(IDC_DC_OFFSET_Q, LoadString(IDS_QERR_QUADRATURE), dc, 1);
    int imbalance = AddGroup(LoadString(IDS_QERR_IMBALANCE));
    AddEdit(IDC_Q_AMPLITUDE, LoadString(IDS_QERR_Q_AMPLITUDE), imbalance, 0);
    AddEdit(IDC_PHASE_ERROR, LoadString(IDS_QERR_PHASE), imbalance, 1);
    AddControl(IDC_DISABLE_DC, ControlKind::CheckBox, LoadString(IDS_QERR_DISABLE_DC));
    AddControl(IDC_DISABLE_QUAD, ControlKind::CheckBox, LoadString(IDS_QERR_DISABLE_QUAD));
}

void CQuadErr::DoDataExchange(CDataExchange& dx) {
    FloatRangeField(dx, IDC_DC_OFFSET_I, m_fDcOffsetI, -300.0f, 200.0f);
    FloatRangeField(dx, IDC_DC_OFFSET_Q, m_fDcOffsetQ, -300.0f, 200.0f);
    FloatRangeField(dx, IDC_Q_AMPLITUDE, m_fQAmplitudeDb, -300.0f, 200.0f);
    FloatRangeField(dx, IDC_PHASE_ERROR, m_fPhaseError, -360.0f, 360.0f);
    dx.Check(IDC_DISABLE_DC, m_bDisableDc);
    dx.Check(IDC_DISABLE_QUAD, m_bDisableQuad);
}

void CQuadErr::Serialize(CArchive& ar, int) {
    ar.Serialize(m_fDcOffsetI);
    ar.Serialize(m_fDcOffsetQ);
    ar.Serialize(m_fQAmplitudeDb);
    ar.Serialize(m_fPhaseError);
}

}  // namespace kv
