#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The "Frequency List Length" dialog: the number of entries of the frequency
// list, 1 to 100.
class CListLength : public CDialogModel {
public:
    enum ControlId { IDC_LIST_ENTRIES = 1701 };
    static constexpr int32_t kMaxEntries = 100;

    CListLength();

    void DoDataExchange(CDataExchange& dx) override;

    int32_t m_nListEntries = 0;

protected:
    void CreateControls() override;
};

}  // namespace kv
