#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "platform/StringTable.h"
#include "plot/AxisScaling.h"
#include "plot/CAxisScale.h"
#include "plot/CLabelArray.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

std::vector<std::string> Texts(const CLabelArray& labels) {
    std::vector<std::string> out;
    for (int i = 0; i < labels.GetSize(); ++i) out.push_back(labels[i].m_strText);
    return out;
}

TEST(AutoScale, LinearExamples) {
    CAutoScale s = AutoScale(0, 0, false);
    EXPECT_DOUBLE_EQ(s.m_dAxisMin, -0.5);
    EXPECT_DOUBLE_EQ(s.m_dAxisMax, 0.5);
    EXPECT_DOUBLE_EQ(s.m_dLabelSpacing, 0.1);
    EXPECT_DOUBLE_EQ(s.m_dTicSpacing, 0.1);

    s = AutoScale(0, 7.3, false);
    EXPECT_DOUBLE_EQ(s.m_dAxisMin, 0);
    EXPECT_DOUBLE_EQ(s.m_dAxisMax, 8);
    EXPECT_DOUBLE_EQ(s.m_dLabelSpacing, 1);

    s = AutoScale(-0.35, 0.35, false);
    EXPECT_DOUBLE_EQ(s.m_dLabelSpacing, 0.1);
    EXPECT_NEAR(s.m_dAxisMin, -0.4, 1e-12);
    EXPECT_NEAR(s.m_dAxisMax, 0.4, 1e-12);

    // Almost constant data is anchored at zero.
    s = AutoScale(5, 5.000001, false);
    EXPECT_DOUBLE_EQ(s.m_dAxisMin, 0);
    EXPECT_GE(s.m_dAxisMax, 5.000001);
    s = AutoScale(-5.000001, -5, false);
    EXPECT_DOUBLE_EQ(s.m_dAxisMax, 0);
    EXPECT_DOUBLE_EQ(s.m_dAxisMin, -5);  // within a hundredth of a step
}

TEST(AutoScale, NineIntervalsWhenTenDoNotFit) {
    // Ten steps of 1 from 0 end at 10, short of 10.05; the nine-step attempt
    // takes steps of 2 and the top is trimmed to 12.
    CAutoScale s = AutoScale(0.95, 10.05, false);
    EXPECT_DOUBLE_EQ(s.m_dAxisMin, 0);
    EXPECT_DOUBLE_EQ(s.m_dAxisMax, 12);
    EXPECT_DOUBLE_EQ(s.m_dLabelSpacing, 2);
}

TEST(AutoScale, UnusableDataGetsTheScaleOfNoData) {
    CAutoScale s = AutoScale(std::nan(""), 1.0, false);
    EXPECT_DOUBLE_EQ(s.m_dAxisMin, -0.5);
    EXPECT_DOUBLE_EQ(s.m_dAxisMax, 0.5);
    s = AutoScale(-1e308, 1e308, false);
    EXPECT_DOUBLE_EQ(s.m_dAxisMin, -0.5);
}

// Data near the largest double asks for axis ends a step beyond it: they
// stay finite (at the data's own end), and the trimming of the top ends.
TEST(AutoScale, DataNearTheLargestDoubleGetsFiniteEnds) {
    const double big = std::numeric_limits<double>::max();
    const std::pair<double, double> ranges[] = {{0.86320936664887393, 1.7e308},
                                                {-1.1581057137040757e308, 0.86320936664887393},
                                                {-1.7e308, -0.5},
                                                {0.0, big},
                                                {-big, 0.0},
                                                {big, big},
                                                {-big, -big}};
    for (auto [a, b] : ranges) {
        CAutoScale s = AutoScale(a, b, false);
        ASSERT_TRUE(std::isfinite(s.m_dAxisMin) && std::isfinite(s.m_dAxisMax)) << a << " " << b;
        EXPECT_LE(s.m_dAxisMin, a) << a << " " << b;
        EXPECT_GE(s.m_dAxisMax, b) << a << " " << b;
        EXPECT_GT(s.m_dLabelSpacing, 0.0);
        EXPECT_LE((s.m_dAxisMax - s.m_dAxisMin) / s.m_dLabelSpacing, 10.0 + 1e-9) << a << " " << b;
    }
    CAutoScale log = AutoScale(1.0, big, true);
    EXPECT_TRUE(std::isfinite(log.m_dAxisMax));
    EXPECT_EQ(log.m_dAxisMax, 1e308);
}

TEST(AutoScale, LogExamples) {
    CAutoScale s = AutoScale(3, 4500, true);
    EXPECT_DOUBLE_EQ(s.m_dAxisMin, 1);
    EXPECT_DOUBLE_EQ(s.m_dAxisMax, 10000);
    EXPECT_DOUBLE_EQ(s.m_dLabelSpacing, 1);
    EXPECT_DOUBLE_EQ(s.m_dTicSpacing, 0.1);

    s = AutoScale(-2, 50, true);
    EXPECT_DOUBLE_EQ(s.m_dAxisMin, 0.1);
    EXPECT_DOUBLE_EQ(s.m_dAxisMax, 100);

    // The bottom stays at least one decade under the top.
    s = AutoScale(500, 600, true);
    EXPECT_DOUBLE_EQ(s.m_dAxisMax, 1000);
    EXPECT_DOUBLE_EQ(s.m_dAxisMin, 100);
}

