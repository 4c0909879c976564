#include "platform/CDialogModel.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

// ---------------------------------------------------------------------------
// Field formatting and parsing

std::string FormatFloatField(float value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", 6, static_cast<double>(value));
    return buf;
}

std::string FormatDoubleField(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", 15, value);
    return buf;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

bool OnlyBlanks(const char* p) {
    while (*p) {
        if (!IsBlank(*p)) return false;
        ++p;
    }
    return true;
}

}  // namespace

bool ParseRealField(const std::string& text, double& value) {
    const char* begin = text.c_str();
    while (IsBlank(*begin)) ++begin;
    if (*begin == '\0') return false;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(begin, &end);
    if (end == begin || !OnlyBlanks(end)) return false;
    value = v;
    return true;
}

bool ParseIntField(const std::string& text, int64_t& value) {
    const char* p = text.c_str();
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9') return false;
    int64_t v = 0;
    while (*p >= '0' && *p <= '9') {
        if (v > (std::numeric_limits<int64_t>::max() - (*p - '0')) / 10) return false;
        v = v * 10 + (*p - '0');
        ++p;
    }
    if (!OnlyBlanks(p)) return false;
    value = negative ? -v : v;
    return true;
}

// ---------------------------------------------------------------------------
// CDialogModel

CDialogModel::CDialogModel(std::string title) : m_strTitle(std::move(title)) {}
CDialogModel::~CDialogModel() = default;

void CDialogModel::DoDataExchange(CDataExchange&) {}

bool CDialogModel::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialogModel::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialogModel::OnCancel() { EndDialog(IDCANCEL); }
void CDialogModel::OnSetFocus(int) {}
void CDialogModel::OnClicked(int) {}
void CDialogModel::OnSelChange(int) {}
void CDialogModel::OnEditChange(int) {}

void CDialogModel::CreateControls() {}

void CDialogModel::EnsureControls() {
    if (m_controls.empty() && m_groups.empty()) CreateControls();
}

void CDialogModel::BeginModal() {
    EnsureControls();
    m_nResult = 0;
    m_nFocusId = 0;
    OnInitDialog();
}

bool CDialogModel::UpdateData(bool save) {
    CDataExchange dx(*this, save);
    try {
        DoDataExchange(dx);
    } catch (const CDataExchangeFailure&) {
        return false;
    }
    return true;
}

int CDialogModel::AddGroup(const std::string& caption) {
    m_groups.push_back(caption);
    return static_cast<int>(m_groups.size()) - 1;
}

CControl& CDialogModel::AddControl(int id, ControlKind kind, const std::string& caption, int group, int row) {
    CControl c;
    c.m_nId = id;
    c.m_kind = kind;
    c.m_strCaption = caption;
    c.m_nGroup = group;
    c.m_nRow = row;
    // Room for a dialog's controls at once: growing one by one moved every
    // control several times while a dialog was built.
    if (m_controls.empty()) m_controls.reserve(32);
    m_controls.push_back(std::move(c));
    return m_controls.back();
}

CControl& CDialogModel::AddEdit(int id, const std::string& label, int group, int row) {
    CControl& c = AddControl(id, ControlKind::Edit, {}, group, row);
    c.m_strLabel = label;
    return c;
}

CControl& CDialogModel::AddRadio(int id, const std::string& caption, int radioGroup, int group, int row) {
    CControl& c = AddControl(id, ControlKind::Radio, caption, group, row);
    c.m_nRadioGroup = radioGroup;
    return c;
}

CControl* CDialogModel::FindControl(int id) {
    for (auto& c : m_controls)
        if (c.m_nId == id) return &c;
    return nullptr;
}

const CControl* CDialogModel::FindControl(int id) const {
    for (const auto& c : m_controls)
        if (c.m_nId == id) return &c;
    return nullptr;
}

CControl& CDialogModel::Control(int id) {
    CControl* c = FindControl(id);
    if (!c) throw std::logic_error("dialog \"" + m_strTitle + "\" has no control " + std::to_string(id));
    return *c;
}

const CControl& CDialogModel::Control(int id) const {
    const CControl* c = FindControl(id);
    if (!c) throw std::logic_error("dialog \"" + m_strTitle + "\" has no control " + std::to_string(id));
    return *c;
}

