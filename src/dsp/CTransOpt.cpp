#include "dsp/CTransOpt.h"

#include <limits>

#include "platform/CArchive.h"
#include "platform/StringTable.h"

namespace kv {

CTransOpt::CTransOpt() : CDialogModel(LoadString(IDS_TRANSOPT_TITLE)) {}

void CTransOpt::CreateControls() {
    const int length = AddGroup(LoadString(IDS_TRANSOPT_LENGTH));
    AddRadio(IDC_MAXIMUM, LoadString(IDS_TRANSOPT_MAXIMUM), 0, length, 0);
    AddRadio(IDC_MAX_POWER_OF_TWO, LoadString(IDS_TRANSOPT_MAX_POWER_OF_TWO), 0, length, 1);
    AddRadio(IDC_CHOSEN_LENGTH, "", 0, length, 2);
    AddEdit(IDC_LENGTH, "", length, 2);
    CControl& list = AddControl(IDC_LENGTH_LIST, ControlKind::ListBox, "", length, 3);
    for (int row = 0; row < kListRows; ++row) list.m_items.push_back(StringPrintf("%li", 1L << (row + 5)));
    AddControl(IDC_SHOW_OPTIONS, ControlKind::CheckBox, LoadString(IDS_TRANSOPT_SHOW_OPTIONS));
    AddControl(IDC_DIVIDE_BY_N, ControlKind::CheckBox, LoadString(IDS_TRANSOPT_DIVIDE_BY_N));
}

void CTransOpt::DoDataExchange(CDataExchange& dx) {
    // The length comes last: a refused length leaves the other fields read.
    dx.Radio(IDC_MAXIMUM, m_nLengthType);
    dx.Check(IDC_SHOW_OPTIONS, m_bShowOptions);
    dx.Check(IDC_DIVIDE_BY_N, m_bDivideByN);
    dx.Text(IDC_LENGTH, m_nLength);
}

void CTransOpt::ReadControlsQuietly() {
    const int type = GetCheckedRadioButton(IDC_MAXIMUM);
    if (type >= 0) m_nLengthType = type;
    m_bShowOptions = IsDlgButtonChecked(IDC_SHOW_OPTIONS) ? 1 : 0;
    m_bDivideByN = IsDlgButtonChecked(IDC_DIVIDE_BY_N) ? 1 : 0;
    int64_t v;
    if (ParseIntField(GetDlgItemText(IDC_LENGTH), v) && v >= std::numeric_limits<int32_t>::min() &&
        v <= std::numeric_limits<int32_t>::max())
        m_nLength = static_cast<int32_t>(v);
}

void CTransOpt::OnSetFocus(int id) {
    if (id != IDC_LENGTH) return;
    // Reading without messages: a message here would move the focus and
    // come straight back.
    ReadControlsQuietly();
    m_nLengthType = kChosenLength;
    UpdateData(false);
}

void CTransOpt::OnSelChange(int id) {
    if (id != IDC_LENGTH_LIST) return;
    const int row = Control(IDC_LENGTH_LIST).m_nSel;
    if (row < 0 || row >= kListRows) return;
    ReadControlsQuietly();
    m_nLengthType = kChosenLength;
    m_nLength = int32_t{1} << (row + 5);
    UpdateData(false);
}

void CTransOpt::Serialize(CArchive& ar, int) {
    ar.SerializeAsU16(m_nLengthType);
    ar.Serialize(m_nLength);
    ar.SerializeAsU16(m_nReserved);
    ar.SerializeAsU16(m_bShowOptions);
}

}  // namespace kv
