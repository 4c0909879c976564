#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/CControl.h"

namespace kv {

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

class CDataExchange;

// A modal dialog as plain data and behaviour: its members, its controls, the
// exchange between the two (DoDataExchange), and the handlers for focus,
// clicks, selection changes and OK. The platform shows it (IDialogs); the
// tests drive it with the Simulate* calls.
class CDialogModel {
public:
    explicit CDialogModel(std::string title = {});
    virtual ~CDialogModel();
    CDialogModel(const CDialogModel&) = default;
    CDialogModel& operator=(const CDialogModel&) = default;

    // ---- handlers, overridden by each dialog -----------------------------
    virtual void DoDataExchange(CDataExchange& dx);
    virtual bool OnInitDialog();          // default: UpdateData(false)
    virtual void OnOK();                  // default: UpdateData(true), then end with IDOK
    virtual void OnCancel();              // default: end with IDCANCEL
    virtual void OnSetFocus(int id);      // an edit received the input focus
    virtual void OnClicked(int id);       // a button, check box or radio button was clicked
    virtual void OnSelChange(int id);     // the selection of a list changed
    virtual void OnEditChange(int id);    // the text of an edit changed
    // As a page of a property sheet: shown, and asked to be left (default:
    // UpdateData(true); false keeps the page open).
    virtual bool OnSetActive() { return true; }
    virtual bool OnKillActive() { return UpdateData(true); }

    // ---- running -----------------------------------------------------------
    // Called by the platform when the dialog opens: clears the end state and
    // runs OnInitDialog.
    void BeginModal();
    // Builds the controls if they do not exist yet (BeginModal does it too).
    void EnsureControls();
    bool IsEnded() const { return m_nResult != 0; }
    int Result() const { return m_nResult; }
    void EndDialog(int result) { m_nResult = result; }
    // Moves members into controls (save = false) or controls into members
    // (save = true, with the field rules and their messages). Returns false
    // when a field was refused; that field then has the focus request.
    bool UpdateData(bool save);

    // ---- controls ------------------------------------------------------------
    int AddGroup(const std::string& caption);
    CControl& AddControl(int id, ControlKind kind, const std::string& caption, int group = -1, int row = 0);
    CControl& AddEdit(int id, const std::string& label, int group = -1, int row = 0);
    CControl& AddRadio(int id, const std::string& caption, int radioGroup, int group = -1, int row = 0);
    CControl* FindControl(int id);
    const CControl* FindControl(int id) const;
    CControl& Control(int id);
    const CControl& Control(int id) const;
    std::vector<CControl>& Controls() { return m_controls; }
    const std::vector<CControl>& Controls() const { return m_controls; }
    const std::vector<std::string>& Groups() const { return m_groups; }

    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text);
    int IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, int check);
    void EnableControl(int id, bool enable);
    void ShowControl(int id, bool show);
    // Radio buttons of the group of firstId, in order.
    std::vector<int> RadioGroupIds(int firstId) const;
    void CheckRadioButton(int firstId, int index);
    int GetCheckedRadioButton(int firstId) const;

    // "Browse...": the platform's open-file dialog, starting from the file the
    // edit names; the file chosen goes into the edit. False when cancelled.
    bool BrowseForFile(int editId, const std::string& title, const std::string& filter);

    // Requests the input focus for a control (with its text selected).
    void GotoDlgCtrl(int id) { m_nFocusId = id; }
    int FocusRequest() const { return m_nFocusId; }
    void ClearFocusRequest() { m_nFocusId = 0; }

    // ---- simulation of the user, for the platform's test double --------------
    void SimulateText(int id, const std::string& text);
    void SimulateFocus(int id);
    void SimulateClick(int id);  // IDOK and IDCANCEL press those buttons
    void SimulateSelect(int id, int index);

    std::string m_strTitle;
    // A dialog that only reports shows OK without Cancel.
    bool m_bOkOnly = false;

protected:
    // Adds the dialog's controls; called once, before the dialog first opens.
    virtual void CreateControls();

    std::vector<CControl> m_controls;
    std::vector<std::string> m_groups;

private:
    int m_nResult = 0;
    int m_nFocusId = 0;
};

// Exchange of one dialog's members with its controls; the field rules:
// floats shown with 6 and doubles with 15 significant digits, integers in
// decimal; text that does not parse is refused with "Enter a number." or
// "Enter an integer.".
class CDataExchange {
public:
    CDataExchange(CDialogModel& dialog, bool save) : m_dialog(dialog), m_bSaveAndValidate(save) {}

    bool Saving() const { return m_bSaveAndValidate; }
    CDialogModel& Dialog() { return m_dialog; }

    void Text(int id, float& value);
    void Text(int id, double& value);
    void Text(int id, int32_t& value);
    void Text(int id, uint32_t& value);
    void Text(int id, std::string& value);
    void Check(int id, int32_t& value);
    void Radio(int firstId, int32_t& value);
    void ListIndex(int id, int32_t& value);
    void ListString(int id, std::string& value);
    // Range checks on the value exchanged last (save direction only).
    void MinMaxInt(int32_t value, int32_t minimum, int32_t maximum);
    void MinMaxFloat(double value, double minimum, double maximum);

    // Refuses the exchange: shows the message (warning box, if not empty),
    // requests the focus for the control and ends UpdateData with false.
    [[noreturn]] void Fail(const std::string& message, int id);
    [[noreturn]] void Fail(const std::string& message) { Fail(message, m_nLastId); }

private:
    CDialogModel& m_dialog;
    bool m_bSaveAndValidate;
    int m_nLastId = 0;
};

// Thrown by CDataExchange::Fail and caught by UpdateData.
struct CDataExchangeFailure {};

// Field formatting and parsing shared by the dialogs.
std::string FormatFloatField(float value);    // "%.*g" with 6 digits
std::string FormatDoubleField(double value);  // "%.*g" with 15 digits
bool ParseRealField(const std::string& text, double& value);
bool ParseIntField(const std::string& text, int64_t& value);

}  // namespace kv