std::string CDialogModel::GetDlgItemText(int id) const {
    const CControl& c = Control(id);
    switch (c.m_kind) {
        case ControlKind::Edit:
        case ControlKind::ComboBox: return c.m_strText;
        case ControlKind::DropList:
        case ControlKind::ListBox:
            return c.m_nSel >= 0 && c.m_nSel < static_cast<int>(c.m_items.size()) ? c.m_items[c.m_nSel]
                                                                                   : std::string();
        default: return c.m_strCaption;
    }
}

void CDialogModel::SetDlgItemText(int id, const std::string& text) {
    CControl& c = Control(id);
    if (c.m_kind == ControlKind::Edit || c.m_kind == ControlKind::ComboBox)
        c.m_strText = text;
    else
        c.m_strCaption = text;
}

int CDialogModel::IsDlgButtonChecked(int id) const { return Control(id).m_nCheck; }

void CDialogModel::CheckDlgButton(int id, int check) { Control(id).m_nCheck = check; }

void CDialogModel::EnableControl(int id, bool enable) { Control(id).m_bEnabled = enable; }

void CDialogModel::ShowControl(int id, bool show) { Control(id).m_bVisible = show; }

std::vector<int> CDialogModel::RadioGroupIds(int firstId) const {
    const CControl& first = Control(firstId);
    std::vector<int> ids;
    for (const auto& c : m_controls)
        if (c.m_kind == ControlKind::Radio && c.m_nRadioGroup == first.m_nRadioGroup) ids.push_back(c.m_nId);
    return ids;
}

bool CDialogModel::BrowseForFile(int editId, const std::string& title, const std::string& filter) {
    const std::optional<std::string> chosen = Platform().Files().GetOpenFileName(title, filter, GetDlgItemText(editId));
    if (!chosen || chosen->empty()) return false;
    SetDlgItemText(editId, *chosen);
    return true;
}

void CDialogModel::CheckRadioButton(int firstId, int index) {
    std::vector<int> ids = RadioGroupIds(firstId);
    for (int i = 0; i < static_cast<int>(ids.size()); ++i) Control(ids[i]).m_nCheck = (i == index) ? 1 : 0;
}

int CDialogModel::GetCheckedRadioButton(int firstId) const {
    std::vector<int> ids = RadioGroupIds(firstId);
    for (int i = 0; i < static_cast<int>(ids.size()); ++i)
        if (Control(ids[i]).m_nCheck) return i;
    return -1;
}

void CDialogModel::SimulateText(int id, const std::string& text) {
    CControl& c = Control(id);
    c.m_strText = text;
    OnEditChange(id);
}

void CDialogModel::SimulateFocus(int id) { OnSetFocus(id); }

void CDialogModel::SimulateClick(int id) {
    if (id == IDOK) {
        OnOK();
        return;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return;
    }
    CControl& c = Control(id);
    if (c.m_kind == ControlKind::Radio) {
        for (auto& other : m_controls)
            if (other.m_kind == ControlKind::Radio && other.m_nRadioGroup == c.m_nRadioGroup) other.m_nCheck = 0;
        Control(id).m_nCheck = 1;
    } else if (c.m_kind == ControlKind::CheckBox) {
        c.m_nCheck = c.m_nCheck ? 0 : 1;
    }
    OnClicked(id);
}

void CDialogModel::SimulateSelect(int id, int index) {
    CControl& c = Control(id);
    c.m_nSel = index;
    if (c.m_kind == ControlKind::ComboBox && index >= 0 && index < static_cast<int>(c.m_items.size()))
        c.m_strText = c.m_items[index];
    OnSelChange(id);
}

// ---------------------------------------------------------------------------
// CDataExchange

void CDataExchange::Fail(const std::string& message, int id) {
    if (!message.empty()) WarningBox(message);
    if (id != 0) m_dialog.GotoDlgCtrl(id);
    throw CDataExchangeFailure{};
}

void CDataExchange::Text(int id, float& value) {
    m_nLastId = id;
    CControl& c = m_dialog.Control(id);
    if (!m_bSaveAndValidate) {
        c.m_strText = FormatFloatField(value);
        return;
    }
    double v;
    if (!ParseRealField(c.m_strText, v)) Fail(LoadString(IDS_ENTER_NUMBER), id);
    value = static_cast<float>(v);
}

