#include <gtest/gtest.h>

#include <cmath>

#include "app/CCommandTable.h"
#include "app/CListLength.h"
#include "app/CMixDlg.h"
#include "app/CModDoc.h"
#include "app/CPadDlg.h"
#include "app/CRange.h"
#include "app/CSampRate.h"
#include "app/CScaleDlg.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"

namespace kv {
namespace {

constexpr double kPi = 3.141592653589793;

class OperationDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        CRange::RememberedMode(true) = 0;
        CRange::RememberedMode(false) = 0;
    }
    void TearDown() override {
        CRange::RememberedMode(true) = 0;
        CRange::RememberedMode(false) = 0;
    }
    static void Fill(CKalvoData& data, int n) {
        for (int i = 0; i < n; ++i) {
            data.Inphase().Append(i);
            data.Quadrature().Append(0.0);
        }
        data.ResetRange();
    }
    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
};

TEST_F(OperationDialogs, SetRangeShowsTheRangeInTheDataUnits) {
    CKalvoData data;
    CFs fs(2.0);
    fs.ParseUnits("kHz,ms");
    data.ApplyFs(fs);
    Fill(data, 1024);
    int32_t mode = 0;
    platform.OnDialog<CRange>([](CRange& d) {
        EXPECT_EQ(d.GetDlgItemText(CRange::IDC_START_VALUE), "0");
        EXPECT_EQ(d.GetDlgItemText(CRange::IDC_STOP_VALUE), "511.5");
        EXPECT_EQ(d.GetDlgItemText(CRange::IDC_UNIT_TEXT), "ms");
        EXPECT_EQ(d.GetDlgItemText(CRange::IDC_SAMPLE_SIZE), "Sample Size: 1024");
        EXPECT_EQ(d.GetCheckedRadioButton(CRange::IDC_UNITS), 0);
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_EQ(EditRange(data, *std::make_unique<CRange>(), mode), 2);
}

TEST_F(OperationDialogs, ARefusedRangeBringsTheDialogBackWithTheTypedValues) {
    CModDoc doc;
    Fill(doc.m_TimeData, 10);
    windows.CreatePlotView(doc);
    auto* view = windows.views.back().get();
    view->updates.clear();
    platform.OnDialog<CRange>([](CRange& d) {
        d.SimulateFocus(CRange::IDC_STOP_INDEX);  // selects "Index"
        EXPECT_EQ(d.GetCheckedRadioButton(CRange::IDC_UNITS), 1);
        d.SimulateText(CRange::IDC_START_INDEX, "2");
        d.SimulateText(CRange::IDC_STOP_INDEX, "50");
        d.SimulateClick(IDOK);
    });
    platform.OnDialog<CRange>([](CRange& d) {
        EXPECT_EQ(d.GetDlgItemText(CRange::IDC_STOP_INDEX), "50");
        d.SimulateText(CRange::IDC_STOP_INDEX, "8");
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(CCommandTable::Execute(doc, CCommandTable::ID_TIME_SET_RANGE));
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"Range values are invalid."}));
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(doc.m_TimeData.m_nStart, 2);
    EXPECT_EQ(doc.m_TimeData.m_nStop, 8);
    ASSERT_EQ(view->updates.size(), 1u);
    EXPECT_EQ(view->updates[0].hint, HINT_REDRAW_ALL);
    EXPECT_FALSE(doc.IsModified());

    // The Time Data's mode is remembered across projects; the Frequency
    // Data's is not touched.
    CModDoc other;
    Fill(other.m_TimeData, 10);
    Fill(other.m_FreqData, 10);
    platform.OnDialog<CRange>([](CRange& d) {
        EXPECT_EQ(d.GetCheckedRadioButton(CRange::IDC_UNITS), 1);
        d.SimulateClick(CRange::IDC_ALL);
        d.SimulateClick(IDCANCEL);
    });
    platform.OnDialog<CRange>([](CRange& d) {
        EXPECT_EQ(d.GetCheckedRadioButton(CRange::IDC_UNITS), 0);
        d.SimulateFocus(CRange::IDC_START_INDEX);
        d.SimulateFocus(CRange::IDC_START_VALUE);  // back to "Units"
        EXPECT_EQ(d.GetCheckedRadioButton(CRange::IDC_UNITS), 0);
        d.SimulateClick(CRange::IDC_ALL);
        d.SimulateClick(IDOK);
    });
    other.OnSetRange(true);
    other.OnSetRange(false);
    EXPECT_EQ(CRange::RememberedMode(true), 1) << "a cancelled dialog keeps the mode";
    EXPECT_EQ(CRange::RememberedMode(false), 2);
}

TEST_F(OperationDialogs, MixFillsDefaultsAndComputesFrequencyAndPhase) {
    CMixDlg mix;
    platform.OnDialog<CMixDlg>([](CMixDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(CMixDlg::IDC_FREQUENCY), "12");
        EXPECT_EQ(d.GetDlgItemText(CMixDlg::IDC_DIVISOR), "4");
        EXPECT_EQ(d.GetDlgItemText(CMixDlg::IDC_MULTIPLIER), "0.25");
        d.SimulateFocus(CMixDlg::IDC_DIVISOR);
        d.SimulateClick(IDOK);
    });
    MixResult r = MixParameters(101, 48.0, mix);
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(mix.m_nFreqMode, 1);
    EXPECT_EQ(r.frequency, 12.0);
    EXPECT_NEAR(r.phase, -kPi, 1e-12);

    for (auto [degrees, expected] : {std::pair{"90", kPi / 2}, {"450", kPi / 2}, {"-90", -kPi / 2}}) {
        platform.OnDialog<CMixDlg>([degrees](CMixDlg& d) {
            d.SimulateText(CMixDlg::IDC_DEGREES, degrees);
            d.SimulateFocus(CMixDlg::IDC_DEGREES);
            d.SimulateClick(IDOK);
        });
        r = MixParameters(10, 48.0, mix);
        EXPECT_NEAR(r.phase, expected, 1e-12) << degrees;
    }
    // The defaults stay as accepted even when the sampling frequency changes.
    platform.OnDialog<CMixDlg>([](CMixDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(CMixDlg::IDC_FREQUENCY), "12");
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(MixParameters(10, 100.0, mix).accepted);
}

TEST_F(OperationDialogs, MixRefusesZeroAndAsksBeyondHalfTheSamplingFrequency) {
    CMixDlg mix;
    mix.m_dMixFs = 48.0;
    mix.BeginModal();
    mix.SimulateClick(CMixDlg::IDC_MODE_DIVIDE);
    mix.SimulateText(CMixDlg::IDC_DIVISOR, "0");
    mix.SimulateClick(IDOK);
    EXPECT_FALSE(mix.IsEnded());
    EXPECT_EQ(platform.messages.back().text, "The Fs mixing divisor cannot be zero.");
    mix.SimulateClick(CMixDlg::IDC_FREQ_MODE);
    mix.SimulateText(CMixDlg::IDC_FREQUENCY, "0");
    mix.SimulateClick(IDOK);
    EXPECT_FALSE(mix.IsEnded());
    EXPECT_EQ(platform.messages.back().text, "The mixing frequency cannot be zero.");
    mix.SimulateText(CMixDlg::IDC_FREQUENCY, "24");
    mix.SimulateClick(IDOK);
    EXPECT_TRUE(mix.IsEnded()) << "exactly half passes without the question";
    EXPECT_EQ(platform.messages.size(), 2u);

    for (const char* f : {"24.5", "-24.5"}) {
        mix.BeginModal();
        mix.SimulateText(CMixDlg::IDC_FREQUENCY, f);
        platform.AnswerNo();
        mix.SimulateClick(IDOK);
        EXPECT_FALSE(mix.IsEnded());
        EXPECT_EQ(platform.messages.back().text,
                  "The Mixing frequency is outside the range\n+/- half the sampling frequency.  Mix anyway?");
        EXPECT_EQ(platform.messages.back().icon, MsgIcon::Exclamation);
        platform.AnswerYes();
        mix.SimulateClick(IDOK);
        EXPECT_TRUE(mix.IsEnded());
    }
    mix.BeginModal();
    mix.SimulateText(CMixDlg::IDC_MULTIPLIER, "x");
    mix.SimulateFocus(CMixDlg::IDC_MULTIPLIER);
    EXPECT_EQ(platform.messages.back().text, "Enter a number.");
    EXPECT_EQ(mix.GetDlgItemText(CMixDlg::IDC_MULTIPLIER), "x");
}

TEST_F(OperationDialogs, ScaleFactorFromDecibels) {
    CScaleDlg scale;
    scale.m_dScale = 6.0;
    scale.m_bDb = 1;
    EXPECT_NEAR(scale.Factor(), 1.9952623149688795, 1e-12);
    scale.m_dScale = -20.0;
    EXPECT_NEAR(scale.Factor(), 0.1, 1e-15);
    scale.m_bDb = 0;
    scale.m_dScale = 0.0;
    EXPECT_EQ(scale.Factor(), 0.0);
}

TEST_F(OperationDialogs, PadParametersAndItsRefusedQuantities) {
    CPadDlg pad;
    pad.m_nPadAt = 1;
    EXPECT_EQ(PadParameters(pad, 48.0, 1024).frequency, 12.0);
    pad.m_nPadAt = 2;
    EXPECT_EQ(PadParameters(pad, 48.0, 1024).frequency, 24.0);
    pad.m_nPadAt = 3;
    pad.m_dStartFreq = 7.5;
    EXPECT_EQ(PadParameters(pad, 48.0, 1024).frequency, 7.5);
    pad.m_bMultiple = 1;
    for (auto [q, n] : {std::pair{2, 512}, {3, 1024}, {1, 0}}) {
        pad.m_nQuantity = q;
        EXPECT_EQ(PadParameters(pad, 48.0, 1024).count, n) << q;
    }

    CPadDlg dlg;
    dlg.BeginModal();
    dlg.SimulateFocus(CPadDlg::IDC_START_FREQ);
    EXPECT_EQ(dlg.GetCheckedRadioButton(CPadDlg::IDC_PAD_LOWEST), 0) << "no focus handler";
    dlg.SimulateText(CPadDlg::IDC_QUANTITY, "-1");
    dlg.SimulateClick(IDOK);
    EXPECT_FALSE(dlg.IsEnded());
    EXPECT_EQ(platform.messages.back().text, "The pad quantity cannot be negative.");
    EXPECT_EQ(dlg.FocusRequest(), CPadDlg::IDC_QUANTITY);
    dlg.SimulateText(CPadDlg::IDC_QUANTITY, "0");
    dlg.SimulateClick(CPadDlg::IDC_MULTIPLE);
    dlg.SimulateClick(IDOK);
    EXPECT_FALSE(dlg.IsEnded());
    EXPECT_EQ(platform.messages.back().text,
              "With \"Multiple of current size\" the pad quantity must be at least 1.");
    EXPECT_EQ(dlg.m_nQuantity, 2) << "a refused quantity is not kept";
    dlg.SimulateClick(CPadDlg::IDC_MULTIPLE);
    dlg.SimulateClick(IDOK);
    EXPECT_TRUE(dlg.IsEnded());
    EXPECT_EQ(dlg.m_nQuantity, 0);
}

TEST_F(OperationDialogs, SamplingFrequencyUnitChangeKeepsTheNumber) {
    CFs fs(48.0);
    fs.ParseUnits("kHz,ms");
    CSampRate dlg;
    platform.OnDialog<CSampRate>([](CSampRate& d) {
        EXPECT_EQ(d.GetDlgItemText(CSampRate::IDC_FS_VALUE), "48");
        EXPECT_EQ(d.GetDlgItemText(CSampRate::IDC_UNIT_LIST), "kHz,ms");
        EXPECT_EQ(d.Control(CSampRate::IDC_UNIT_LIST).m_items.size(), 4u);
        d.SimulateSelect(CSampRate::IDC_UNIT_LIST, 2);
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(EditFs(dlg, fs));
    EXPECT_EQ(fs.m_dValue, 48.0);
    EXPECT_EQ(fs.GetUnitsText(), "MHz,us");
    platform.OnDialog<CSampRate>([](CSampRate& d) {
        d.SimulateText(CSampRate::IDC_FS_VALUE, "-3");  // any value is accepted
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(EditFs(dlg, fs));
    EXPECT_EQ(fs.m_dValue, -3.0);
    platform.CancelDialog();
    EXPECT_FALSE(EditFs(dlg, fs));
    EXPECT_EQ(fs.m_dValue, -3.0);
}

TEST_F(OperationDialogs, ListLengthIsOneToAHundredAndOnlyAChangeRedraws) {
    CModDoc doc;
    windows.CreatePlotView(doc);
    auto* view = windows.views.back().get();
    view->updates.clear();
    platform.OnDialog<CListLength>([&](CListLength& d) {
        EXPECT_EQ(d.GetDlgItemText(CListLength::IDC_LIST_ENTRIES), "50");
        for (const char* bad : {"0", "101", "-5"}) {
            d.SimulateText(CListLength::IDC_LIST_ENTRIES, bad);
            d.SimulateClick(IDOK);
            EXPECT_FALSE(d.IsEnded()) << bad;
        }
        EXPECT_EQ(platform.messages.back().text, "Enter an integer between 1 and 100.");
        d.SimulateText(CListLength::IDC_LIST_ENTRIES, "50");
        d.SimulateClick(IDOK);
    });
    CCommandTable::Execute(doc, CCommandTable::ID_LIST_LENGTH);
    EXPECT_TRUE(view->updates.empty());
    platform.OnDialog<CListLength>([](CListLength& d) {
        d.SimulateText(CListLength::IDC_LIST_ENTRIES, "100");
        d.SimulateClick(IDOK);
    });
    CCommandTable::Execute(doc, CCommandTable::ID_LIST_LENGTH);
    EXPECT_EQ(doc.m_nListLength, 100);
    ASSERT_EQ(view->updates.size(), 1u);
    EXPECT_EQ(view->updates[0].hint, HINT_REDRAW_ALL);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(OperationDialogs, ProcessOptionsMarkTheProjectModified) {
    CModDoc doc;
    platform.OnDialog<CProcDlg>([](CProcDlg& d) {
        ASSERT_EQ(d.Groups(), (std::vector<std::string>{"Time Data", "Frequency Data", "Frequency List"}));
        std::vector<std::string> timeBoxes;
        for (const auto& c : d.Controls())
            if (c.m_nGroup == 0) timeBoxes.push_back(c.m_strCaption);
        EXPECT_EQ(timeBoxes, (std::vector<std::string>{"Remove DC", "Rectify", "Zero-pad", "Scale", "Mix", "Filter",
                                                       "Window", "Transform to Frequency",
                                                       "Write modified data on close"}));
        d.SimulateClick(CProcDlg::IDC_PROC_MIX);
        d.SimulateClick(IDOK);
    });
    CCommandTable::Execute(doc, CCommandTable::ID_PROCESS);
    EXPECT_EQ(doc.m_ProcDlg.m_bProcMix, 1);
    EXPECT_TRUE(doc.IsModified());
    doc.SetModified(false);
    platform.CancelDialog();
    CCommandTable::Execute(doc, CCommandTable::ID_PROCESS);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace kv
