#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

// The TI assembly options of a format descriptor and the
// "TI Fixed-Point Assembly Code Options" dialog. Members in stored order.
class CAsmOpts : public CDialogModel {
public:
    enum ControlId {
        IDC_NAME = 1401,
        IDC_SHOW_LENGTH,
        IDC_SHOW_RATIO,
        IDC_RATIO,
        IDC_DECIMAL_INT,  // radio group "Data Format"
        IDC_HEX_INT,
        IDC_FLOAT,
        IDC_SHOW_OTHER,
        IDC_SHOW_FLOAT,
        IDC_SHOW_GRAPH,
        IDC_INITIAL_TEXT,
        IDC_FINAL_TEXT,
    };

    CAsmOpts();

    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnClicked(int id) override;
    void OnOK() override;

    std::string m_strName;
    std::string m_strFinalText;
    int32_t m_bShowGraph = 1;
    std::string m_strInitialText = "   .text";
    int32_t m_bShowLength = 1;
    int32_t m_bShowRatio = 0;
    std::string m_strRatio;
    int32_t m_nDataFormat = 0;  // 0 Decimal Int, 1 Hex Int, 2 Float
    int32_t m_bShowFloat = 1;
    int32_t m_bShowOther = 1;

protected:
    void CreateControls() override;

private:
    // "Show Other Format" and "Show Floating Point" apply to the integer formats only.
    void EnableComments();
};

}  // namespace kv
