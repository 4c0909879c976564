#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The "Zero-Stuff and Zero-Pad" dialog and the project's settings for it.
class CZeroPad : public CDialogModel {
public:
    enum ControlId {
        IDC_STUFF = 1401,
        IDC_SCALE_FS,
        IDC_PREPEND,
        IDC_APPEND,
    };

    CZeroPad();

    void DoDataExchange(CDataExchange& dx) override;

    int32_t m_nPrepend = 0;
    int32_t m_nAppend = 0;
    int32_t m_nStuff = 0;
    int32_t m_bScaleFs = 1;

protected:
    void CreateControls() override;
};

}  // namespace kv
