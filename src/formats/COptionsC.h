#pragma once
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

// The C output options of a format descriptor and the "C Output Options" dialog.
class COptionsC : public CDialogModel {
public:
    COptionsC();

    std::string m_strName;
    std::string m_strType = "float";
    std::string m_strSuffix = "f";
};

}  // namespace kv
