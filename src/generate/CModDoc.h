#pragma once

#include "app/CKalvoraDoc.h"

namespace kv {

// The project document the program creates: a project with the
// modulated-signal generator's parameter pages and commands.
class CModDoc : public CKalvoraDoc {
public:
    CModDoc() = default;
};

}  // namespace kv
