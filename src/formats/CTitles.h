#pragma once
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

// Three plot titles (main, Y, X): the Text:Plot header, the store of a
// graph's titles, and the "Titles" dialog.
class CTitles : public CDialogModel {
public:
    CTitles();

    std::string m_strMain;
    std::string m_strY;
    std::string m_strX;
};

}  // namespace kv
