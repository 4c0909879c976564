#pragma once

namespace kv {

class CDialogModel;
class CPropertySheetModel;

// Shows a dialog model modally. The implementation calls the model's
// InitDialog, lets the user work the controls (forwarding every change and
// notification to the model), and returns when the model has ended itself.
// Returns true for OK and false for Cancel.
class IDialogs {
public:
    virtual ~IDialogs() = default;
    virtual bool RunModal(CDialogModel& model) = 0;
    // Shows a property sheet modally; true for OK.
    virtual bool RunPropertySheet(CPropertySheetModel& sheet) = 0;
};

}  // namespace kv
