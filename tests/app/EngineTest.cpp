#include <gtest/gtest.h>

#include <tuple>

#include <cmath>

#include "app/EngineDoc.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"

namespace kv {
namespace {

using test::EngineDoc;

class Engine : public ::testing::Test {
protected:
    void SetUp() override {
        view = static_cast<test::CRecordingView*>(windows.CreatePlotView(doc));
        doc.NewProject();
        view->updates.clear();
    }
    void AllOptionsOn() {
        CProcDlg& p = doc.m_ProcDlg;
        p.m_bProcScale = p.m_bProcZeroPad = p.m_bProcFilter = p.m_bProcWindow = p.m_bProcToFreq = 1;
        p.m_bProcToTime = p.m_bProcFreqStats = p.m_bProcFreqList = p.m_bProcWriteList = 1;
        p.m_bProcMix = p.m_bProcRectify = p.m_bProcRemoveDc = 1;
    }

    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
    EngineDoc doc;
    test::CRecordingView* view = nullptr;
};

TEST_F(Engine, AReadWithAllOptionsOffRunsOnlyTheRead) {
    doc.reader = test::RampReader(8);
    doc.m_FreqData.Inphase().Append(1.0);
    doc.m_FreqData.Quadrature().Append(1.0);
    doc.RunOperation(OP_READ_TIME);
    EXPECT_EQ(doc.trace, (std::vector<std::string>{"read time"}));
    EXPECT_EQ(doc.m_TimeData.GetCount(), 8);
    EXPECT_TRUE(doc.m_FreqData.IsEmpty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_bReadFailed, 0);
    EXPECT_EQ(doc.UndoCount(), 2u);
    EXPECT_EQ(platform.statusTexts.back(), "Ready");
    EXPECT_EQ(platform.statusTexts.front(), "Reading time data will overwrite this project's Time and Frequency data.");
    EXPECT_EQ(platform.waitCursorDepth, 0);
    ASSERT_FALSE(view->updates.empty());
    // The plot opened for real Time Data (type 1), then the change.
    EXPECT_EQ(view->updates[0].hint, HINT_PLOT_OPENED + 16 * 1);
    EXPECT_EQ(view->updates.back().hint, HINT_DATA_CHANGED);
    EXPECT_EQ(view->updates.back().object, &doc.m_TimeData);
    EXPECT_EQ(view->updates.size(), 2u);
    EXPECT_TRUE(platform.dialogTitles.empty());
}

TEST_F(Engine, ResetRangesAndASampleRateFromTheFile) {
    doc.reader = test::RampReader(4);
    doc.resetRanges = true;
    doc.rateHz = 22050;
    doc.RunOperation(OP_READ_TIME);
    EXPECT_EQ(view->updates.back().hint, HINT_DATA_CHANGED + HINT_RESET_ZOOM);
    EXPECT_EQ(doc.m_Fs.m_dValue, 22.05);
    EXPECT_EQ(doc.m_Fs.GetFreqUnitName(), "kHz");
    EXPECT_EQ(doc.m_TimeData.m_dFs, 22.05);
    EXPECT_EQ(doc.m_FreqData.m_dFs, 22.05);
}

TEST_F(Engine, TheFilesRateTakesTheUnitThatFits) {
    doc.reader = test::RampReader(4);
    // The rate as the file states it, exactly, in the unit where it is 1 ... 999.
    for (auto [hz, value, unit] : {std::tuple{48000.0, 48.0, "kHz"}, {500.0, 500.0, "Hz"}, {2.4e6, 2.4, "MHz"},
                                   {1e9, 1.0, "GHz"}, {44100.0, 44.1, "kHz"}, {0.5, 0.5, "Hz"}, {2.5e12, 2500.0, "GHz"}}) {
        doc.rateHz = hz;
        doc.RunOperation(OP_READ_TIME);
        EXPECT_EQ(doc.m_Fs.m_dValue, value) << hz;
        EXPECT_EQ(doc.m_Fs.GetFreqUnitName(), unit) << hz;
        double factor;
        EXPECT_EQ(doc.m_TimeData.GetFs(&factor) * factor, hz) << hz;
    }
    // A file without a rate leaves the project's as it is.
    doc.rateHz = 0.0;
    doc.RunOperation(OP_READ_TIME);
    EXPECT_EQ(doc.m_Fs.m_dValue, 2500.0);
    // Frequency Data read from such a file sets it too.
    doc.rateHz = 8000.0;
    doc.RunOperation(OP_READ_FREQ);
    EXPECT_EQ(doc.m_Fs.m_dValue, 8.0);
    EXPECT_EQ(doc.m_FreqData.m_dFs, 8.0);
}

TEST_F(Engine, AReadWithEveryOptionRunsTheWholeChainInOrder) {
    AllOptionsOn();
    doc.reader = test::RampReader(16);
    platform.AnswerYes();  // remove DC
    platform.AnswerYes();  // rectify
    platform.OnDialog<CZeroPad>([&](CZeroPad& d) {
        EXPECT_EQ(platform.messages.size(), 2u) << "both questions come before the zero-pad dialog";
        d.SimulateText(CZeroPad::IDC_APPEND, "4");
        d.SimulateClick(IDOK);
    });
    platform.OnDialog<CScaleDlg>([](CScaleDlg& d) {
        d.SimulateText(CScaleDlg::IDC_SCALE, "2");
        d.SimulateClick(IDOK);
    });
    platform.AcceptDialog();  // mix with its defaults
    doc.RunOperation(OP_READ_TIME);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "Do you want to Remove DC from the Time Data?");
    EXPECT_EQ(platform.messages[1].text, "Do you want to Rectify the Time Data?");
    EXPECT_EQ(platform.dialogTitles, (std::vector<std::string>{"Zero-Stuff and Zero-Pad", "Scale Time Data", "Mix Filter"}));
    EXPECT_EQ(doc.trace, (std::vector<std::string>{"read time", "window", "filter", "to freq", "stats", "list",
                                                   "write list"}));
    EXPECT_EQ(platform.unscriptedDialogs, 0);
    // DC removed (mean 8.5), rectified, padded with 4 zeros, doubled.
    ASSERT_EQ(doc.m_TimeData.GetCount(), 20);
    EXPECT_TRUE(doc.m_TimeData.m_bReal == 0);
    EXPECT_EQ(doc.m_bReadFailed, 0);
    EXPECT_EQ(doc.UndoCount(), 2u);
    auto hints = view->updates;
    ASSERT_GE(hints.size(), 2u);
    EXPECT_EQ(hints[hints.size() - 2].object, &doc.m_TimeData);
    EXPECT_EQ(hints.back().hint, HINT_DATA_CHANGED);
    EXPECT_EQ(hints.back().object, &doc.m_FreqData);
}

TEST_F(Engine, AFailedReadEndsTheRunAtOnce) {
    AllOptionsOn();
    doc.RunOperation(OP_READ_TIME);
    EXPECT_EQ(doc.trace, (std::vector<std::string>{"read time"}));
    EXPECT_EQ(doc.m_bReadFailed, 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(doc.UndoCount(), 1u);
    EXPECT_TRUE(view->updates.empty());
    EXPECT_EQ(platform.statusTexts.back(), "Ready");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Engine, ConjugateContinuesFromScale) {
    doc.reader = test::RampReader(4);
    doc.RunOperation(OP_READ_TIME);
    doc.m_TimeData.Quadrature().SetAt(1, 5.0);
    doc.m_TimeData.m_bReal = 0;
    doc.m_ProcDlg.m_bProcScale = 1;
    platform.CancelDialog();
    doc.trace.clear();
    doc.RunOperation(OP_CONJUGATE);
    EXPECT_EQ(doc.m_TimeData.Quadrature()[1], -5.0);
    EXPECT_EQ(platform.dialogTitles, (std::vector<std::string>{"Scale Time Data"}));
    EXPECT_TRUE(doc.trace.empty());
    EXPECT_EQ(doc.UndoCount(), 3u);
}

TEST_F(Engine, ACancelledDialogStillCountsButADeclinedQuestionDoesNot) {
    doc.reader = test::RampReader(4);
    doc.RunOperation(OP_READ_TIME);
    view->updates.clear();
    platform.CancelDialog();
    doc.RunOperation(OP_SCALE);
    EXPECT_EQ(doc.UndoCount(), 3u);
    ASSERT_EQ(view->updates.size(), 1u);
    EXPECT_EQ(view->updates[0].hint, HINT_DATA_CHANGED);

    view->updates.clear();
    platform.AnswerNo();
    doc.RunOperation(OP_RECTIFY);
    platform.AnswerNo();
    doc.RunOperation(OP_REMOVE_DC);
    platform.CancelDialog();
    doc.RunOperation(OP_MIX);
    EXPECT_EQ(doc.UndoCount(), 3u);
    EXPECT_TRUE(view->updates.empty());
    EXPECT_EQ(platform.unansweredQuestions, 0);
}

TEST_F(Engine, StepsDoTheirArithmetic) {
    doc.reader = test::RampReader(4);
    doc.RunOperation(OP_READ_TIME);
    platform.OnDialog<CScaleDlg>([](CScaleDlg& d) {
        d.SimulateText(CScaleDlg::IDC_SCALE, "-20");
        d.SimulateClick(CScaleDlg::IDC_DB);
        d.SimulateClick(IDOK);
    });
    doc.RunOperation(OP_SCALE);
    EXPECT_NEAR(doc.m_TimeData.Inphase()[3], 0.4, 1e-12);
    EXPECT_EQ(platform.statusTexts[platform.statusTexts.size() - 2],
              "Scaling time data will overwrite this project's Time and Frequency data.");

    platform.AnswerYes();
    doc.RunOperation(OP_REMOVE_DC);
    EXPECT_NEAR(doc.m_TimeData.Inphase()[0], -0.15, 1e-12);
    platform.AnswerYes();
    doc.RunOperation(OP_RECTIFY);
    EXPECT_NEAR(doc.m_TimeData.Inphase()[0], 0.15, 1e-12);

    // Zero-stuff runs before the padding, and the range covers everything.
    platform.OnDialog<CZeroPad>([](CZeroPad& d) {
        d.SimulateText(CZeroPad::IDC_STUFF, "1");
        d.SimulateText(CZeroPad::IDC_PREPEND, "2");
        d.SimulateText(CZeroPad::IDC_APPEND, "3");
        d.SimulateClick(IDOK);
    });
    doc.RunOperation(OP_ZERO_PAD);
    EXPECT_EQ(doc.m_TimeData.GetCount(), 2 + 7 + 3);
    EXPECT_EQ(doc.m_TimeData.m_nStop, 11);
    EXPECT_EQ(doc.m_TimeData.m_dFs, 2.0);
    EXPECT_EQ(doc.m_Fs.m_dValue, 1.0);
    EXPECT_TRUE(std::find(platform.statusTexts.begin(), platform.statusTexts.end(),
                          "Zero-Stuffing/Zero-Padding Time Data...") != platform.statusTexts.end());

    platform.OnDialog<CMixDlg>([](CMixDlg& d) { d.SimulateClick(IDOK); });
    doc.RunOperation(OP_MIX);
    EXPECT_EQ(doc.m_TimeData.m_bReal, 0);
    EXPECT_EQ(doc.m_MixDlg.m_dMixFs, 2.0);
}

TEST_F(Engine, NewFrequencyDataAndTransformsRunTheListSteps) {
    doc.m_ProcDlg.m_bProcFreqStats = 1;
    doc.m_ProcDlg.m_bProcFreqList = 1;
    doc.reader = test::RampReader(4);
    doc.RunOperation(OP_READ_TIME);
    doc.trace.clear();
    doc.RunOperation(OP_READ_FREQ);
    EXPECT_EQ(doc.trace, (std::vector<std::string>{"read freq", "stats", "list"}));
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
    EXPECT_EQ(view->updates.back().object, &doc.m_FreqData);
    EXPECT_EQ(doc.m_FreqData.m_strDbLabel, "dBc");

    doc.trace.clear();
    doc.m_ProcDlg.m_bProcFreqStats = 0;
    doc.RunOperation(OP_TO_TIME);
    EXPECT_EQ(doc.trace, (std::vector<std::string>{"to time", "list"}));
    doc.trace.clear();
    doc.RunOperation(OP_FREQ_LIST);
    doc.RunOperation(OP_WRITE_LIST);
    EXPECT_EQ(doc.trace, (std::vector<std::string>{"list", "write list"}));
}

TEST_F(Engine, GeneratingDoesNotMarkTheProjectModified) {
    platform.AcceptDialog();
    doc.RunOperation(OP_GENERATE);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_TimeData.GetCount(), 1024);
    EXPECT_EQ(doc.m_TimeData.m_bReal, 0);
    EXPECT_EQ(doc.m_TimeData.m_strName, "Generated Sine");
    EXPECT_EQ(doc.m_strSourceTitle, "Generated Sine");
    EXPECT_EQ(doc.UndoCount(), 2u);
    // Complex data opens its plot as type 3.
    EXPECT_EQ(view->updates[0].hint, HINT_PLOT_OPENED + 16 * 3);
    EXPECT_TRUE(std::find(platform.statusTexts.begin(), platform.statusTexts.end(), "Generating time data...") !=
                platform.statusTexts.end());

    // A cancelled generator changes nothing, but notes the overwrite first.
    platform.CancelDialog();
    doc.RunOperation(OP_GENERATE);
    EXPECT_EQ(doc.UndoCount(), 2u);
    EXPECT_EQ(platform.statusTexts[platform.statusTexts.size() - 2],
              "Generating time data will overwrite this project's Time and Frequency data.");
}

TEST_F(Engine, AnAllocationFailureInAStepIsReportedAndTheProjectStaysWhole) {
    doc.reader = test::RampReader(4);
    doc.RunOperation(OP_READ_TIME);
    platform.OnDialog<CZeroPad>([](CZeroPad& d) {
        d.SimulateText(CZeroPad::IDC_STUFF, "2000000000");
        d.SimulateClick(IDOK);
    });
    doc.RunOperation(OP_ZERO_PAD);
    EXPECT_TRUE(platform.SawMessage("Insufficient memory available to complete the operation."));
    EXPECT_EQ(doc.m_TimeData.GetCount(), 4);
    EXPECT_EQ(doc.m_TimeData.Inphase()[3], 4.0);
    EXPECT_EQ(doc.UndoCount(), 2u);
    EXPECT_EQ(platform.waitCursorDepth, 0);
}

}  // namespace
}  // namespace kv
