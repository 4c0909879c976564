#pragma once
#include <string>

namespace kv {

// One axis label: its text and the unscaled axis value at which it stands.
struct CLabel {
    std::string m_strText;
    double m_dValue = 0.0;
};

}  // namespace kv
