#include "plot/CAxisPlot.h"

#include <algorithm>
#include <cmath>

#include "data/CTitles.h"
#include "formats/FormatHelpers.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"
#include "plot/CAxisDlg.h"
#include "plot/PlotCommands.h"

namespace kv {

namespace {

void PlainMessage(const std::string& text) { Platform().Messages().ShowMessage(text, MsgIcon::None, MsgButtons::Ok); }

}  // namespace

CAxisPlot::CAxisPlot() = default;

void CAxisPlot::ApplyAxes() {
    ApplyXAxis();
    ApplyYAxis();
}

void CAxisPlot::ApplyXAxis() {
    m_dXMin = m_XAxis.m_dAxisMin;
    m_dXMax = m_XAxis.m_dAxisMax;
    m_nXMaxDigits = m_XAxis.m_nMaxDigits;
    m_nXGrid = m_XAxis.m_nGrid;
    m_dXTicSpacing = m_XAxis.m_dTicSpacing;
    m_bXLog = m_XAxis.m_bLog;
    m_dXLabelSpacing = m_XAxis.m_dLabelSpacing;
    m_nXPower = m_XAxis.m_bLog ? 0 : m_XAxis.m_nPower;
}

void CAxisPlot::ApplyYAxis() {
    m_dYMin = m_YAxis.m_dAxisMin;
    m_dYMax = m_YAxis.m_dAxisMax;
    m_nYMaxDigits = m_YAxis.m_nMaxDigits;
    m_nYGrid = m_YAxis.m_nGrid;
    m_dYTicSpacing = m_YAxis.m_dTicSpacing;
    m_bYLog = m_YAxis.m_bLog;
    m_dYLabelSpacing = m_YAxis.m_dLabelSpacing;
    m_nYPower = m_YAxis.m_bLog ? 0 : m_YAxis.m_nPower;
}

void CAxisPlot::SetDataRanges(double xMin, double xMax, double yMin, double yMax) {
    if ((m_bXLog || m_bYLog) && m_bPolar) {
        Platform().Messages().ShowMessage(LoadString(IDS_PLOT_POLAR_LOG_OFF), MsgIcon::Information, MsgButtons::Ok);
        m_XAxis.m_bLog = m_YAxis.m_bLog = 0;
        m_bXLog = m_bYLog = 0;
        m_bResetScaling = 1;
    }
    if (m_bResetScaling || m_bResetXScaling) m_XAxis.m_bAutoScale = 1;
    if (m_bResetScaling || m_bResetYScaling) m_YAxis.m_bAutoScale = 1;
    m_bResetScaling = m_bResetXScaling = m_bResetYScaling = 0;
    m_XAxis.SetRange(xMin, xMax);
    m_YAxis.SetRange(yMin, yMax);
    ApplyXAxis();
    ApplyYAxis();
}

bool CAxisPlot::FitDrawnRange() {
    if (m_bPolar || !m_YAxis.m_bAutoScale) return false;
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    auto take = [&](double v) {
        if (!std::isfinite(v) || (m_bYLog && v <= 0)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    };
    for (int n = 0; n < m_Traces.GetColumnCount(); ++n) {
        const CDataColumn& c = m_Traces.GetColumn(n);
        for (int i = 0; i < c.GetSize(); ++i) take(c[i]);
    }
    for (const auto& column : m_TraceLow)
        for (double v : column) take(v);
    for (const auto& column : m_TraceHigh)
        for (double v : column) take(v);
    if (lo > hi) return false;
    // Only values beyond both the axis and the data range it was scaled for
    // widen it (an automatic axis may end a hair inside its data).
    const bool below = lo < m_dYMin && lo < m_YAxis.m_dDataMin;
    const bool above = hi > m_dYMax && hi > m_YAxis.m_dDataMax;
    if (!below && !above) return false;
    m_YAxis.SetRange(std::min(lo, m_YAxis.m_dDataMin), std::max(hi, m_YAxis.m_dDataMax));
    ApplyYAxis();
    return true;
}

bool CAxisPlot::EditAxis(const std::string& axisName, CAxisScale& record, bool xAxis) {
    CAxisDlg dlg;
    dlg.m_strTitle = axisName;
    dlg.m_dDataMin = record.m_dDataMin;
    dlg.m_dDataMax = record.m_dDataMax;
    dlg.m_dAxisMin = record.m_dAxisMin;
    dlg.m_dAxisMax = record.m_dAxisMax;
    dlg.m_dTicSpacing = record.m_dTicSpacing;
    dlg.m_dLabelSpacing = record.m_dLabelSpacing;
    dlg.m_nPower = record.m_nPower;
    dlg.m_nMaxDigits = record.m_nMaxDigits;
    dlg.m_bAutoScale = record.m_bAutoScale;
    dlg.m_bAutoLabel = record.m_bFixedPower ? 0 : 1;
    dlg.m_nGrid = record.m_nGrid;
    dlg.m_bLog = record.m_bLog;
    if (!RunDialog(dlg)) return false;

    record.m_dAxisMin = dlg.m_dAxisMin;
    record.m_dAxisMax = dlg.m_dAxisMax;
    record.m_dTicSpacing = dlg.m_dTicSpacing;
    record.m_dLabelSpacing = dlg.m_dLabelSpacing;
    record.m_nPower = dlg.m_nPower;
    record.m_nMaxDigits = dlg.m_nMaxDigits;
    record.m_bAutoScale = dlg.m_bAutoScale ? 1 : 0;
    record.m_bFixedPower = dlg.m_bAutoLabel ? 0 : 1;
    if (dlg.m_nGrid >= 0 && dlg.m_nGrid <= 3) record.m_nGrid = dlg.m_nGrid;
    record.m_bLog = dlg.m_bLog ? 1 : 0;

    if (!record.m_bLog) {
        double r = record.m_dAxisMax - record.m_dAxisMin;
        if (r / record.m_dLabelSpacing > 101) {
            PlainMessage(FormatString(IDS_PLOT_AXIS_TOO_MANY_LABELS, axisName));
            record.m_dLabelSpacing = r / 10.0;
        }
        if (r / record.m_dTicSpacing > 101) {
            PlainMessage(FormatString(IDS_PLOT_AXIS_TOO_MANY_TICS, axisName));
            record.m_dTicSpacing = record.m_dLabelSpacing / 5.0;
        }
    }
    if (!record.m_bFixedPower)
        record.m_nPower = EngineeringExponent(record.m_bLog ? record.m_dAxisMin : record.m_dLabelSpacing);

    if (xAxis)
        ApplyXAxis();
    else
        ApplyYAxis();
    ClearPlotData();
    Invalidate();
    return true;
}

void CAxisPlot::OnTitles() {
    if (!m_pTitles) return;
    m_pTitles->m_strMain = m_strMainTitle;
    m_pTitles->m_strX = m_strXTitle;
    m_pTitles->m_strY = m_strYTitle;
    // The power of ten and the reduction note are added to the titles at
    // every rebuild; the store keeps the titles without them.
    if (!m_strXDecoration.empty() && m_pTitles->m_strX.ends_with(m_strXDecoration))
        m_pTitles->m_strX.resize(m_pTitles->m_strX.size() - m_strXDecoration.size());
    if (!m_strYDecoration.empty() && m_pTitles->m_strY.ends_with(m_strYDecoration))
        m_pTitles->m_strY.resize(m_pTitles->m_strY.size() - m_strYDecoration.size());
    if (!RunDialog(*m_pTitles)) return;
    m_bAutoTitles = 0;
    Refresh();
}

bool CAxisPlot::DoCommand(int id) {
    switch (id) {
        case ID_PLOT_X_AXIS: EditAxis(LoadString(IDS_PLOT_X_AXIS), m_XAxis, true); return true;
        case ID_PLOT_Y_AXIS: EditAxis(LoadString(IDS_PLOT_Y_AXIS), m_YAxis, false); return true;
        case ID_PLOT_TITLES: OnTitles(); return true;
        default: return CPlot::DoCommand(id);
    }
}

bool CAxisPlot::OnUpdateCommand(CCmdUI& ui) {
    switch (ui.m_nId) {
        case ID_PLOT_X_AXIS:
        case ID_PLOT_Y_AXIS:
        case ID_PLOT_PROPERTIES:
        case ID_PLOT_TITLES: ui.m_bEnabled = HasData(); return true;
        default: return CPlot::OnUpdateCommand(ui);
    }
}

}  // namespace kv
