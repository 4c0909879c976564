#include "app/CRange.h"

#include "data/CKalvoData.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

CRange::CRange()
    : CDialogModel(LoadString(IDS_RANGE_TITLE)),
      m_strSampleSize(LoadString(IDS_RANGE_SAMPLE_SIZE_INIT)),
      m_strUnit(LoadString(IDS_RANGE_UNIT_INIT)) {}

int32_t& CRange::RememberedMode(bool timeData) {
    static int32_t timeMode = 0;
    static int32_t freqMode = 0;
    return timeData ? timeMode : freqMode;
}

void CRange::CreateControls() {
    int values = AddGroup({});
    AddRadio(IDC_UNITS, LoadString(IDS_RANGE_UNITS), 0, values, 0);
    AddEdit(IDC_START_VALUE, LoadString(IDS_RANGE_START), values, 1);
    AddControl(IDC_UNIT_TEXT, ControlKind::Static, {}, values, 1);
    AddEdit(IDC_STOP_VALUE, LoadString(IDS_RANGE_STOP), values, 2);
    int indices = AddGroup({});
    AddRadio(IDC_INDEX, LoadString(IDS_RANGE_INDEX), 0, indices, 0);
    AddEdit(IDC_START_INDEX, LoadString(IDS_RANGE_START), indices, 1);
    AddEdit(IDC_STOP_INDEX, LoadString(IDS_RANGE_STOP), indices, 2);
    int all = AddGroup({});
    AddRadio(IDC_ALL, LoadString(IDS_RANGE_ALL), 0, all, 0);
    AddControl(IDC_SAMPLE_SIZE, ControlKind::Static, {}, all, 1);
}

void CRange::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_START_VALUE, m_fStartValue);
    dx.Text(IDC_STOP_VALUE, m_fStopValue);
    dx.Text(IDC_STOP_INDEX, m_nStopIndex);
    dx.Text(IDC_START_INDEX, m_nStartIndex);
    dx.Text(IDC_SAMPLE_SIZE, m_strSampleSize);
    dx.Text(IDC_UNIT_TEXT, m_strUnit);
    dx.Radio(IDC_UNITS, m_nMode);
}

void CRange::SelectMode(int32_t mode) {
    // A field that does not parse keeps its text and gets the focus back.
    if (!UpdateData(true)) return;
    m_nMode = mode;
    UpdateData(false);
}

void CRange::OnSetFocus(int id) {
    if (id == IDC_START_VALUE || id == IDC_STOP_VALUE)
        SelectMode(0);
    else if (id == IDC_START_INDEX || id == IDC_STOP_INDEX)
        SelectMode(1);
}

int EditRange(CKalvoData& data, CRange& dialog, int32_t& mode) {
    dialog.m_nMode = mode;
    auto [from, to] = data.GetRangeValues();
    dialog.m_fStartValue = static_cast<float>(from);
    dialog.m_fStopValue = static_cast<float>(to);
    dialog.m_nStartIndex = data.m_nStart;
    dialog.m_nStopIndex = data.m_nStop;
    dialog.m_strUnit = data.GetUnitName();
    dialog.m_strSampleSize = FormatPrintf(IDS_RANGE_SAMPLE_SIZE, static_cast<long>(data.GetCount()));
    for (;;) {
        if (!RunDialog(dialog)) return 2;
        bool ok;
        switch (dialog.m_nMode) {
            case 0:
                ok = data.SetRangeByValue(true, dialog.m_fStartValue, dialog.m_fStopValue);
                break;
            case 1:
                ok = data.SetRangeByIndex(dialog.m_nStartIndex, dialog.m_nStopIndex, true);
                break;
            default:
                data.ResetRange();
                ok = true;
                break;
        }
        if (ok) {
            mode = dialog.m_nMode;
            return 1;
        }
        ErrorBox(LoadString(IDS_RANGE_INVALID));
    }
}

}  // namespace kv
