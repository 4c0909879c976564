#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The "Pad Frequency" dialog and the project's settings for it.
class CPadDlg : public CDialogModel {
public:
    enum ControlId {
        IDC_QUANTITY = 1501,
        IDC_MULTIPLE,
        IDC_PAD_LOWEST,  // radio group: Lowest (0), Middle (1), Highest (2), Starting at (3)
        IDC_PAD_MIDDLE,
        IDC_PAD_HIGHEST,
        IDC_PAD_STARTING,
        IDC_START_FREQ,
        IDC_PAD_VALUE,
    };

    CPadDlg();

    void DoDataExchange(CDataExchange& dx) override;

    int32_t m_nPadAt = 0;
    double m_dStartFreq = 0.0;
    int32_t m_nQuantity = 2;
    double m_dPadValue = 0.0;
    int32_t m_bMultiple = 0;

protected:
    void CreateControls() override;
};

struct PadResult {
    double frequency = 0.0;
    int64_t count = 0;
};

// The pad frequency and the count of pad values per side for a sampling
// frequency fs and n frequency points.
PadResult PadParameters(const CPadDlg& dialog, double fs, int32_t n);

}  // namespace kv
