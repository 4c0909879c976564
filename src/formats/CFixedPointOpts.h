#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The fixed-point word length of a format descriptor, and the
// "Fixed-Point Options" dialog that edits it.
class CFixedPointOpts : public CDialogModel {
public:
    CFixedPointOpts();

    int32_t m_nBits = 16;
};

}  // namespace kv
