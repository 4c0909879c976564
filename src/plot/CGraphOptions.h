#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The "Plot Properties" dialog of a signal graph.
class CGraphOptions : public CDialogModel {
public:
    enum ControlId {
        IDC_AUTO_TITLES = 110,
        IDC_ORIGIN_ZERO = 118,
        IDC_INTEGER_REDUCTION = 240,
        IDC_DB = 276,
        IDC_LEGEND = 400,
        IDC_SUM_MODE = 416,
        IDC_FULL_DECADE = 470,
        IDC_ANTIALIAS = 480,
        IDC_NUM_BINS = 2501,
        IDC_AUTO_BINS = 2502,
        IDC_HIST_MIN = 2503,
        IDC_AUTO_RANGE = 2504,
        IDC_HIST_MAX = 2505,
    };

    CGraphOptions();

    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnClicked(int id) override;
    void OnOK() override;

    int32_t m_bDb = 1;
    int32_t m_bAutoTitles = 0;
    int32_t m_bIntegerReduction = 0;
    int32_t m_bSumMode = 0;
    int32_t m_bFullDecade = 0;
    int32_t m_bOriginZero = 0;
    int32_t m_bLegend = 0;
    int32_t m_bAntialias = 0;
    int32_t m_bAutoBins = 1;
    int32_t m_nBins = 17;
    double m_dMin = 0.0;
    double m_dMax = 0.0;
    int32_t m_bAutoRange = 0;

protected:
    void CreateControls() override;

private:
    void UpdateEnabling();
};

}  // namespace kv