void CDataExchange::Text(int id, double& value) {
    m_nLastId = id;
    CControl& c = m_dialog.Control(id);
    if (!m_bSaveAndValidate) {
        c.m_strText = FormatDoubleField(value);
        return;
    }
    // A field left as it was shown keeps its value to the bit: fifteen digits
    // do not always read back to the same double (the largest doubles shown
    // that way read back as infinity).
    if (c.m_strText == FormatDoubleField(value)) return;
    double v;
    if (!ParseRealField(c.m_strText, v)) Fail(LoadString(IDS_ENTER_NUMBER), id);
    value = v;
}

void CDataExchange::Text(int id, int32_t& value) {
    m_nLastId = id;
    CControl& c = m_dialog.Control(id);
    if (!m_bSaveAndValidate) {
        c.m_strText = std::to_string(value);
        return;
    }
    int64_t v;
    if (!ParseIntField(c.m_strText, v) || v < std::numeric_limits<int32_t>::min() ||
        v > std::numeric_limits<int32_t>::max())
        Fail(LoadString(IDS_ENTER_INTEGER), id);
    value = static_cast<int32_t>(v);
}

void CDataExchange::Text(int id, uint32_t& value) {
    m_nLastId = id;
    CControl& c = m_dialog.Control(id);
    if (!m_bSaveAndValidate) {
        c.m_strText = std::to_string(value);
        return;
    }
    int64_t v;
    if (!ParseIntField(c.m_strText, v) || v < 0 || v > std::numeric_limits<uint32_t>::max())
        Fail(LoadString(IDS_ENTER_INTEGER), id);
    value = static_cast<uint32_t>(v);
}

void CDataExchange::Text(int id, std::string& value) {
    m_nLastId = id;
    CControl& c = m_dialog.Control(id);
    bool isEdit = c.m_kind == ControlKind::Edit || c.m_kind == ControlKind::ComboBox;
    if (!m_bSaveAndValidate) {
        (isEdit ? c.m_strText : c.m_strCaption) = value;
        return;
    }
    value = isEdit ? c.m_strText : c.m_strCaption;
}

void CDataExchange::Check(int id, int32_t& value) {
    m_nLastId = id;
    CControl& c = m_dialog.Control(id);
    if (!m_bSaveAndValidate)
        c.m_nCheck = value;
    else
        value = c.m_nCheck;
}

void CDataExchange::Radio(int firstId, int32_t& value) {
    m_nLastId = firstId;
    if (!m_bSaveAndValidate)
        m_dialog.CheckRadioButton(firstId, value);
    else
        value = m_dialog.GetCheckedRadioButton(firstId);
}

void CDataExchange::ListIndex(int id, int32_t& value) {
    m_nLastId = id;
    CControl& c = m_dialog.Control(id);
    if (!m_bSaveAndValidate) {
        c.m_nSel = (value >= 0 && value < static_cast<int>(c.m_items.size())) ? value : -1;
        if (c.m_kind == ControlKind::ComboBox && c.m_nSel >= 0) c.m_strText = c.m_items[c.m_nSel];
    } else {
        value = c.m_nSel;
    }
}

void CDataExchange::ListString(int id, std::string& value) {
    m_nLastId = id;
    CControl& c = m_dialog.Control(id);
    if (!m_bSaveAndValidate) {
        c.m_nSel = -1;
        for (int i = 0; i < static_cast<int>(c.m_items.size()); ++i)
            if (c.m_items[i] == value) c.m_nSel = i;
        if (c.m_kind == ControlKind::ComboBox) c.m_strText = value;
    } else {
        value = m_dialog.GetDlgItemText(id);
    }
}

void CDataExchange::MinMaxInt(int32_t value, int32_t minimum, int32_t maximum) {
    if (!m_bSaveAndValidate) return;
    if (value < minimum || value > maximum)
        Fail(FormatString(IDS_ENTER_INTEGER_BETWEEN, std::to_string(minimum), std::to_string(maximum)));
}

void CDataExchange::MinMaxFloat(double value, double minimum, double maximum) {
    if (!m_bSaveAndValidate) return;
    if (!(value >= minimum && value <= maximum))
        Fail(FormatString(IDS_ENTER_NUMBER_BETWEEN, FormatDoubleField(minimum), FormatDoubleField(maximum)));
}

}  // namespace kv
