#include "app/CSampRate.h"

#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

CSampRate::CSampRate() : CDialogModel(LoadString(IDS_FS_TITLE)) {}

void CSampRate::CreateControls() {
    int freq = AddGroup(LoadString(IDS_FS_GROUP_FREQ));
    AddEdit(IDC_FS_VALUE, {}, freq, 0);
    int units = AddGroup(LoadString(IDS_FS_GROUP_UNITS));
    AddControl(IDC_UNIT_LIST, ControlKind::DropList, {}, units, 0);
}

bool CSampRate::OnInitDialog() {
    m_FsCopy.FillUnitList(Control(IDC_UNIT_LIST));
    UpdateData(false);
    return true;
}

void CSampRate::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_FS_VALUE, m_dFsValue);
    if (dx.Saving()) {
        int32_t sel = Control(IDC_UNIT_LIST).m_nSel;
        // No row selected keeps the unit the dialog opened with.
        if (sel >= 0 && sel < CFs::kUnitCount) m_nUnitIndex = sel;
    } else {
        dx.ListIndex(IDC_UNIT_LIST, m_nUnitIndex);
    }
}

bool EditFs(CSampRate& dialog, CFs& fs) {
    dialog.m_FsCopy = fs;
    dialog.m_nUnitIndex = fs.GetUnit();
    dialog.m_dFsValue = fs.m_dValue;
    if (!RunDialog(dialog)) return false;
    fs.SetValue(dialog.m_dFsValue);
    fs.SetUnit(dialog.m_nUnitIndex);
    return true;
}

}  // namespace kv
