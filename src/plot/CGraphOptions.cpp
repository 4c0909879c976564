#include "plot/CGraphOptions.h"

#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

CGraphOptions::CGraphOptions() : CDialogModel(LoadString(IDS_PLOT_OPTIONS_TITLE)) {}

void CGraphOptions::CreateControls() {
    int display = AddGroup(LoadString(IDS_PLOT_OPTIONS_DISPLAY_FORMAT));
    AddControl(IDC_ORIGIN_ZERO, ControlKind::CheckBox, LoadString(IDS_PLOT_OPTIONS_ORIGIN_ZERO), display, 0);
    AddControl(IDC_AUTO_TITLES, ControlKind::CheckBox, LoadString(IDS_PLOT_OPTIONS_AUTO_TITLES), display, 1);
    AddControl(IDC_LEGEND, ControlKind::CheckBox, LoadString(IDS_PLOT_OPTIONS_LEGEND), display, 2);
    AddControl(IDC_DB, ControlKind::CheckBox, LoadString(IDS_PLOT_OPTIONS_DB), display, 3);
    AddControl(IDC_ANTIALIAS, ControlKind::CheckBox, "Smooth Traces (Antialiasing)", display, 4);
    int reduction = AddGroup(LoadString(IDS_PLOT_OPTIONS_DATA_REDUCTION));
    AddControl(IDC_INTEGER_REDUCTION, ControlKind::CheckBox, LoadString(IDS_PLOT_OPTIONS_INTEGER_REDUCTION), reduction,
               0);
    AddControl(IDC_SUM_MODE, ControlKind::CheckBox, LoadString(IDS_PLOT_OPTIONS_SUM_MODE), reduction, 1);
    int zooming = AddGroup(LoadString(IDS_PLOT_OPTIONS_ZOOMING));
    AddControl(IDC_FULL_DECADE, ControlKind::CheckBox, LoadString(IDS_PLOT_OPTIONS_FULL_DECADE), zooming, 0);
    int histogram = AddGroup(LoadString(IDS_PLOT_OPTIONS_HISTOGRAM));
    AddEdit(IDC_NUM_BINS, LoadString(IDS_PLOT_OPTIONS_NUM_BINS), histogram, 0);
    AddControl(IDC_AUTO_BINS, ControlKind::CheckBox, LoadString(IDS_PLOT_OPTIONS_AUTO), histogram, 0);
    AddEdit(IDC_HIST_MIN, LoadString(IDS_PLOT_OPTIONS_MIN), histogram, 1);
    AddEdit(IDC_HIST_MAX, LoadString(IDS_PLOT_OPTIONS_MAX), histogram, 2);
    AddControl(IDC_AUTO_RANGE, ControlKind::CheckBox, LoadString(IDS_PLOT_OPTIONS_AUTO), histogram, 2);
}

void CGraphOptions::DoDataExchange(CDataExchange& dx) {
    dx.Check(IDC_DB, m_bDb);
    dx.Check(IDC_AUTO_TITLES, m_bAutoTitles);
    dx.Check(IDC_INTEGER_REDUCTION, m_bIntegerReduction);
    dx.Check(IDC_SUM_MODE, m_bSumMode);
    dx.Check(IDC_FULL_DECADE, m_bFullDecade);
    dx.Check(IDC_ORIGIN_ZERO, m_bOriginZero);
    dx.Check(IDC_LEGEND, m_bLegend);
    dx.Check(IDC_ANTIALIAS, m_bAntialias);
    dx.Check(IDC_AUTO_BINS, m_bAutoBins);
    dx.Text(IDC_NUM_BINS, m_nBins);
    dx.Text(IDC_HIST_MIN, m_dMin);
    dx.Text(IDC_HIST_MAX, m_dMax);
    dx.Check(IDC_AUTO_RANGE, m_bAutoRange);
}

bool CGraphOptions::OnInitDialog() {
    UpdateData(false);
    UpdateEnabling();
    return true;
}

void CGraphOptions::UpdateEnabling() {
    EnableControl(IDC_NUM_BINS, !m_bAutoBins);
    EnableControl(IDC_HIST_MIN, !m_bAutoRange);
    EnableControl(IDC_HIST_MAX, !m_bAutoRange);
}

void CGraphOptions::OnClicked(int id) {
    if (id != IDC_AUTO_BINS && id != IDC_AUTO_RANGE) return;
    if (!UpdateData(true)) return;
    UpdateEnabling();
}

void CGraphOptions::OnOK() {
    if (!UpdateData(true)) return;
    if (!m_bAutoRange && m_dMax <= m_dMin) {
        ErrorBox(LoadString(IDS_PLOT_OPTIONS_MIN_MAX));
        GotoDlgCtrl(IDC_HIST_MIN);
        return;
    }
    if (!m_bAutoBins && m_nBins <= 4) {
        ErrorBox(LoadString(IDS_PLOT_OPTIONS_BINS));
        GotoDlgCtrl(IDC_NUM_BINS);
        return;
    }
    EndDialog(IDOK);
}

}  // namespace kv
