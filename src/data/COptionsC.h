#pragma once
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

// The C output options of a format descriptor and the "C Output Options" dialog.
class COptionsC : public CDialogModel {
public:
    enum ControlId { IDC_NAME = 1301, IDC_TYPE, IDC_SUFFIX };

    COptionsC();

    void DoDataExchange(CDataExchange& dx) override;

    std::string m_strName;
    std::string m_strType = "float";
    std::string m_strSuffix = "f";

protected:
    void CreateControls() override;
};

}  // namespace kv
