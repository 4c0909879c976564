#include "formats/CDataFiles.h"

#include <optional>

#include "formats/FormatCatalogue.h"
#include "formats/FormatHelpers.h"
#include "platform/CArchive.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {


// The full path of a typed file name: in the directory of the previous path,
// unless the name is itself an absolute path.
std::string PathOfName(const std::string& previousPath, const std::string& name) {
    if (!name.empty() && (name[0] == '/' || name[0] == '\\')) return name;
    return DirectoryPart(previousPath) + name;
}

}  // namespace

void SetDefaultCodeNames(CDataFormat& format, const std::string& title) {
    std::string name = title;
    for (char& c : name)
        if (c == '.') c = '_';
    if (format.m_AsmOpts.m_strName.empty()) format.m_AsmOpts.m_strName = name;
    if (format.m_OptionsC.m_strName.empty()) format.m_OptionsC.m_strName = name;
}

CDataFiles::CDataFiles() : CDialogModel(LoadString(IDS_DATAFILES_TITLE)) {}

void CDataFiles::Serialize(CArchive& ar, int version) {
    ar.Serialize(m_strPath);
    ar.Serialize(m_strQPath);
    if (version >= 6) ar.SerializeAsU16(m_bComplex);
    if (version >= 9) {
        ar.Serialize(m_nInterleave);
        ar.Serialize(m_nFactor);
    }
    m_Format.Serialize(ar, version);
    m_QFormat.Serialize(ar, version);
    if (ar.IsLoading()) {
        m_strName = FileNamePart(m_strPath);
        m_strQName = FileNamePart(m_strQPath);
    }
}

void CDataFiles::CreateControls() {
    int inphase = AddGroup(LoadString(IDS_DATAFILES_INPHASE_GROUP));
    AddEdit(IDC_NAME, LoadString(IDS_DATAFILES_FILE_NAME), inphase, 0);
    AddControl(IDC_BROWSE, ControlKind::Button, LoadString(IDS_DATAFILES_BROWSE), inphase, 0);
    AddControl(IDC_FORMAT, ControlKind::DropList, {}, inphase, 1).m_strLabel = LoadString(IDS_DATAFILES_FORMAT);
    AddControl(IDC_COMPLEX, ControlKind::CheckBox, LoadString(IDS_DATAFILES_COMPLEX), inphase, 1);
    AddControl(IDC_OPTIONS, ControlKind::Button, LoadString(IDS_DATAFILES_OPTIONS), inphase, 1);
    int quadrature = AddGroup(LoadString(IDS_DATAFILES_QUADRATURE_GROUP));
    AddEdit(IDC_QNAME, LoadString(IDS_DATAFILES_FILE_NAME), quadrature, 0);
    AddControl(IDC_QBROWSE, ControlKind::Button, LoadString(IDS_DATAFILES_BROWSE), quadrature, 0);
    AddControl(IDC_QFORMAT, ControlKind::DropList, {}, quadrature, 1).m_strLabel =
        LoadString(IDS_DATAFILES_FORMAT);
    AddControl(IDC_QOPTIONS, ControlKind::Button, LoadString(IDS_DATAFILES_OPTIONS), quadrature, 1);
    // The interleaving group is shown only when writing, "Reset ranges and
    // plots" only when reading, in the same place.
    int interleave = AddGroup(LoadString(IDS_DATAFILES_INTERLEAVE_GROUP));
    AddRadio(IDC_NONE, LoadString(IDS_DATAFILES_NONE), 0, interleave, 0);
    AddRadio(IDC_FORWARD, LoadString(IDS_DATAFILES_FORWARD), 0, interleave, 0);
    AddRadio(IDC_REVERSE, LoadString(IDS_DATAFILES_REVERSE), 0, interleave, 0);
    AddEdit(IDC_FACTOR, LoadString(IDS_DATAFILES_FACTOR), interleave, 1);
    AddControl(IDC_RESET_RANGES, ControlKind::CheckBox, LoadString(IDS_DATAFILES_RESET_RANGES), -1, 0);
}

void CDataFiles::FillFormatList(int id, const CDataFormat& format) {
    int selected;
    CControl& list = Control(id);
    list.m_items = FormatNames(m_bRead ? FormatDirection::Read : FormatDirection::Write, format, selected);
    list.m_nSel = selected;
}

bool CDataFiles::OnInitDialog() {
    m_strTitle = m_strCaptionPrefix + " " + m_strCaptionSuffix;
    SetDefaultCodeNames(m_Format, m_strCaptionSuffix);
    SetDefaultCodeNames(m_QFormat, m_strCaptionSuffix);
    FillFormatList(IDC_FORMAT, m_Format);
    FillFormatList(IDC_QFORMAT, m_QFormat);
    UpdateData(false);
    ApplyEnabling();
    return true;
}

