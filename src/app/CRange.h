#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CKalvoData;

// The "Set Data Range" dialog: the working range of a data object by values,
// by indices, or the whole data.
class CRange : public CDialogModel {
public:
    enum ControlId {
        IDC_UNITS = 1101,  // radio group: Units (0), Index (1), All Samples (2)
        IDC_INDEX,
        IDC_ALL,
        IDC_START_VALUE,
        IDC_STOP_VALUE,
        IDC_UNIT_TEXT,
        IDC_STOP_INDEX,
        IDC_START_INDEX,
        IDC_SAMPLE_SIZE,
    };

    CRange();

    void DoDataExchange(CDataExchange& dx) override;
    void OnSetFocus(int id) override;

    float m_fStartValue = 0.0f;
    float m_fStopValue = 0.0f;
    int32_t m_nStopIndex = 0;
    int32_t m_nStartIndex = 0;
    std::string m_strSampleSize;
    std::string m_strUnit;
    int32_t m_nMode = 0;

    // The modes last used, one for Time Data and one for Frequency Data,
    // shared by every project for the run of the program.
    static int32_t& RememberedMode(bool timeData);

protected:
    void CreateControls() override;

private:
    void SelectMode(int32_t mode);
};

// Shows the dialog on a data object's working range, starting in the given
// mode; on OK sets the range (showing the dialog again while the range is
// refused) and remembers the mode. Returns 1 when the range was set, 2 when
// the user cancelled.
int EditRange(CKalvoData& data, CRange& dialog, int32_t& mode);

}  // namespace kv
