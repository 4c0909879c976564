#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "AnalysisTestData.h"
#include "app/AnalysisCommands.h"
#include "analysis/CDsStats.h"
#include "analysis/CFStatDlg.h"
#include "analysis/CFreqStats.h"
#include "analysis/CStatView.h"
#include "data/CKalvoData.h"
#include "data/CNonFinite.h"
#include "app/CKalvoraDoc.h"
#include "platform/CMemFile.h"
#include "support/CScriptedPlatform.h"
#include "support/CTempDir.h"

namespace kv {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

void FillTime(CKalvoData& data, const std::vector<double>& re, const std::vector<double>& im) {
    data.m_bTime = 1;
    data.Reset();
    for (double v : re) data.Inphase().Append(v);
    for (double v : im) data.Quadrature().Append(v);
    data.m_bReal = 0;
    data.ResetRange();
}

TEST(NonFinite, CountsEveryValueAndNamesTheFirstInRangeOrder) {
    CKalvoData time;
    FillTime(time, {1.0, 2.0, kInf, 0.0, kNaN}, {0.0, -kInf, kNaN, 0.0, 0.0});
    const CNonFinite all = CNonFinite::OfData(time);
    EXPECT_EQ(all.m_nCount, 4);
    EXPECT_EQ(all.m_nFirstPoint, 1);
    EXPECT_EQ(all.m_nFirstColumn, 1);
    EXPECT_EQ(all.Message(),
              "The Time Data holds 4 values that are not finite numbers (NaN or infinite); the first is the "
              "Quadrature value of point 1, -inf.\nStatistics of such data are not valid, so none are shown.");
    // The whole data, whatever the working range.
    time.m_nStart = 3;
    EXPECT_EQ(CNonFinite::OfData(time).m_nCount, 4);
    EXPECT_EQ(CNonFinite::OfRange(time).m_nCount, 1);

    FillTime(time, {1.0, kNaN}, {0.0, 0.0});
    EXPECT_EQ(CNonFinite::OfData(time).Message(),
              "The Time Data holds a value that is not a finite number: the Inphase value of point 1 is NaN.\n"
              "Statistics of such data are not valid, so none are shown.");
    FillTime(time, {1.0, 2.0}, {0.0, 0.0});
    EXPECT_FALSE(CNonFinite::OfData(time).Any());

    // Two-sided Frequency Data: the range runs from its negative bins, which
    // the message names by their signed index; DC counts even outside the range.
    CKalvoData freq;
    std::vector<double> re(8, 1.0);
    re[6] = kInf;  // bin -2
    re[1] = kNaN;
    test::FillSpectrum(freq, re, {}, false);
    const CNonFinite two = CNonFinite::OfRange(freq);
    EXPECT_EQ(two.m_nCount, 2);
    EXPECT_EQ(two.m_nFirstPoint, -2);
    EXPECT_FALSE(two.m_bTime);
    EXPECT_NE(two.Message().find("The Frequency Data holds 2 values"), std::string::npos);
    re[6] = re[1] = 1.0;
    re[0] = kNaN;
    test::FillSpectrum(freq, re, {}, false);
    freq.m_nStart = 1;
    freq.m_nStop = 3;
    const CNonFinite dc = CNonFinite::OfRange(freq);
    EXPECT_EQ(dc.m_nCount, 1);
    EXPECT_EQ(dc.m_nFirstPoint, 0);
}

TEST(NonFinite, TimeStatisticsOfDataWithNaNOrInfinityShowTheReasonInsteadOfNumbers) {
    test::CScriptedPlatform platform;
    CKalvoData data;
    // Where the NaN sits changed the minimum and maximum shown before.
    for (const auto& values : {std::vector<double>{kNaN, -3.0, 2.0}, std::vector<double>{-3.0, 2.0, kNaN},
                               std::vector<double>{1.0, kInf, 2.0}}) {
        FillTime(data, values, {0.0, 0.0, 0.0});
        platform.messages.clear();
        EXPECT_FALSE(ShowTimeStatistics(data));
        EXPECT_TRUE(platform.dialogTitles.empty());
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
        EXPECT_NE(platform.messages[0].text.find("The Time Data holds a value that is not a finite number"),
                  std::string::npos);
        EXPECT_EQ(platform.waitCursorDepth, 0);
    }
    EXPECT_EQ(platform.unscriptedDialogs, 0);
}

class NonFiniteSpectrum : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<double> re(16, 0.01);
        re[2] = 10.0;
        re[4] = 1.0;
        re[7] = kNaN;  // one bad bin: before, -300 dB ratios and a list as if valid
        test::FillSpectrum(data, re, {}, true, 16.0);
    }
    test::CScriptedPlatform platform;
    CKalvoData data;
    std::string listFile;
    CFreqStats stats{data, listFile, 5};
    const std::string expected =
        "The Frequency Data holds a value that is not a finite number: the Inphase value of point 7 is NaN.\n"
        "Statistics of such data are not valid, so none are shown.";
};

TEST_F(NonFiniteSpectrum, StatisticsAreMarkedNotFiniteAndTheDialogGivesWayToTheMessage) {
    EXPECT_FALSE(stats.ComputeFrequencyStatistics().m_bFinite);
    EXPECT_EQ(stats.NonFiniteMessage(), expected);
    EXPECT_FALSE(ShowFrequencyStatistics(stats));
    EXPECT_TRUE(platform.dialogTitles.empty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, expected);
    EXPECT_EQ(platform.waitCursorDepth, 0);

    // A bad bin outside the working range leaves the statistics valid.
    data.m_nStop = 6;
    EXPECT_TRUE(stats.ComputeFrequencyStatistics().m_bFinite);
    platform.AcceptDialog();
    EXPECT_TRUE(ShowFrequencyStatistics(stats));
}

TEST_F(NonFiniteSpectrum, SquaresBeyondTheRangeOfDoublesAreReportedToo) {
    std::vector<double> re(16, 0.0);
    re[3] = 1e200;
    test::FillSpectrum(data, re);
    EXPECT_FALSE(stats.ComputeFrequencyStatistics().m_bFinite);
    EXPECT_EQ(stats.NonFiniteMessage(),
              "The Frequency Data has powers beyond the range of double-precision numbers.\n"
              "Statistics of such data are not valid, so none are shown.");
}

class CountingStatView : public CStatView {
protected:
    void OnTextChanged() override {}
    void OnFontChanged() override {}
};

TEST_F(NonFiniteSpectrum, ListViewShowsTheReasonAndTheListFileIsNotWritten) {
    CMemFile buffer(1024);
    EXPECT_FALSE(stats.WriteFrequencyList(buffer));
    EXPECT_EQ(buffer.GetLength(), 0u);

    CountingStatView view;
    view.OnInitialUpdate();
    view.OnUpdate(nullptr, HINT_LIST_CHANGED, &stats);
    EXPECT_EQ(view.GetText(), expected);

    // An existing list file stays as it was, and no file dialog is offered.
    test::CTempDir dir;
    const std::string path = dir / "list.frq";
    std::ofstream(path) << "old list";
    platform.AnswerSaveFile(path);
    EXPECT_FALSE(WriteFrequencyListFile(stats));
    EXPECT_TRUE(platform.fileRequests.empty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, expected);
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "old list");
}

}  // namespace
}  // namespace kv
