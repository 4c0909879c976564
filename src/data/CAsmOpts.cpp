#include "data/CAsmOpts.h"

#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

CAsmOpts::CAsmOpts() : CDialogModel(LoadString(IDS_ASMOPTS_TITLE)) {}

void CAsmOpts::CreateControls() {
    int variable = AddGroup(LoadString(IDS_ASMOPTS_VARIABLE));
    AddEdit(IDC_NAME, LoadString(IDS_ASMOPTS_NAME), variable, 0);
    AddControl(IDC_SHOW_LENGTH, ControlKind::CheckBox, LoadString(IDS_ASMOPTS_SHOW_LENGTH), variable, 1);
    AddControl(IDC_SHOW_RATIO, ControlKind::CheckBox, LoadString(IDS_ASMOPTS_SHOW_RATIO), variable, 2);
    AddEdit(IDC_RATIO, "", variable, 2);
    int format = AddGroup(LoadString(IDS_ASMOPTS_DATA_FORMAT));
    AddRadio(IDC_DECIMAL_INT, LoadString(IDS_ASMOPTS_DECIMAL_INT), 0, format, 0);
    AddRadio(IDC_HEX_INT, LoadString(IDS_ASMOPTS_HEX_INT), 0, format, 1);
    AddRadio(IDC_FLOAT, LoadString(IDS_ASMOPTS_FLOAT), 0, format, 2);
    int comments = AddGroup(LoadString(IDS_ASMOPTS_COMMENTS));
    AddControl(IDC_SHOW_OTHER, ControlKind::CheckBox, LoadString(IDS_ASMOPTS_SHOW_OTHER), comments, 0);
    AddControl(IDC_SHOW_FLOAT, ControlKind::CheckBox, LoadString(IDS_ASMOPTS_SHOW_FLOAT), comments, 1);
    AddControl(IDC_SHOW_GRAPH, ControlKind::CheckBox, LoadString(IDS_ASMOPTS_SHOW_GRAPH), comments, 2);
    int initial = AddGroup(LoadString(IDS_ASMOPTS_INITIAL_TEXT));
    AddEdit(IDC_INITIAL_TEXT, "", initial, 0).m_bMultiLine = true;
    int final = AddGroup(LoadString(IDS_ASMOPTS_FINAL_TEXT));
    AddEdit(IDC_FINAL_TEXT, "", final, 0).m_bMultiLine = true;
}

void CAsmOpts::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_NAME, m_strName);
    dx.Check(IDC_SHOW_LENGTH, m_bShowLength);
    dx.Check(IDC_SHOW_RATIO, m_bShowRatio);
    dx.Text(IDC_RATIO, m_strRatio);
    int32_t format = m_nDataFormat;
    dx.Radio(IDC_DECIMAL_INT, format);
    if (!dx.Saving() || format >= 0) m_nDataFormat = format;
    dx.Check(IDC_SHOW_OTHER, m_bShowOther);
    dx.Check(IDC_SHOW_FLOAT, m_bShowFloat);
    dx.Check(IDC_SHOW_GRAPH, m_bShowGraph);
    dx.Text(IDC_INITIAL_TEXT, m_strInitialText);
    dx.Text(IDC_FINAL_TEXT, m_strFinalText);
}

bool CAsmOpts::OnInitDialog() {
    CDialogModel::OnInitDialog();
    EnableComments();
    return true;
}

void CAsmOpts::EnableComments() {
    bool integer = GetCheckedRadioButton(IDC_DECIMAL_INT) != 2;
    EnableControl(IDC_SHOW_OTHER, integer);
    EnableControl(IDC_SHOW_FLOAT, integer);
}

void CAsmOpts::OnClicked(int id) {
    if (id == IDC_DECIMAL_INT || id == IDC_HEX_INT || id == IDC_FLOAT) EnableComments();
}

void CAsmOpts::OnOK() {
    std::string name = GetDlgItemText(IDC_NAME);
    size_t first = name.find_first_not_of(" \t\r\n\v\f");
    name = first == std::string::npos ? std::string() : name.substr(first);
    if (name.empty()) {
        SetDlgItemText(IDC_NAME, LoadString(IDS_ASMOPTS_DEFAULT_NAME));
        ErrorBox(LoadString(IDS_ASMOPTS_NAME_EMPTY));
        GotoDlgCtrl(IDC_NAME);
        return;
    }
    SetDlgItemText(IDC_NAME, name);
    CDialogModel::OnOK();
}

}  // namespace kv
