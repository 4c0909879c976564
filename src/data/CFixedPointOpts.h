#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The fixed-point word length of a format descriptor, and the
// "Fixed-Point Options" dialog that edits it (an integer from 1 to 64).
class CFixedPointOpts : public CDialogModel {
public:
    enum ControlId { IDC_BITS = 1101 };

    CFixedPointOpts();

    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

    int32_t m_nBits = 16;

protected:
    void CreateControls() override;
};

}  // namespace kv
