#pragma once
#include <cstdint>

#include "data/CFs.h"
#include "platform/CDialogModel.h"

namespace kv {

// The "Set Sampling Frequency" dialog: a value and a unit pair. Changing the
// unit does not convert the value.
class CSampRate : public CDialogModel {
public:
    enum ControlId {
        IDC_FS_VALUE = 1601,
        IDC_UNIT_LIST,
    };

    CSampRate();

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    double m_dFsValue = 0.0;
    CFs m_FsCopy;
    int32_t m_nUnitIndex = 0;

protected:
    void CreateControls() override;
};

// Shows the dialog on a sampling frequency; on OK the value and unit index
// are taken over. Returns true for OK.
bool EditFs(CSampRate& dialog, CFs& fs);

}  // namespace kv
