#pragma once
#include <string>

#include "data/CDataFormat.h"
#include "platform/CDialogModel.h"

namespace kv {

class CFloatArray;

// The write-column dialog and its state: one file name and format through
// which a single column of values is written. The owner keeps it between
// uses; it is not stored in project files.
class CWriteCol : public CDialogModel {
public:
    enum ControlId { IDC_NAME = 1601, IDC_BROWSE, IDC_FORMAT, IDC_OPTIONS };

    CWriteCol();

    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;
    void OnClicked(int id) override;
    void OnSelChange(int id) override;

    std::string m_strName;  // file name as shown and typed
    std::string m_strPath;  // full path
    CDataFormat m_Format{FMT_TEXT_DECIMAL};
    std::string m_strCaption;

protected:
    void CreateControls() override;

private:
    void TakeControls();
};

// Shows the dialog with the caption and writes the column to the chosen file
// in the chosen format (one column, step 1). Returns false when the dialog is
// cancelled, the path is empty, or the write is refused or fails (the write
// shows its own messages).
bool WriteColumnDialog(CWriteCol& state, const std::string& caption, const CFloatArray& column);

}  // namespace kv
