#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Automatic Processing Options" dialog: which steps the processing
// engine runs by itself after new or changed data.
class CProcDlg : public CDialogModel {
public:
    enum ControlId {
        IDC_PROC_REMOVE_DC = 1801,
        IDC_PROC_RECTIFY,
        IDC_PROC_ZERO_PAD,
        IDC_PROC_SCALE,
        IDC_PROC_MIX,
        IDC_PROC_FILTER,
        IDC_PROC_WINDOW,
        IDC_PROC_TO_FREQ,
        IDC_WRITE_TIME_ON_CLOSE,
        IDC_PROC_TO_TIME,
        IDC_WRITE_FREQ_ON_CLOSE,
        IDC_PROC_FREQ_STATS,
        IDC_PROC_FREQ_LIST,
        IDC_PROC_WRITE_LIST,
    };

    CProcDlg();

    void DoDataExchange(CDataExchange& dx) override;
    // The automatic-processing record of a project file.
    void Serialize(CArchive& ar, int version);

    int32_t m_bProcScale = 0;
    int32_t m_bProcZeroPad = 0;
    int32_t m_bProcFilter = 0;
    int32_t m_bProcWindow = 0;
    int32_t m_bProcToFreq = 0;
    int32_t m_bWriteTimeOnClose = 0;
    int32_t m_bProcToTime = 0;
    int32_t m_bWriteFreqOnClose = 0;
    int32_t m_bProcFreqStats = 0;
    int32_t m_bProcFreqList = 0;
    int32_t m_bProcWriteList = 0;
    int32_t m_bProcMix = 0;
    int32_t m_bProcRectify = 0;
    int32_t m_bProcRemoveDc = 0;

protected:
    void CreateControls() override;
};

}  // namespace kv
