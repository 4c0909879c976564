#pragma once
#include <string>
#include <vector>

namespace kv {

enum class ControlKind { Static, Edit, CheckBox, Radio, DropList, ComboBox, ListBox, Button };

// The state of one control of a dialog model. The desktop program shows it as
// a widget and writes the user's changes back here; tests set it directly.
struct CControl {
    int m_nId = 0;
    ControlKind m_kind = ControlKind::Static;
    std::string m_strCaption;          // caption of a button, box, radio, static text
    std::string m_strLabel;            // label shown before an edit or list (may be empty)
    std::string m_strSuffix;           // text shown after an edit (for example a unit)
    std::string m_strText;             // text of an edit or combo box
    int m_nCheck = 0;                  // check box 0/1, radio 1 when selected
    int m_nSel = -1;                   // selected index of a list, -1 none
    std::vector<std::string> m_items;  // entries of a list
    bool m_bEnabled = true;
    bool m_bVisible = true;
    bool m_bReadOnly = false;
    bool m_bMultiLine = false;
    int m_nGroup = -1;       // index of the group box that holds the control, -1 none
    int m_nRow = 0;          // row inside its group; controls of one row sit side by side
    int m_nRadioGroup = -1;  // radio buttons with the same number form one group
};

}  // namespace kv
