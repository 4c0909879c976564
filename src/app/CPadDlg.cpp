#include "app/CPadDlg.h"

#include "platform/StringTable.h"

namespace kv {

CPadDlg::CPadDlg() : CDialogModel(LoadString(IDS_PAD_TITLE)) {}

void CPadDlg::CreateControls() {
    int quantity = AddGroup(LoadString(IDS_PAD_GROUP_QUANTITY));
    AddEdit(IDC_QUANTITY, {}, quantity, 0);
    AddControl(IDC_MULTIPLE, ControlKind::CheckBox, LoadString(IDS_PAD_MULTIPLE), quantity, 1);
    int at = AddGroup(LoadString(IDS_PAD_GROUP_AT));
    AddRadio(IDC_PAD_LOWEST, LoadString(IDS_PAD_LOWEST), 0, at, 0);
    AddRadio(IDC_PAD_MIDDLE, LoadString(IDS_PAD_MIDDLE), 0, at, 1);
    AddRadio(IDC_PAD_HIGHEST, LoadString(IDS_PAD_HIGHEST), 0, at, 2);
    AddRadio(IDC_PAD_STARTING, LoadString(IDS_PAD_STARTING), 0, at, 3);
    AddEdit(IDC_START_FREQ, {}, at, 3);
    int value = AddGroup(LoadString(IDS_PAD_GROUP_VALUE));
    AddEdit(IDC_PAD_VALUE, {}, value, 0);
}

void CPadDlg::DoDataExchange(CDataExchange& dx) {
    dx.Radio(IDC_PAD_LOWEST, m_nPadAt);
    dx.Text(IDC_START_FREQ, m_dStartFreq);
    // A negative count, or with "Multiple of current size" a quantity below
    // one, would ask for a negative number of pad values: refused, and the
    // settings keep their last accepted quantity.
    int32_t quantity = m_nQuantity;
    int32_t multiple = m_bMultiple;
    dx.Text(IDC_QUANTITY, quantity);
    dx.Check(IDC_MULTIPLE, multiple);
    if (dx.Saving()) {
        if (quantity < 0) dx.Fail(LoadString(IDS_PAD_NEGATIVE), IDC_QUANTITY);
        if (multiple && quantity < 1) dx.Fail(LoadString(IDS_PAD_MULTIPLE_MIN), IDC_QUANTITY);
    }
    m_nQuantity = quantity;
    m_bMultiple = multiple;
    dx.Text(IDC_PAD_VALUE, m_dPadValue);
}

PadResult PadParameters(const CPadDlg& dialog, double fs, int32_t n) {
    PadResult result;
    switch (dialog.m_nPadAt) {
        case 1: result.frequency = fs * 0.25; break;
        case 2: result.frequency = fs * 0.5; break;
        case 3: result.frequency = dialog.m_dStartFreq; break;
        default: result.frequency = 0.0; break;
    }
    if (dialog.m_bMultiple)
        result.count = (static_cast<int64_t>(n) * (static_cast<int64_t>(dialog.m_nQuantity) - 1)) >> 1;
    else
        result.count = dialog.m_nQuantity;
    if (result.count < 0) result.count = 0;
    return result;
}

}  // namespace kv
