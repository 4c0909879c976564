#include <gtest/gtest.h>

#include <cmath>

#include "analysis/AnalysisCommands.h"
#include "analysis/CDsStats.h"
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
    std::string rmsText, minText;
    bool readOnly = true;
    platform.OnDialog<CDsStats>([&](CDsStats& d) {
        rmsText = d.Control(CDsStats::IDC_MAGNITUDE_RMS).m_strText;
        minText = d.Control(CDsStats::IDC_MINIMUM).m_strText;
        for (int id : {CDsStats::IDC_MINIMUM, CDsStats::IDC_MAXIMUM, CDsStats::IDC_INPHASE_MEAN,
                       CDsStats::IDC_QUADRATURE_MEAN, CDsStats::IDC_MAGNITUDE_RMS})
            readOnly = readOnly && d.Control(id).m_bReadOnly;
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(ShowTimeStatistics(data));
    EXPECT_EQ(rmsText, "2.16024689946929");
    EXPECT_EQ(minText, "-3");
    EXPECT_TRUE(readOnly);
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

TEST(TimeStatistics, DialogHasFiveLabelledFieldsAndOkDoesNotReadThemBack) {
    test::CScriptedPlatform platform;
    CKalvoData data;
    FillTime(data, {0.1, 0.2}, {0.0, 0.0});
    platform.OnDialog<CDsStats>([](CDsStats& d) {
        EXPECT_EQ(d.Control(CDsStats::IDC_MINIMUM).m_strLabel, "Minimum");
        EXPECT_EQ(d.Control(CDsStats::IDC_MAXIMUM).m_strLabel, "Maximum");
        EXPECT_EQ(d.Control(CDsStats::IDC_INPHASE_MEAN).m_strLabel, "Inphase Mean");
        EXPECT_EQ(d.Control(CDsStats::IDC_QUADRATURE_MEAN).m_strLabel, "Quadrature Mean");
        EXPECT_EQ(d.Control(CDsStats::IDC_MAGNITUDE_RMS).m_strLabel, "Magnitude RMS");
        EXPECT_EQ(d.Control(CDsStats::IDC_INPHASE_MEAN).m_strText, "0.15");
        d.SimulateText(CDsStats::IDC_MAXIMUM, "not a number");
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(ShowTimeStatistics(data));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.unfinishedDialogs, 0);
}

}  // namespace
}  // namespace kv
