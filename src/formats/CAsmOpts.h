#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

// The TI assembly options of a format descriptor and the
// "TI Fixed-Point Assembly Code Options" dialog. Members in stored order.
class CAsmOpts : public CDialogModel {
public:
    CAsmOpts();

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
};

}  // namespace kv
