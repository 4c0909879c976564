#include "plot/CAxisDlg.h"

#include "platform/StringTable.h"
#include "plot/AxisScaling.h"

namespace kv {

CAxisDlg::CAxisDlg() : CDialogModel(LoadString(IDS_PLOT_X_AXIS)) {}

void CAxisDlg::CreateControls() {
    int scaling = AddGroup(LoadString(IDS_PLOT_AXISDLG_AXIS_SCALING));
    AddControl(IDC_AUTOMATIC, ControlKind::CheckBox, LoadString(IDS_PLOT_AXISDLG_AUTOMATIC_AXIS), scaling, 0);
    AddControl(IDC_AUTOSCALE_ONCE, ControlKind::Button, LoadString(IDS_PLOT_AXISDLG_AUTOSCALE_ONCE), scaling, 0);
    AddEdit(IDC_AXIS_MAX, LoadString(IDS_PLOT_AXISDLG_AXIS_MAX), scaling, 1);
    AddEdit(IDC_AXIS_MIN, LoadString(IDS_PLOT_AXISDLG_AXIS_MIN), scaling, 2);
    AddEdit(IDC_TIC_SPACING, LoadString(IDS_PLOT_AXISDLG_TIC_SPACING), scaling, 3);
    AddEdit(IDC_LABEL_SPACING, LoadString(IDS_PLOT_AXISDLG_LABEL_SPACING), scaling, 4);
    AddControl(IDC_LOG, ControlKind::CheckBox, LoadString(IDS_PLOT_AXISDLG_LOG), scaling, 5);
    int labels = AddGroup(LoadString(IDS_PLOT_AXISDLG_LABEL_SCALING));
    AddControl(IDC_LABEL_AUTOMATIC, ControlKind::CheckBox, LoadString(IDS_PLOT_AXISDLG_AUTOMATIC), labels, 0);
    AddEdit(IDC_POWER, LoadString(IDS_PLOT_AXISDLG_POWER), labels, 1);
    AddEdit(IDC_MAX_DIGITS, LoadString(IDS_PLOT_AXISDLG_MAX_DIGITS), labels, 2);
    int grid = AddGroup(LoadString(IDS_PLOT_AXISDLG_GRID));
    AddRadio(IDC_GRID_NONE, LoadString(IDS_PLOT_AXISDLG_GRID_NONE), 0, grid, 0);
    AddRadio(IDC_GRID_TICS, LoadString(IDS_PLOT_AXISDLG_GRID_TICS), 0, grid, 1);
    AddRadio(IDC_GRID_LABELS, LoadString(IDS_PLOT_AXISDLG_GRID_LABELS), 0, grid, 2);
    AddRadio(IDC_GRID_ZERO, LoadString(IDS_PLOT_AXISDLG_GRID_ZERO), 0, grid, 3);
}

void CAxisDlg::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_AXIS_MAX, m_dAxisMax);
    dx.Text(IDC_AXIS_MIN, m_dAxisMin);
    dx.Check(IDC_LOG, m_bLog);
    dx.Text(IDC_TIC_SPACING, m_dTicSpacing);
    dx.Check(IDC_AUTOMATIC, m_bAutoScale);
    dx.Check(IDC_LABEL_AUTOMATIC, m_bAutoLabel);
    dx.Text(IDC_POWER, m_nPower);
    dx.Text(IDC_LABEL_SPACING, m_dLabelSpacing);
    dx.Radio(IDC_GRID_NONE, m_nGrid);
    dx.Text(IDC_MAX_DIGITS, m_nMaxDigits);
}

bool CAxisDlg::OnInitDialog() {
    UpdateData(false);
    UpdateEnabling();
    return true;
}

void CAxisDlg::UpdateEnabling() {
    bool manual = !m_bAutoScale;
    EnableControl(IDC_AXIS_MIN, manual);
    EnableControl(IDC_AXIS_MAX, manual);
    EnableControl(IDC_TIC_SPACING, manual);
    EnableControl(IDC_LABEL_SPACING, manual);
    EnableControl(IDC_AUTOSCALE_ONCE, manual);
    EnableControl(IDC_POWER, !m_bAutoLabel);
}

void CAxisDlg::AutoscaleOnce() {
    if (!UpdateData(true)) return;
    CAutoScale s = AutoScale(m_dDataMin, m_dDataMax, m_bLog != 0);
    m_dAxisMin = s.m_dAxisMin;
    m_dAxisMax = s.m_dAxisMax;
    m_dTicSpacing = s.m_dTicSpacing;
    m_dLabelSpacing = s.m_dLabelSpacing;
    UpdateData(false);
}

void CAxisDlg::OnClicked(int id) {
    switch (id) {
        case IDC_AUTOMATIC:
            if (!UpdateData(true)) return;
            UpdateEnabling();
            if (m_bAutoScale) AutoscaleOnce();
            break;
        case IDC_LABEL_AUTOMATIC:
            if (!UpdateData(true)) return;
            UpdateEnabling();
            break;
        case IDC_LOG:
            if (!UpdateData(true)) return;
            if (m_bAutoScale) AutoscaleOnce();
            break;
        case IDC_AUTOSCALE_ONCE: AutoscaleOnce(); break;
        default: break;
    }
}

}  // namespace kv