TEST(AxisScale, SetRangeOfEqualEnds) {
    CAxisScale a;
    a.SetRange(4, 4);
    EXPECT_DOUBLE_EQ(a.m_dAxisMin, 0);
    EXPECT_DOUBLE_EQ(a.m_dAxisMax, 8);
    a.SetRange(-3, -3);
    EXPECT_DOUBLE_EQ(a.m_dAxisMin, -6);
    EXPECT_DOUBLE_EQ(a.m_dAxisMax, 0);
}

TEST(AxisScale, ManualAxisKeepsItsEndsWhileTheDataOverlaps) {
    CAxisScale a;
    a.SetRange(0, 10);
    a.m_bAutoScale = 0;
    a.m_dAxisMin = -1;
    a.m_dAxisMax = 11;
    a.SetRange(5, 20);
    EXPECT_DOUBLE_EQ(a.m_dAxisMin, -1);
    EXPECT_DOUBLE_EQ(a.m_dAxisMax, 11);
    a.SetRange(20, 30);
    EXPECT_DOUBLE_EQ(a.m_dAxisMin, 20);
    EXPECT_DOUBLE_EQ(a.m_dAxisMax, 30);
}

TEST(AxisScale, ExtendRangeReportsAChange) {
    CAxisScale a;
    a.SetRange(0, 10);
    EXPECT_EQ(a.ExtendRange(2, 8), 0);
    EXPECT_DOUBLE_EQ(a.m_dDataMax, 10);
    EXPECT_EQ(a.ExtendRange(0, 20), 1);
    EXPECT_DOUBLE_EQ(a.m_dDataMax, 20);
    EXPECT_DOUBLE_EQ(a.m_dAxisMax, 20);
}

TEST(AxisScale, PowerFollowsLabelSpacingUnlessFixed) {
    CAxisScale a;
    a.SetRange(0, 2e-5);  // labels every 2e-6
    EXPECT_EQ(a.m_nPower, -6);
    a.SetRange(0, 3000);  // labels every 500
    EXPECT_EQ(a.m_nPower, 0);
    a.SetRange(0, 30000);
    EXPECT_EQ(a.m_nPower, 3);
    a.m_bFixedPower = 1;
    a.m_nPower = 0;
    a.SetRange(0, 2e-5);
    EXPECT_EQ(a.m_nPower, 0);

    CAxisScale log;
    log.m_bLog = 1;
    log.SetRange(0.002, 40);
    EXPECT_DOUBLE_EQ(log.m_dAxisMin, 0.001);
    EXPECT_EQ(log.m_nPower, -3);
}

TEST(MakeLabels, TextsDropTrailingZerosUniformly) {
    test::CScriptedPlatform p;
    CLabelArray labels;
    double spacing = 0.25;
    int power = 0;
    MakeLabels(3, labels, spacing, power, false, 0, 1, 1);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"0.00", "0.25", "0.50", "0.75", "1.00"}));
    spacing = 0.5;
    MakeLabels(3, labels, spacing, power, false, 0, 1, 1);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"0.0", "0.5", "1.0"}));
    spacing = 10;
    MakeLabels(0, labels, spacing, power, false, 10, 30, 1);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"10", "20", "30"}));
    spacing = 1;
    MakeLabels(2, labels, spacing, power, false, 0, 2, 1);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_DOUBLE_EQ(labels[2].m_dValue, 2);
    EXPECT_TRUE(p.messages.empty());
}

TEST(MakeLabels, TheLabelNearZeroIsZeroAndTheLastOneIsKept) {
    test::CScriptedPlatform p;
    CLabelArray labels;
    double spacing = 0.1;
    int power = 0;
    MakeLabels(3, labels, spacing, power, false, -0.4, 0.4, 1);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"-0.4", "-0.3", "-0.2", "-0.1", "0.0", "0.1", "0.2", "0.3",
                                                       "0.4"}));
    EXPECT_EQ(labels[4].m_dValue, 0.0);
}

TEST(MakeLabels, PowersOfTen) {
    test::CScriptedPlatform p;
    CLabelArray labels;
    double spacing = 1e6;
    int power = 6;
    MakeLabels(3, labels, spacing, power, false, 0, 3e6, 1);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"0", "1", "2", "3"}));
    EXPECT_EQ(power, 6);
    // Powers -3 to -1 are not shown: the labels carry the value and the
    // power becomes 0 (so no title suffix follows).
    spacing = 0.001;
    power = -3;
    MakeLabels(3, labels, spacing, power, false, 0, 0.003, 1);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"0.000", "0.001", "0.002", "0.003"}));
    EXPECT_EQ(power, 0);
    // The multiplier scales the texts (the part of a power carried by a unit).
    spacing = 0.001;
    power = -3;
    MakeLabels(3, labels, spacing, power, false, 0, 0.002, 1000);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"0", "1", "2"}));
}

