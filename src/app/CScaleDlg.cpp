#include "app/CScaleDlg.h"

#include <cmath>

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CScaleDlg::CScaleDlg() : CDialogModel(LoadString(IDS_SCALE_TITLE)) {}

void CScaleDlg::CreateControls() {
    AddEdit(IDC_SCALE, LoadString(IDS_SCALE_BY), -1, 0);
    AddControl(IDC_DB, ControlKind::CheckBox, LoadString(IDS_SCALE_DB), -1, 0);
}

void CScaleDlg::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_SCALE, m_dScale);
    dx.Check(IDC_DB, m_bDb);
}

double CScaleDlg::Factor() const { return m_bDb ? std::pow(10.0, m_dScale / 20.0) : m_dScale; }

void CScaleDlg::Serialize(CArchive& ar, int) {
    ar.Serialize(m_dScale);
    ar.Serialize(m_bDb);
}

}  // namespace kv
