#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The axis dialog: scaling, label scaling, grid and log mode of one axis.
class CAxisDlg : public CDialogModel {
public:
    enum ControlId {
        IDC_AUTOMATIC = 112,
        IDC_LABEL_AUTOMATIC = 114,
        IDC_AUTOSCALE_ONCE = 116,
        IDC_GRID_LABELS = 210,
        IDC_GRID_TICS = 212,
        IDC_GRID_ZERO = 214,
        IDC_POWER = 254,
        IDC_LABEL_SPACING = 258,
        IDC_LOG = 268,
        IDC_MAX_DIGITS = 280,
        IDC_AXIS_MAX = 282,
        IDC_AXIS_MIN = 288,
        IDC_GRID_NONE = 310,
        IDC_TIC_SPACING = 418,
    };

    CAxisDlg();

    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnClicked(int id) override;

    // Scales the axis for the data range with the log mode shown.
    void AutoscaleOnce();

    double m_dAxisMax = 0.0;
    double m_dAxisMin = 0.0;
    int32_t m_bLog = 0;
    double m_dTicSpacing = 0.0;
    int32_t m_bAutoScale = 1;
    int32_t m_bAutoLabel = 1;
    int32_t m_nPower = 0;
    double m_dLabelSpacing = 0.0;
    int32_t m_nGrid = 1;
    int32_t m_nMaxDigits = 3;
    double m_dDataMin = 0.0;
    double m_dDataMax = 0.0;

protected:
    void CreateControls() override;

private:
    void UpdateEnabling();
};

}  // namespace kv