void CDataFiles::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_NAME, m_strName);
    dx.Text(IDC_QNAME, m_strQName);
    dx.Check(IDC_COMPLEX, m_bComplex);
    int32_t mode = m_nInterleave;
    dx.Radio(IDC_NONE, mode);
    if (mode >= 0) m_nInterleave = mode;
    dx.Check(IDC_RESET_RANGES, m_bResetRanges);
    int32_t factor = m_nFactor;
    dx.Text(IDC_FACTOR, factor);
    m_nFactor = factor;
    if (dx.Saving()) {
        // A list without a selection leaves its format as it was.
        if (Control(IDC_FORMAT).m_nSel >= 0) SelectFormatByName(m_Format, GetDlgItemText(IDC_FORMAT));
        if (Control(IDC_QFORMAT).m_nSel >= 0) SelectFormatByName(m_QFormat, GetDlgItemText(IDC_QFORMAT));
    }
}

void CDataFiles::TakeControls() {
    m_strName = GetDlgItemText(IDC_NAME);
    m_strQName = GetDlgItemText(IDC_QNAME);
    m_bComplex = IsDlgButtonChecked(IDC_COMPLEX);
    int mode = GetCheckedRadioButton(IDC_NONE);
    if (mode >= 0) m_nInterleave = mode;
    m_bResetRanges = IsDlgButtonChecked(IDC_RESET_RANGES);
    if (Control(IDC_FORMAT).m_nSel >= 0) SelectFormatByName(m_Format, GetDlgItemText(IDC_FORMAT));
    if (Control(IDC_QFORMAT).m_nSel >= 0) SelectFormatByName(m_QFormat, GetDlgItemText(IDC_QFORMAT));
}

void CDataFiles::ApplyEnabling() {
    EnableControl(IDC_OPTIONS, HasOptions(m_Format));
    EnableControl(IDC_COMPLEX, m_bRead || !m_bReal);
    bool quadrature = QuadratureEnabled();
    EnableControl(IDC_QNAME, quadrature);
    EnableControl(IDC_QBROWSE, quadrature);
    EnableControl(IDC_QFORMAT, quadrature);
    EnableControl(IDC_QOPTIONS, quadrature && HasOptions(m_QFormat));
    for (int id : {IDC_NONE, IDC_FORWARD, IDC_REVERSE, IDC_FACTOR}) ShowControl(id, !m_bRead);
    EnableControl(IDC_FACTOR, !m_bRead && m_nInterleave != INTERLEAVE_NONE);
    ShowControl(IDC_RESET_RANGES, m_bRead);
}

void CDataFiles::OnOK() {
    if (!UpdateData(true)) return;
    // Stray spaces around a typed name are not part of it.
    m_strName = TrimSpaces(m_strName);
    m_strQName = TrimSpaces(m_strQName);
    SetDlgItemText(IDC_NAME, m_strName);
    SetDlgItemText(IDC_QNAME, m_strQName);
    m_strPath = PathOfName(m_strPath, m_strName);
    m_strQPath = PathOfName(m_strQPath, m_strQName);
    EndDialog(IDOK);
}

void CDataFiles::Browse(bool quadrature) {
    std::string& path = quadrature ? m_strQPath : m_strPath;
    const std::string& name = quadrature ? m_strQName : m_strName;
    std::string typed = GetDlgItemText(quadrature ? IDC_QNAME : IDC_NAME);
    std::string directory = DirectoryPart(path);
    ChangeToDirectory(directory);
    std::string initial = directory + TrimSpaces(typed.empty() ? name : typed);
    const std::string filter = LoadString(IDS_DATAFILES_FILTER);
    std::optional<std::string> chosen = m_bRead ? Platform().Files().GetOpenFileName({}, filter, initial)
                                                : Platform().Files().GetSaveFileName({}, filter, initial);
    if (!chosen || chosen->empty()) return;
    TakeControls();
    path = *chosen;
    std::string& shown = quadrature ? m_strQName : m_strName;
    shown = FileNamePart(path);
    SetDlgItemText(quadrature ? IDC_QNAME : IDC_NAME, shown);
    ApplyEnabling();
}

void CDataFiles::OnClicked(int id) {
    switch (id) {
        case IDC_BROWSE: Browse(false); break;
        case IDC_QBROWSE: Browse(true); break;
        case IDC_OPTIONS:
            TakeControls();
            EditOptions(m_Format);
            break;
        case IDC_QOPTIONS:
            TakeControls();
            EditOptions(m_QFormat);
            break;
        case IDC_COMPLEX:
        case IDC_NONE:
        case IDC_FORWARD:
        case IDC_REVERSE:
            TakeControls();
            ApplyEnabling();
            break;
        default: break;
    }
}

void CDataFiles::OnSelChange(int id) {
    if (id == IDC_FORMAT || id == IDC_QFORMAT) {
        TakeControls();
        ApplyEnabling();
    }
}

}  // namespace kv
