#include <gtest/gtest.h>

#include "data/CTitles.h"
#include "plot/CAxisDlg.h"
#include "plot/CGraphOptions.h"
#include "plot/CTestPlot.h"
#include "plot/PlotCommands.h"
#include "support/CFakeViewWindow.h"
#include "support/CRecordingSurface.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

TEST(AxisDialog, AutomaticScalingDisablesTheRangeFields) {
    test::CScriptedPlatform p;
    CAxisDlg d;
    d.m_dDataMin = 3;
    d.m_dDataMax = 4500;
    d.m_dAxisMin = 0;
    d.m_dAxisMax = 5000;
    d.m_dTicSpacing = 500;
    d.m_dLabelSpacing = 1000;
    d.BeginModal();
    for (int id : {CAxisDlg::IDC_AXIS_MIN, CAxisDlg::IDC_AXIS_MAX, CAxisDlg::IDC_TIC_SPACING,
                   CAxisDlg::IDC_LABEL_SPACING, CAxisDlg::IDC_AUTOSCALE_ONCE})
        EXPECT_FALSE(d.Control(id).m_bEnabled) << id;
    EXPECT_FALSE(d.Control(CAxisDlg::IDC_POWER).m_bEnabled);
    EXPECT_EQ(d.GetCheckedRadioButton(CAxisDlg::IDC_GRID_NONE), 1);

    d.SimulateClick(CAxisDlg::IDC_AUTOMATIC);  // off
    for (int id : {CAxisDlg::IDC_AXIS_MIN, CAxisDlg::IDC_AXIS_MAX, CAxisDlg::IDC_AUTOSCALE_ONCE})
        EXPECT_TRUE(d.Control(id).m_bEnabled) << id;
    EXPECT_EQ(d.GetDlgItemText(CAxisDlg::IDC_AXIS_MAX), "5000");  // values unchanged

    d.SimulateClick(CAxisDlg::IDC_LABEL_AUTOMATIC);  // off
    EXPECT_TRUE(d.Control(CAxisDlg::IDC_POWER).m_bEnabled);
}

TEST(AxisDialog, LogModeRescalesAnAutomaticAxisAtOnce) {
    test::CScriptedPlatform p;
    CAxisDlg d;
    d.m_dDataMin = 3;
    d.m_dDataMax = 4500;
    d.BeginModal();
    d.SimulateClick(CAxisDlg::IDC_LOG);
    EXPECT_EQ(d.GetDlgItemText(CAxisDlg::IDC_AXIS_MIN), "1");
    EXPECT_EQ(d.GetDlgItemText(CAxisDlg::IDC_AXIS_MAX), "10000");
    EXPECT_EQ(d.GetDlgItemText(CAxisDlg::IDC_TIC_SPACING), "0.1");
    EXPECT_EQ(d.GetDlgItemText(CAxisDlg::IDC_LABEL_SPACING), "1");

    // Switching Automatic back on scales the axis once.
    d.SimulateClick(CAxisDlg::IDC_AUTOMATIC);
    d.SimulateText(CAxisDlg::IDC_AXIS_MAX, "77");
    d.SimulateClick(CAxisDlg::IDC_AUTOMATIC);
    EXPECT_EQ(d.GetDlgItemText(CAxisDlg::IDC_AXIS_MAX), "10000");

    d.SimulateText(CAxisDlg::IDC_MAX_DIGITS, "x");
    d.SimulateClick(IDOK);
    EXPECT_FALSE(d.IsEnded());
    EXPECT_TRUE(p.SawMessage("Enter an integer."));
    EXPECT_EQ(d.FocusRequest(), CAxisDlg::IDC_MAX_DIGITS);
}

