#include "formats/CWriteCol.h"

#include <optional>

#include "data/CDataSetIO.h"
#include "data/CFloatArray.h"
#include "formats/FormatCatalogue.h"
#include "formats/FormatHelpers.h"
#include "formats/SignalFiles.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

CWriteCol::CWriteCol() : CDialogModel(LoadString(IDS_WRITECOL_TITLE)) {}

void CWriteCol::CreateControls() {
    AddEdit(IDC_NAME, LoadString(IDS_DATAFILES_FILE_NAME), -1, 0);
    AddControl(IDC_BROWSE, ControlKind::Button, LoadString(IDS_DATAFILES_BROWSE), -1, 0);
    AddControl(IDC_FORMAT, ControlKind::DropList, {}, -1, 1).m_strLabel = LoadString(IDS_DATAFILES_FORMAT);
    AddControl(IDC_OPTIONS, ControlKind::Button, LoadString(IDS_DATAFILES_OPTIONS), -1, 1);
}

bool CWriteCol::OnInitDialog() {
    m_strTitle = m_strCaption;
    int selected;
    CControl& list = Control(IDC_FORMAT);
    list.m_items = FormatNames(FormatDirection::Write, m_Format, selected);
    list.m_nSel = selected;
    UpdateData(false);
    return true;
}

void CWriteCol::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_NAME, m_strName);
    if (dx.Saving() && Control(IDC_FORMAT).m_nSel >= 0) SelectFormatByName(m_Format, GetDlgItemText(IDC_FORMAT));
}

void CWriteCol::TakeControls() {
    m_strName = GetDlgItemText(IDC_NAME);
    if (Control(IDC_FORMAT).m_nSel >= 0) SelectFormatByName(m_Format, GetDlgItemText(IDC_FORMAT));
}

void CWriteCol::OnOK() {
    if (!UpdateData(true)) return;
    if (!m_strName.empty() && (m_strName[0] == '/' || m_strName[0] == '\\'))
        m_strPath = m_strName;
    else
        m_strPath = DirectoryPart(m_strPath) + m_strName;
    EndDialog(IDOK);
}

void CWriteCol::OnClicked(int id) {
    if (id == IDC_OPTIONS) {
        TakeControls();
        EditOptions(m_Format);
    } else if (id == IDC_BROWSE) {
        TakeControls();
        std::string directory = DirectoryPart(m_strPath);
        ChangeToDirectory(directory);
        std::optional<std::string> chosen =
            Platform().Files().GetSaveFileName({}, LoadString(IDS_WRITECOL_FILTER), directory + m_strName);
        if (!chosen || chosen->empty()) return;
        m_strPath = *chosen;
        m_strName = FileNamePart(m_strPath);
        SetDlgItemText(IDC_NAME, m_strName);
    }
}

void CWriteCol::OnSelChange(int id) {
    if (id == IDC_FORMAT) TakeControls();
}

bool WriteColumnDialog(CWriteCol& state, const std::string& caption, const CFloatArray& column) {
    state.m_strCaption = caption;
    state.m_strTitle = caption;
    if (!RunDialog(state)) return false;
    CDataSetIO data;
    data.AddColumnFrom(column.GetSize(), column.GetData());
    // No name typed: nothing to write (the path still holds the last directory).
    if (state.m_strPath.empty() || state.m_strName.empty()) return false;
    return WriteSignalFile(data, state.m_Format, state.m_strPath, 0, kNoColumn, 1);
}

}  // namespace kv
