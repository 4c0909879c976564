#include <gtest/gtest.h>

#include <cmath>

#include "analysis/CDsStats.h"
#include "app/AnalysisCommands.h"
#include "data/CKalvoData.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

void FillTime(CKalvoData& data, const std::vector<double>& re, const std::vector<double>& im) {
    data.Reset();
    for (double v : re) data.Inphase().Append(v);
    for (double v : im) data.Quadrature().Append(v);
    data.m_bReal = 0;
    data.ResetRange();
}

TEST(TimeStatistics, RealDataGivesExtremesMeansAndRmsShownWithFifteenDigits) {
    test::CScriptedPlatform platform;
    CKalvoData data;
    FillTime(data, {1.0, -3.0, 2.0}, {0.0, 0.0, 0.0});
    std::vector<std::string> labels, texts;
    bool readOnly = true;
    platform.OnDialog<CDsStats>([&](CDsStats& d) {
        for (const CControl& c : d.Controls()) {
            labels.push_back(c.m_strLabel);
            texts.push_back(c.m_strText);
            readOnly = readOnly && c.m_bReadOnly;
        }
        // The fields are for reading: OK does not parse them back.
        d.SimulateText(CDsStats::IDC_MAXIMUM, "not a number");
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(ShowTimeStatistics(data));
    EXPECT_EQ(labels, (std::vector<std::string>{"Minimum", "Maximum", "Inphase Mean", "Quadrature Mean",
                                                "Magnitude RMS"}));
    EXPECT_EQ(texts, (std::vector<std::string>{"-3", "2", "0", "0", "2.16024689946929"}));
    EXPECT_TRUE(readOnly);
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.dialogTitles.size(), 1u);
    EXPECT_EQ(platform.dialogTitles[0], "Time Data Statistics");
    ASSERT_FALSE(platform.statusTexts.empty());
    EXPECT_EQ(platform.statusTexts[0], "Gathering Time Data Statistics...");
    EXPECT_EQ(platform.waitCursorCount, 1);
    EXPECT_EQ(platform.waitCursorDepth, 0);

    CDsStats stats;
    stats.Compute(data);
    EXPECT_EQ(stats.m_dMinimum, -3.0);
    EXPECT_EQ(stats.m_dMaximum, 2.0);
    EXPECT_EQ(stats.m_dInphaseMean, 0.0);
    EXPECT_EQ(stats.m_dQuadratureMean, 0.0);
    EXPECT_EQ(stats.m_dMagnitudeRms, std::sqrt(14.0 / 3.0));
}

TEST(TimeStatistics, ComplexDataTakesExtremesFromEitherColumnAndIgnoresTheWorkingRange) {
    CKalvoData data;
    FillTime(data, {1.0, 1.0}, {5.0, -5.0});
    CDsStats stats;
    stats.Compute(data);
    EXPECT_EQ(stats.m_dMinimum, -5.0);
    EXPECT_EQ(stats.m_dMaximum, 5.0);
    EXPECT_EQ(stats.m_dInphaseMean, 1.0);
    EXPECT_EQ(stats.m_dQuadratureMean, 0.0);
    EXPECT_DOUBLE_EQ(stats.m_dMagnitudeRms, std::sqrt(26.0));

    // A narrow working range changes nothing: every point counts.
    CKalvoData longer;
    std::vector<double> re, im;
    for (int i = 0; i < 50; ++i) {
        re.push_back(i < 10 ? 100.0 + i : 1.0);
        im.push_back(i == 49 ? -7.0 : 0.0);
    }
    FillTime(longer, re, im);
    CDsStats whole;
    whole.Compute(longer);
    ASSERT_TRUE(longer.SetRangeByIndex(20, 30, true));
    CDsStats narrowed;
    narrowed.Compute(longer);
    EXPECT_EQ(narrowed.m_dMaximum, 109.0);
    EXPECT_EQ(narrowed.m_dMinimum, -7.0);
    EXPECT_EQ(narrowed.m_dInphaseMean, whole.m_dInphaseMean);
    EXPECT_EQ(narrowed.m_dMagnitudeRms, whole.m_dMagnitudeRms);
}

TEST(TimeStatistics, EmptyDataGivesZerosNotNaN) {
    CKalvoData data;
    data.Reset();
    CDsStats stats;
    stats.Compute(data);
    for (double v : {stats.m_dMinimum, stats.m_dMaximum, stats.m_dInphaseMean, stats.m_dQuadratureMean,
                     stats.m_dMagnitudeRms})
        EXPECT_EQ(v, 0.0);
}

}  // namespace
}  // namespace kv
