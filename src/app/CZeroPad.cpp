#include "app/CZeroPad.h"

#include "platform/StringTable.h"

namespace kv {

namespace {
enum StaticId { IDC_THEN = 1490 };
}

CZeroPad::CZeroPad() : CDialogModel(LoadString(IDS_ZP_TITLE)) {}

void CZeroPad::CreateControls() {
    int stuff = AddGroup(LoadString(IDS_ZP_GROUP_STUFF));
    CControl& edit = AddEdit(IDC_STUFF, LoadString(IDS_ZP_STUFF), stuff, 0);
    edit.m_strSuffix = LoadString(IDS_ZP_ZEROS) + " " + LoadString(IDS_ZP_BETWEEN);
    AddControl(IDC_SCALE_FS, ControlKind::CheckBox, LoadString(IDS_ZP_SCALE_FS), stuff, 1);
    AddControl(IDC_THEN, ControlKind::Static, LoadString(IDS_ZP_THEN));
    int pad = AddGroup(LoadString(IDS_ZP_GROUP_PAD));
    AddEdit(IDC_PREPEND, LoadString(IDS_ZP_PREPEND), pad, 0).m_strSuffix = LoadString(IDS_ZP_ZEROS);
    AddEdit(IDC_APPEND, LoadString(IDS_ZP_APPEND), pad, 1).m_strSuffix = LoadString(IDS_ZP_ZEROS);
}

void CZeroPad::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_PREPEND, m_nPrepend);
    dx.Text(IDC_APPEND, m_nAppend);
    dx.Text(IDC_STUFF, m_nStuff);
    dx.Check(IDC_SCALE_FS, m_bScaleFs);
}

}  // namespace kv