TEST(MakeLabels, TooManyLabelsGiveTen) {
    test::CScriptedPlatform p;
    CLabelArray labels;
    double spacing = 1;
    int power = 0;
    MakeLabels(1, labels, spacing, power, false, 0, 101, 1);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "Label increment results in too many labels.\nTen labels will be made.");
    EXPECT_EQ(p.messages[0].buttons, MsgButtons::Ok);
    EXPECT_DOUBLE_EQ(spacing, 10.1);
    EXPECT_EQ(labels.GetSize(), 11);

    // 100 steps are still allowed.
    p.messages.clear();
    spacing = 1;
    MakeLabels(0, labels, spacing, power, false, 0, 100, 1);
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(labels.GetSize(), 101);
}

TEST(MakeLabels, NoLabelsForUnusableSpacing) {
    test::CScriptedPlatform p;
    CLabelArray labels;
    double spacing = 0;
    int power = 0;
    MakeLabels(3, labels, spacing, power, false, 0, 1, 1);
    EXPECT_EQ(labels.GetSize(), 0);
    spacing = 1;
    MakeLabels(3, labels, spacing, power, false, 1, 0, 1);
    EXPECT_EQ(labels.GetSize(), 0);
    EXPECT_TRUE(p.messages.empty());
}

TEST(MakeLabels, LogLabelsNameTheirDecade) {
    test::CScriptedPlatform p;
    CLabelArray labels;
    double spacing = 1;
    int power = 0;
    MakeLabels(3, labels, spacing, power, true, 1, 1000, 1);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"1.0E+0", "1.0E+1", "1.0E+2", "1.0E+3"}));
    spacing = 2;
    MakeLabels(3, labels, spacing, power, true, 1, 10000, 1);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"1.0E+0", "1.0E+2", "1.0E+4"}));
    spacing = 1;
    MakeLabels(3, labels, spacing, power, true, 0.001, 0.1, 1);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"1.0E-3", "1.0E-2", "1.0E-1"}));
    EXPECT_NEAR(labels[2].m_dValue, 0.1, 1e-15);
}

TEST(CountLabels, Cases) {
    EXPECT_EQ(CountLabels(false, 0, 1, 0), 0);
    EXPECT_EQ(CountLabels(false, 0, 1, 0.25), 4);
    EXPECT_EQ(CountLabels(false, 0, 0, 1), 2);
    EXPECT_EQ(CountLabels(true, 1, 1000, 10), 3);
}

TEST(GridSpacing, OnTicMarksLimitsTheLines) {
    test::CScriptedPlatform p;
    double s = 0;
    EXPECT_TRUE(GridSpacing(false, 10, 0.5, CAxisScale::GridOnTics, s));
    EXPECT_DOUBLE_EQ(s, 5);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "Tic increment will result in too many tics.\nTwo tics per label will be made.");
    EXPECT_TRUE(GridSpacing(false, 10, 1, CAxisScale::GridOnTics, s));
    EXPECT_DOUBLE_EQ(s, 1);
    EXPECT_TRUE(GridSpacing(false, 10, 1, CAxisScale::GridOnLabels, s));
    EXPECT_DOUBLE_EQ(s, 10);
    EXPECT_FALSE(GridSpacing(false, 10, 1, CAxisScale::GridNone, s));
    EXPECT_FALSE(GridSpacing(false, 10, 1, CAxisScale::GridOnZero, s));
    // A log axis has its own tic rule and shows no message.
    EXPECT_TRUE(GridSpacing(true, 1, 0.1, CAxisScale::GridOnTics, s));
    EXPECT_EQ(p.messages.size(), 1u);
}

TEST(AxisValues, Linear) {
    std::vector<double> v = AxisValues(false, -0.4, 0.4, 0.1);
    ASSERT_EQ(v.size(), 9u);
    EXPECT_NEAR(v.back(), 0.4, 1e-12);
    EXPECT_TRUE(AxisValues(false, 0, 1, 0).empty());
    // A spacing too small to move the value ends the walk instead of hanging.
    EXPECT_EQ(AxisValues(false, 1e20, 1e20 + 1e6, 1).size(), 1u);
}

TEST(AxisValues, LogTicsStepInsideEachDecade) {
    std::vector<double> v = AxisValues(true, 1, 1000, 0.1);
    std::vector<double> expected;
    for (double d : {1.0, 10.0, 100.0})
        for (int k = 1; k <= 9; ++k) expected.push_back(k * d);
    expected.push_back(1000);
    ASSERT_EQ(v.size(), expected.size());
    for (size_t i = 0; i < v.size(); ++i) EXPECT_NEAR(v[i], expected[i], 1e-9 * expected[i]) << i;

    v = AxisValues(true, 1, 10000, 1);
    EXPECT_EQ(v, (std::vector<double>{1, 10, 100, 1000, 10000}));
    v = AxisValues(true, 1, 10000, 2);
    EXPECT_EQ(v, (std::vector<double>{1, 100, 10000}));
    // No value on a log axis for ends at or below zero.
    EXPECT_TRUE(AxisValues(true, 0, 100, 0.1).empty());
}

}  // namespace
}  // namespace kv
