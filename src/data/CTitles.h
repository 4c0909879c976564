#pragma once
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

// Three plot titles (main, Y, X): the Text:Plot header, the store of a
// graph's titles, and the "Titles" dialog.
class CTitles : public CDialogModel {
public:
    enum ControlId {
        IDC_MAIN_TITLE = 278,
        IDC_X_TITLE = 460,
        IDC_Y_TITLE = 462,
    };

    CTitles();

    void DoDataExchange(CDataExchange& dx) override;

    std::string m_strMain;
    std::string m_strY;
    std::string m_strX;

protected:
    void CreateControls() override;
};

}  // namespace kv