TEST(AxisDialog, EditAxisCorrectsTooManyLabelsAndTics) {
    test::CScriptedPlatform p;
    test::CFakeViewWindow window(400, 300);
    test::CTestPlot plot;
    plot.SetWindow(&window);
    test::CTestPlot::Fill(plot, 101, [](int i) { return i; });
    test::CRecordingSurface dc(400, 300);
    plot.Paint(dc);
    p.OnDialog<CAxisDlg>([](CAxisDlg& d) {
        EXPECT_EQ(d.m_strTitle, "X-Axis");
        d.SimulateClick(CAxisDlg::IDC_AUTOMATIC);
        d.SimulateText(CAxisDlg::IDC_AXIS_MIN, "0");
        d.SimulateText(CAxisDlg::IDC_AXIS_MAX, "100");
        d.SimulateText(CAxisDlg::IDC_LABEL_SPACING, "0.5");
        d.SimulateText(CAxisDlg::IDC_TIC_SPACING, "0.5");
        d.SimulateClick(CAxisDlg::IDC_GRID_LABELS);
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(plot.OnCommand(ID_PLOT_X_AXIS));
    ASSERT_EQ(p.messages.size(), 2u);
    EXPECT_EQ(p.messages[0].text, "X-Axis: Specified Label Spacing will result in too many labels.\nTen labels will be used.");
    EXPECT_EQ(p.messages[1].text, "X-Axis: Specified Tic Spacing will result in too many tics.\nFive tics per label will be used.");
    EXPECT_DOUBLE_EQ(plot.m_XAxis.m_dLabelSpacing, 10);
    EXPECT_DOUBLE_EQ(plot.m_XAxis.m_dTicSpacing, 2);
    EXPECT_EQ(plot.m_XAxis.m_bAutoScale, 0);
    EXPECT_EQ(plot.m_XAxis.m_nGrid, CAxisScale::GridOnLabels);
    EXPECT_EQ(plot.m_XAxis.m_nPower, 0);  // from the label spacing 10
    EXPECT_DOUBLE_EQ(plot.m_dXLabelSpacing, 10);
    EXPECT_EQ(plot.m_XColumn.GetSize(), 0);
    EXPECT_GT(window.invalidations, 0);

    // The manual axis keeps its ends on the next repaint.
    test::CRecordingSurface again(400, 300);
    plot.Paint(again);
    EXPECT_DOUBLE_EQ(plot.m_dXMin, 0);
    EXPECT_DOUBLE_EQ(plot.m_dXMax, 100);
    EXPECT_TRUE(again.HasText("50"));

    // Cancel changes nothing.
    CAxisScale before = plot.m_YAxis;
    p.OnDialog<CAxisDlg>([](CAxisDlg& d) {
        EXPECT_EQ(d.m_strTitle, "Y-Axis");
        d.SimulateText(CAxisDlg::IDC_MAX_DIGITS, "7");
        d.SimulateClick(IDCANCEL);
    });
    plot.OnCommand(ID_PLOT_Y_AXIS);
    EXPECT_EQ(plot.m_YAxis, before);
}

TEST(AxisDialog, LogAxesGetNoSpacingCorrections) {
    test::CScriptedPlatform p;
    test::CTestPlot plot;
    test::CTestPlot::Fill(plot, 101, [](int i) { return i + 1; });
    p.OnDialog<CAxisDlg>([](CAxisDlg& d) {
        d.SimulateClick(CAxisDlg::IDC_AUTOMATIC);
        d.SimulateText(CAxisDlg::IDC_AXIS_MIN, "1");
        d.SimulateText(CAxisDlg::IDC_AXIS_MAX, "1000");
        d.SimulateText(CAxisDlg::IDC_TIC_SPACING, "0.001");
        d.SimulateClick(CAxisDlg::IDC_LOG);
        d.SimulateClick(IDOK);
    });
    plot.OnCommand(ID_PLOT_Y_AXIS);
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(plot.m_YAxis.m_bLog, 1);
    EXPECT_EQ(plot.m_bYLog, 1);
    EXPECT_EQ(plot.m_nYPower, 0);
}

TEST(PlotProperties, HistogramChecks) {
    test::CScriptedPlatform p;
    CGraphOptions d;
    d.m_bAutoRange = 0;
    d.m_dMin = 5;
    d.m_dMax = 5;
    d.BeginModal();
    EXPECT_TRUE(d.Control(CGraphOptions::IDC_HIST_MIN).m_bEnabled);
    EXPECT_FALSE(d.Control(CGraphOptions::IDC_NUM_BINS).m_bEnabled);
    d.SimulateClick(IDOK);
    EXPECT_FALSE(d.IsEnded());
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "The histogram minimum value must be less than the histogram maximum value");
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Error);

    d.SimulateText(CGraphOptions::IDC_HIST_MAX, "6");
    d.SimulateClick(CGraphOptions::IDC_AUTO_BINS);  // off
    EXPECT_TRUE(d.Control(CGraphOptions::IDC_NUM_BINS).m_bEnabled);
    d.SimulateText(CGraphOptions::IDC_NUM_BINS, "4");
    d.SimulateClick(IDOK);
    EXPECT_FALSE(d.IsEnded());
    EXPECT_EQ(p.messages.back().text, "The number of histogram bins must be greater than 4");
    d.SimulateText(CGraphOptions::IDC_NUM_BINS, "5");
    d.SimulateClick(IDOK);
    EXPECT_TRUE(d.IsEnded());
    EXPECT_EQ(d.Result(), IDOK);
    EXPECT_EQ(d.m_nBins, 5);
    EXPECT_DOUBLE_EQ(d.m_dMax, 6);

    // Automatic range: no range check.
    CGraphOptions a;
    a.m_bAutoRange = 1;
    a.BeginModal();
    EXPECT_FALSE(a.Control(CGraphOptions::IDC_HIST_MAX).m_bEnabled);
    a.SimulateClick(IDOK);
    EXPECT_EQ(a.Result(), IDOK);
}

TEST(TitlesDialog, ExchangesTheThreeTitles) {
    test::CScriptedPlatform p;
    CTitles t;
    t.m_strMain = "M";
    t.m_strY = "Y";
    t.m_strX = "X";
    t.BeginModal();
    EXPECT_EQ(t.m_strTitle, "Titles");
    EXPECT_EQ(t.GetDlgItemText(CTitles::IDC_MAIN_TITLE), "M");
    EXPECT_EQ(t.GetDlgItemText(CTitles::IDC_Y_TITLE), "Y");
    EXPECT_EQ(t.GetDlgItemText(CTitles::IDC_X_TITLE), "X");
    t.SimulateText(CTitles::IDC_X_TITLE, "");
    t.SimulateClick(IDOK);
    EXPECT_EQ(t.Result(), IDOK);
    EXPECT_EQ(t.m_strX, "");
    EXPECT_EQ(t.m_strMain, "M");
}

}  // namespace
}  // namespace kv
