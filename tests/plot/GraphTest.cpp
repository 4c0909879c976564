#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>

#include "app/CKalvoraDoc.h"
#include "data/CTitles.h"
#include "plot/CGraphOptions.h"
#include "plot/GraphFixture.h"
#include "plot/PlotCommands.h"

namespace kv {
namespace {

using test::CGraphFixture;

double Sine(int i) { return std::sin(i * 0.05); }
double Cosine(int i) { return std::cos(i * 0.05); }

TEST(Graph, OpeningChoosesTheTypeFromTheData) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 100, 1000.0, Sine);
    f.graph.Attach(f.data, 0, 0);
    EXPECT_EQ(f.graph.m_nType, PLOT_INPHASE);
    EXPECT_EQ(f.graph.m_bDb, 0);
    EXPECT_EQ(f.graph.m_bBaseAtZero, 1);
    EXPECT_EQ(f.graph.m_pTitles, &f.data.m_Format.m_Titles);

    CGraphFixture c;
    test::MakeTimeData(c.data, 100, 1000.0, Sine, Cosine);
    c.graph.Attach(c.data, 0, 0);
    EXPECT_EQ(c.graph.m_nType, PLOT_I_AND_Q);

    CGraphFixture q;
    test::MakeFreqData(q.data, 64, 1000.0, [](int i) { return 1.0 / (1 + i); }, Cosine, false);
    q.graph.Attach(q.data, 0, 0);
    EXPECT_EQ(q.graph.m_nType, PLOT_MAGNITUDE);
    EXPECT_EQ(q.graph.m_bDb, 1);
    EXPECT_EQ(q.graph.m_bBaseAtZero, 0);
    q.Paint();
    EXPECT_EQ(q.graph.m_strYTitle, "Complex Power in dB");
    EXPECT_EQ(q.graph.GetStyle(), STYLE_VERTICAL_LINE);
}

TEST(Graph, HintsCarryTypeAndStyle) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 100, 1000.0, Sine, Cosine);
    f.graph.OnUpdate(nullptr, HINT_PLOT_OPENED + 16 * 5 + 4096 * 2, &f.data);
    EXPECT_EQ(f.graph.m_nType, PLOT_PHASE);
    EXPECT_EQ(f.graph.m_nStyle, STYLE_DOT);
    // Once chosen, the type stays for later notifications.
    f.graph.OnUpdate(nullptr, HINT_PLOT_OPENED + 16 * 1, &f.data);
    EXPECT_EQ(f.graph.m_nType, PLOT_PHASE);
    // A redraw-all notification changes nothing but the data.
    f.graph.OnUpdate(nullptr, HINT_REDRAW_ALL, nullptr);
    EXPECT_EQ(f.graph.m_pSource, &f.data);

    // The preference "Histogram" shows the default type as a histogram.
    CGraphFixture h;
    test::MakeTimeData(h.data, 100, 1000.0, Sine);
    h.graph.OnUpdate(nullptr, HINT_PLOT_OPENED + 16 * 7, &h.data);
    EXPECT_EQ(h.graph.m_nType, PLOT_INPHASE);
    EXPECT_EQ(h.graph.m_bHistogram, 1);
    h.Paint();
    EXPECT_EQ(h.graph.m_strYTitle, "Number of Samples");

    // Code 8 in the low bits resets the graph.
    h.graph.OnUpdate(nullptr, 8, nullptr);
    EXPECT_EQ(h.graph.m_pSource, nullptr);
    EXPECT_EQ(h.graph.m_nType, PLOT_NONE);
    EXPECT_FALSE(h.graph.HasData());
}

TEST(Graph, RealnessChangesSwitchTheType) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 100, 1000.0, Sine);
    f.graph.Attach(f.data, 0, 0);
    ASSERT_EQ(f.graph.m_nType, PLOT_INPHASE);
    test::MakeTimeData(f.data, 100, 1000.0, Sine, Cosine);
    f.graph.OnUpdate(nullptr, HINT_DATA_CHANGED, &f.data);
    EXPECT_EQ(f.graph.m_nType, PLOT_I_AND_Q);
    f.graph.SetType(PLOT_PHASE);
    test::MakeTimeData(f.data, 100, 1000.0, Sine);
    f.graph.OnUpdate(nullptr, HINT_DATA_CHANGED, &f.data);
    EXPECT_EQ(f.graph.m_nType, PLOT_INPHASE);
}

TEST(Graph, TypeCommandsAreEnabledByTheData) {
    CGraphFixture f;
    EXPECT_FALSE(f.Enabled(ID_PLOT_INPHASE));
    EXPECT_TRUE(f.Enabled(ID_PLOT_MAGNITUDE));
    EXPECT_FALSE(f.Enabled(ID_PLOT_QUADRATURE));
    EXPECT_FALSE(f.Enabled(ID_PLOT_X_AXIS));
    EXPECT_FALSE(f.Enabled(ID_PLOT_COPY_DATA));
    test::MakeTimeData(f.data, 100, 1000.0, Sine);
    f.graph.Attach(f.data, 0, 0);
    EXPECT_TRUE(f.Enabled(ID_PLOT_INPHASE));
    EXPECT_EQ(f.Checked(ID_PLOT_INPHASE), 1);
    EXPECT_FALSE(f.Enabled(ID_PLOT_POLAR));
    EXPECT_TRUE(f.Enabled(ID_PLOT_PROPERTIES));
    EXPECT_TRUE(f.Enabled(ID_PLOT_WRITE_DATA));
    test::MakeTimeData(f.data, 100, 1000.0, Sine, Cosine);
    f.graph.OnUpdate(nullptr, HINT_DATA_CHANGED, &f.data);
    for (int id : {ID_PLOT_QUADRATURE, ID_PLOT_I_AND_Q, ID_PLOT_PHASE, ID_PLOT_POLAR}) EXPECT_TRUE(f.Enabled(id));
    f.graph.OnCommand(ID_PLOT_POLAR);
    EXPECT_EQ(f.graph.m_nType, PLOT_POLAR);
    EXPECT_FALSE(f.Enabled(ID_PLOT_HISTOGRAM));
    EXPECT_EQ(f.Checked(ID_PLOT_POLAR), 1);
    EXPECT_EQ(f.Checked(ID_PLOT_I_AND_Q), 0);
}

TEST(Graph, PolarAsksBeforeDroppingZoomLevels) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 1000, 1000.0, Sine, Cosine);
    f.graph.Attach(f.data, 0, 0);
    f.Paint();
    f.Drag(f.At(0.2, 0.8), f.At(0.6, 0.2));
    f.Paint();
    ASSERT_EQ(f.graph.m_ZoomList.GetCount(), 1);

    f.platform.AnswerNo();
    f.graph.OnCommand(ID_PLOT_POLAR);
    EXPECT_EQ(f.platform.messages.back().text,
              "Changing to Polar mode will reset all zoom levels.\nDo you want to change to Polar Mode?");
    EXPECT_EQ(f.platform.messages.back().icon, MsgIcon::Question);
    EXPECT_EQ(f.graph.m_nType, PLOT_I_AND_Q);
    EXPECT_EQ(f.graph.m_ZoomList.GetCount(), 1);

    f.platform.AnswerYes();
    f.graph.OnCommand(ID_PLOT_POLAR);
    EXPECT_EQ(f.graph.m_nType, PLOT_POLAR);
    EXPECT_TRUE(f.graph.m_ZoomList.IsEmpty());
    EXPECT_EQ(f.data.m_nStart, 0);
    EXPECT_EQ(f.data.m_nStop, 999);

    f.Paint();
    f.Drag(f.At(0.2, 0.8), f.At(0.6, 0.2));
    f.Paint();
    ASSERT_FALSE(f.graph.m_ZoomList.IsEmpty());
    f.platform.AnswerYes();
    f.graph.OnCommand(ID_PLOT_INPHASE);
    EXPECT_EQ(f.platform.messages.back().text,
              "Changing out of Polar mode will reset all zoom levels.\nDo you want to change out of Polar Mode?");
    EXPECT_EQ(f.graph.m_nType, PLOT_INPHASE);
    EXPECT_TRUE(f.graph.m_ZoomList.IsEmpty());
}

TEST(Graph, PolarRangesHaveEqualSpans) {
    CGraphFixture f;
    const double is[] = {-1, 1, 0, 0, 0.5, -0.5};
    const double qs[] = {0, 0, -0.1, 0.1, 0.05, -0.05};
    test::MakeTimeData(f.data, 6, 1.0, [&](int i) { return is[i]; }, [&](int i) { return qs[i]; });
    f.graph.Attach(f.data, 6, 0);
    ASSERT_EQ(f.graph.m_nType, PLOT_POLAR);
    f.Paint();
    EXPECT_DOUBLE_EQ(f.graph.m_XAxis.m_dDataMin, -1);
    EXPECT_DOUBLE_EQ(f.graph.m_XAxis.m_dDataMax, 1);
    EXPECT_DOUBLE_EQ(f.graph.m_YAxis.m_dDataMin, -0.1);
    EXPECT_DOUBLE_EQ(f.graph.m_YAxis.m_dDataMax, 1.9);
    EXPECT_EQ(f.graph.m_strXTitle.substr(0, 7), "Inphase");
    EXPECT_EQ(f.graph.m_strYTitle, "Quadrature");
    double unitX = f.graph.m_nPlotWidth / (f.graph.m_dXMax - f.graph.m_dXMin);
    double unitY = f.graph.m_nPlotHeight / (f.graph.m_dYMax - f.graph.m_dYMin);
    EXPECT_NEAR(unitX, unitY, 1.0);
    // Each plotted point is an actual sample.
    ASSERT_EQ(f.graph.m_Traces.GetColumnCount(), 2);
    for (int i = 0; i < f.graph.m_XColumn.GetSize(); ++i) {
        int n = f.data.ValueToIndex(f.graph.m_XColumn[i]);
        EXPECT_DOUBLE_EQ(f.graph.m_Traces.GetColumn(0)[i], is[n]);
        EXPECT_DOUBLE_EQ(f.graph.m_Traces.GetColumn(1)[i], qs[n]);
    }
    // Log axes are switched off for polar plots.
    f.graph.m_YAxis.m_bLog = 1;
    f.graph.ApplyYAxis();
    f.graph.Refresh();
    f.Paint();
    EXPECT_TRUE(f.platform.SawMessage("Log mode will be turned off for Polar Plot."));
    EXPECT_EQ(f.graph.m_YAxis.m_bLog, 0);
    EXPECT_EQ(f.graph.m_bYLog, 0);
}

TEST(Graph, PolarPointsOfLongSignalsLieOnTheSignal) {
    CGraphFixture f;
    const int n = 100000;
    test::MakeTimeData(f.data, n, 1e6, [](int i) { return std::cos(i * 0.001); },
                       [](int i) { return std::sin(i * 0.001); });
    f.graph.Attach(f.data, 6, 0);
    f.Paint();
    ASSERT_GT(f.graph.m_XColumn.GetSize(), 1000);
    ASSERT_LE(f.graph.m_XColumn.GetSize(), 4096);
    for (int i = 0; i < f.graph.m_XColumn.GetSize(); ++i) {
        double re = f.graph.m_Traces.GetColumn(0)[i];
        double im = f.graph.m_Traces.GetColumn(1)[i];
        ASSERT_NEAR(re * re + im * im, 1.0, 1e-9);
    }
}

TEST(Graph, LogFrequencyAxisStartsAtHalfTheLineSpacing) {
    CGraphFixture f;
    test::MakeFreqData(f.data, 2048, 2048.0, [](int i) { return 1.0 / (1 + i); });
    f.graph.Attach(f.data, 0, 0);
    f.graph.m_XAxis.m_bLog = 1;
    f.graph.ApplyXAxis();
    f.graph.Refresh();
    f.Paint();
    EXPECT_DOUBLE_EQ(f.graph.m_XAxis.m_dDataMin, 0.1);  // decade of half of 1 Hz
    EXPECT_DOUBLE_EQ(f.graph.m_dXMin, 0.1);
    EXPECT_DOUBLE_EQ(f.graph.m_dXMax, 10000);
    // Without integer reduction: pixel groups of variable spacing.
    EXPECT_EQ(f.graph.m_strXTitle, "Frequency in Hz (Variable Spacing)");
    EXPECT_EQ(f.graph.m_nSamplesPerPoint, 0);
}

TEST(Graph, ClickingAPointTwiceShowsItsSample) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 100, 1000.0, [](int i) { return i * 0.01; });
    f.graph.Attach(f.data, 0, 0);
    f.Paint();
    ASSERT_EQ(f.graph.m_nSamplesPerPoint, 1);
    CPoint p10{f.graph.XToPixel(0.010), f.At(0, 0.5).y};
    CPoint p50{f.graph.XToPixel(0.050), f.At(0, 0.5).y};
    f.Click(p10);
    f.Click(p50);
    EXPECT_EQ(f.Status(), "X=50.000E-3, Y=0.500, Width=1.000E-3 sec, Max Bin=50");
    f.Click(p50);
    EXPECT_EQ(f.Status(), "Bin 50: I=0.500, Q=0.000, Mag=0.50, Phase=0.000 deg");
    f.Click(p50);
    EXPECT_EQ(f.Status().substr(0, 12), "X=50.000E-3,");
}

TEST(Graph, ReadoutsOfTwoTracesAndOfDecibels) {
    CGraphFixture f;
    test::MakeFreqData(f.data, 16, 16.0, [](int i) { return i == 3 ? 0.5 : 0.0; },
                       [](int i) { return i == 3 ? 0.5 : 0.0; }, false);
    f.graph.Attach(f.data, 3, 0);  // I and Q
    f.Paint();
    CPoint p{f.graph.XToPixel(3), f.graph.YToPixel(0.5)};
    f.Click(p);
    f.Click(p);  // whatever the memory held, one of these is the point readout
    f.Click(CPoint{f.graph.XToPixel(-2), f.graph.YToPixel(0)});
    f.Click(p);
    EXPECT_EQ(f.Status(), "X=3.000, Y1=0.500, Y2=0.500, Width=1.000 Hz, Max Bin=3");
    f.Click(p);
    // Frequency Data with dB: the magnitude in decibels with the dB label.
    EXPECT_EQ(f.Status(), "Bin 3: I=0.500, Q=0.500, Mag=-3.01 dB, Phase=45.000 deg");
}

TEST(Graph, HistogramTitlesAndBins) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 1000, 1000.0, Sine, Cosine);
    f.data.m_strName = "Test Signal";
    f.graph.Attach(f.data, 5, 0);  // phase
    f.graph.OnCommand(ID_PLOT_HISTOGRAM);
    EXPECT_EQ(f.Checked(ID_PLOT_HISTOGRAM), 1);
    f.Paint();
    EXPECT_EQ(f.graph.m_strXTitle, "Complex Phase in Degrees");
    EXPECT_EQ(f.graph.m_strYTitle, "Number of Samples");
    EXPECT_EQ(f.graph.m_strMainTitle, "Histogram of Test Signal");
    EXPECT_EQ(f.graph.GetStyle(), STYLE_BAR);
    EXPECT_EQ(f.graph.m_Histogram.m_nBins, 11);
    double total = 0;
    for (int i = 0; i < f.graph.m_XColumn.GetSize(); ++i) total += f.graph.m_Traces.GetColumn(0)[i];
    EXPECT_DOUBLE_EQ(total, 1000);

    f.graph.m_Histogram.m_nBins = 20;
    std::vector<int> bins;
    for (int i = 0; i < 6; ++i) {
        f.graph.OnMouseWheel(-120, false, true, f.At(0.5, 0.5));
        bins.push_back(f.graph.m_Histogram.m_nBins);
    }
    EXPECT_EQ(bins, (std::vector<int>{16, 12, 9, 7, 5, 5}));
    EXPECT_EQ(f.graph.m_Histogram.m_bAutoBins, 0);
    f.graph.OnMouseWheel(120, false, true, f.At(0.5, 0.5));
    EXPECT_EQ(f.graph.m_Histogram.m_nBins, 6);

    // Off again: the signal with automatic titles.
    f.graph.OnCommand(ID_PLOT_HISTOGRAM);
    f.Paint();
    EXPECT_EQ(f.graph.m_strYTitle, "Complex Phase in Degrees");
    EXPECT_EQ(f.graph.m_Histogram.GetCount(), 0);
}

TEST(Graph, HistogramFollowsTheType) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 1000, 1000.0, Sine, [](int) { return 0.25; });
    f.graph.Attach(f.data, 1, 0);
    f.graph.ToggleHistogram();
    f.graph.SetType(PLOT_QUADRATURE);
    f.Paint();
    // The constant Q values all fall into one bin.
    double total = 0, biggest = 0;
    const CDataColumn& counts = f.graph.m_Traces.GetColumn(0);
    for (int i = 0; i < counts.GetSize(); ++i) {
        total += counts[i];
        biggest = std::max(biggest, counts[i]);
    }
    EXPECT_DOUBLE_EQ(total, 1000);
    EXPECT_DOUBLE_EQ(biggest, 1000);
    // Histogram x values carry no time unit.
    EXPECT_EQ(f.graph.m_strXTitle.find("sec"), std::string::npos);
}

TEST(Graph, ReductionGroupSizes) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 1001, 1.0, Sine);
    f.graph.Attach(f.data, 0, 0);
    f.graph.ComputeRanges();
    f.graph.m_dXMin = 0;
    f.graph.m_dXMax = 1000;
    int w = 300;
    f.graph.SetUpReduction(w);
    EXPECT_EQ(w, 286);
    EXPECT_NEAR(f.graph.m_dReductionRatio, 3.4965, 1e-4);
    EXPECT_EQ(f.graph.m_nSamplesPerPoint, 0);
    f.graph.m_bIntegerReduction = 1;
    w = 300;
    f.graph.SetUpReduction(w);
    EXPECT_EQ(w, 250);
    EXPECT_EQ(f.graph.m_nSamplesPerPoint, 4);
    EXPECT_DOUBLE_EQ(f.graph.m_dReductionRatio, 0);
    // Fewer samples than pixels: one point per sample.
    w = 2000;
    f.graph.SetUpReduction(w);
    EXPECT_EQ(w, 2000);
    EXPECT_EQ(f.graph.m_nSamplesPerPoint, 1);
}

TEST(Graph, ReductionNotes) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 200, 1000.0, Sine);
    f.graph.Attach(f.data, 0, 0);
    f.Paint();
    EXPECT_EQ(f.graph.m_nSamplesPerPoint, 1);
    EXPECT_EQ(f.graph.m_strXTitle, "Time in ms");
    EXPECT_EQ(f.graph.m_XColumn.GetSize(), 200);

    f.graph.m_pShown = &f.data;
    f.graph.m_strXTitle = "Time in ms";
    f.graph.m_dReductionRatio = 3.5;
    f.graph.NoteReduction();
    EXPECT_EQ(f.graph.m_strXTitle, "Time in ms (3.5:1, Peak Mode)");
    EXPECT_EQ(f.data.m_Format.m_Titles.m_strX, "Time in ms (3.5:1, Peak Mode)");
    f.graph.m_strXTitle = "Time in ms";
    f.graph.m_dReductionRatio = 0;
    f.graph.m_nSamplesPerPoint = 4;
    f.graph.NoteReduction();
    EXPECT_EQ(f.graph.m_strXTitle, "Time in ms (4:1, Peak Mode)");
    f.graph.m_bAutoTitles = 0;
    f.graph.m_strXTitle = "Mine";
    f.graph.NoteReduction();
    EXPECT_EQ(f.graph.m_strXTitle, "Mine");

    CGraphFixture q;
    test::MakeFreqData(q.data, 400, 512.0, Sine, {}, true, 1);  // kHz, 1.28 Hz lines
    q.graph.Attach(q.data, 0, 0);
    q.Paint();
    EXPECT_EQ(q.graph.m_nSamplesPerPoint, 1);
    EXPECT_EQ(q.graph.m_strXTitle, "Frequency in kHz (Line Spacing = 1.280)");
    q.graph.m_strXTitle = "Frequency in Hz";
    q.graph.m_nSamplesPerPoint = 4;
    q.graph.NoteReduction();
    EXPECT_EQ(q.graph.m_strXTitle, "Frequency in Hz (Line Spacing = 5.120, Sum Mode)");
    q.graph.m_strXTitle = "Frequency in Hz";
    q.graph.m_nSamplesPerPoint = 0;
    q.graph.m_dReductionRatio = 4;
    q.graph.NoteReduction();
    EXPECT_EQ(q.graph.m_strXTitle, "Frequency in Hz (4.0:1, Sum Mode)");
}

// The groups of a reduction: first sample of each point, from the counts.
std::vector<int> GroupStarts(const CGraph& g, int first) {
    std::vector<int> starts;
    int s = first;
    for (int32_t c : g.m_PointCounts) {
        starts.push_back(s);
        s += c;
    }
    return starts;
}

TEST(Graph, SumModeKeepsThePowerOfEachGroup) {
    CGraphFixture f;
    auto re = [](int i) { return 0.001 * (i % 17) + (i == 1000 ? 3.0 : 0.0); };
    auto im = [](int i) { return 0.002 * (i % 5); };
    test::MakeFreqData(f.data, 8192, 8192.0, re, im, true);  // 4096 lines shown
    f.graph.Attach(f.data, 4, 0);                             // magnitude
    f.graph.m_bDb = 0;
    f.Paint();
    const CGraph& g = f.graph;
    ASSERT_GT(g.m_dReductionRatio, 1);
    ASSERT_LE(g.m_XColumn.GetSize(), 512);
    int total = 0;
    for (int32_t c : g.m_PointCounts) total += c;
    EXPECT_EQ(total, 4096);
    std::vector<int> starts = GroupStarts(g, 0);
    const CDataColumn& values = g.m_Traces.GetColumn(0);
    for (size_t p = 0; p < starts.size(); ++p) {
        double sum = 0, peak = -1;
        int peakAt = 0;
        for (int i = starts[p]; i < starts[p] + g.m_PointCounts[p]; ++i) {
            double power = re(i) * re(i) + im(i) * im(i);
            sum += power;
            if (power > peak) {
                peak = power;
                peakAt = i;
            }
        }
        ASSERT_NEAR(values[static_cast<int>(p)], std::sqrt(sum), 1e-12) << p;
        ASSERT_DOUBLE_EQ(g.m_XColumn[static_cast<int>(p)], f.data.IndexToValue(peakAt)) << p;
    }
    const std::string& title = g.m_strXTitle;
    EXPECT_EQ(title.substr(title.size() - 11), ", Sum Mode)");
    EXPECT_EQ(title.substr(0, 17), "Frequency in Hz (");

    // In dB: the decibels of the summed power.
    f.graph.m_bDb = 1;
    f.graph.Refresh();
    f.Paint();
    std::vector<int> dbStarts = GroupStarts(g, 0);
    double sum = 0;
    for (int i = dbStarts[0]; i < dbStarts[0] + g.m_PointCounts[0]; ++i) sum += re(i) * re(i) + im(i) * im(i);
    EXPECT_NEAR(g.m_Traces.GetColumn(0)[0], f.data.ToDb(sum, true), 1e-9);

    // Inphase of the same data: peaks, but the note still names the option.
    f.graph.SetType(PLOT_INPHASE);
    f.Paint();
    std::vector<int> peakStarts = GroupStarts(g, 0);
    for (size_t p = 0; p < peakStarts.size(); ++p) {
        double best = -1;
        for (int i = peakStarts[p]; i < peakStarts[p] + g.m_PointCounts[p]; ++i) best = std::max(best, std::fabs(re(i)));
        ASSERT_DOUBLE_EQ(std::fabs(g.m_Traces.GetColumn(0)[static_cast<int>(p)]), best) << p;
    }
    EXPECT_EQ(g.m_strXTitle.substr(g.m_strXTitle.size() - 11), ", Sum Mode)");
}

TEST(Graph, EqualPeaksKeepTheFirst) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 5000, 1.0, [](int i) { return (i % 4 == 1 || i % 4 == 3) ? 1.0 : 0.0; });
    f.graph.Attach(f.data, 1, 0);
    f.Paint();
    const CGraph& g = f.graph;
    ASSERT_GT(g.m_dReductionRatio, 1);
    std::vector<int> starts = GroupStarts(g, 0);
    for (size_t p = 0; p < starts.size(); ++p) {
        int first = starts[p];
        while (first % 4 != 1 && first % 4 != 3) ++first;
        ASSERT_DOUBLE_EQ(g.m_XColumn[static_cast<int>(p)], first) << p;
    }
}

TEST(Graph, DecorationsSurviveRepaintsWithoutRebuild) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 5000, 1000.0, [](int i) { return 2e6 * std::sin(i * 0.01); });
    f.graph.Attach(f.data, 1, 0);
    f.Paint();
    std::string x = f.graph.m_strXTitle;
    std::string y = f.graph.m_strYTitle;
    EXPECT_NE(x.find(":1, Peak Mode)"), std::string::npos);
    EXPECT_EQ(y, "Inphase Amplitude * 10^3");
    f.graph.OnCommand(ID_STYLE_DOT);  // repaint without rebuild
    f.Paint();
    EXPECT_EQ(f.graph.m_strXTitle, x);
    EXPECT_EQ(f.graph.m_strYTitle, y);
    EXPECT_TRUE(f.last->HasText(x));

    // The Titles dialog shows the titles without the additions.
    f.platform.OnDialog<CTitles>([&](CTitles& d) {
        EXPECT_EQ(d.GetDlgItemText(CTitles::IDC_Y_TITLE), "Inphase Amplitude");
        EXPECT_EQ(d.GetDlgItemText(CTitles::IDC_X_TITLE), "Time in sec");
        d.SimulateText(CTitles::IDC_MAIN_TITLE, "My Plot");
        d.SimulateClick(IDOK);
    });
    f.graph.OnCommand(ID_PLOT_TITLES);
    EXPECT_EQ(f.graph.m_bAutoTitles, 0);
    f.Paint();
    EXPECT_EQ(f.graph.m_strMainTitle, "My Plot");
    EXPECT_EQ(f.graph.m_strYTitle, "Inphase Amplitude * 10^3");
    EXPECT_EQ(f.graph.m_strXTitle, "Time in sec");  // no note without Auto Titles
    EXPECT_TRUE(f.last->HasText("My Plot"));
}

TEST(Graph, PropertiesDialogRoundTrip) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 100, 1000.0, Sine);
    f.graph.Attach(f.data, 0, 0);
    f.Paint();
    f.platform.OnDialog<CGraphOptions>([](CGraphOptions& d) {
        EXPECT_EQ(d.IsDlgButtonChecked(CGraphOptions::IDC_DB), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(CGraphOptions::IDC_ORIGIN_ZERO), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CGraphOptions::IDC_AUTO_TITLES), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CGraphOptions::IDC_LEGEND), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CGraphOptions::IDC_SUM_MODE), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CGraphOptions::IDC_FULL_DECADE), 1);
        EXPECT_EQ(d.GetDlgItemText(CGraphOptions::IDC_NUM_BINS), "17");
        EXPECT_FALSE(d.Control(CGraphOptions::IDC_NUM_BINS).m_bEnabled);
        d.SimulateClick(CGraphOptions::IDC_ORIGIN_ZERO);
        d.SimulateClick(CGraphOptions::IDC_INTEGER_REDUCTION);
        d.SimulateClick(IDOK);
    });
    f.graph.OnCommand(ID_PLOT_PROPERTIES);
    EXPECT_EQ(f.graph.m_bBaseAtZero, 0);
    EXPECT_EQ(f.graph.m_bIntegerReduction, 1);
    EXPECT_EQ(f.graph.m_bResetScaling, 1);
    EXPECT_EQ(f.graph.m_XColumn.GetSize(), 0);

    f.platform.CancelDialog();
    f.graph.OnCommand(ID_PLOT_PROPERTIES);
    EXPECT_EQ(f.graph.m_bIntegerReduction, 1);
}

TEST(Graph, TopLevelWidensForLongerData) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 1000, 1000.0, Sine);
    f.graph.Attach(f.data, 0, 0);
    f.Paint();
    f.Drag(f.At(0.2, 0.9), f.At(0.5, 0.1));
    f.Paint();
    ASSERT_EQ(f.graph.m_ZoomList.GetCount(), 1);
    test::MakeTimeData(f.data, 3000, 1000.0, Sine);
    f.graph.OnUpdate(nullptr, HINT_DATA_CHANGED, &f.data);
    ASSERT_EQ(f.graph.m_ZoomList.GetCount(), 2);
    EXPECT_NEAR(f.graph.m_ZoomList.At(0).m_dXMax, 2.999, 1e-9);
    EXPECT_GE(f.graph.m_ZoomList.At(0).m_XAxis.m_dAxisMax, 2.999);
    // The same data again needs no wider level.
    f.graph.OnUpdate(nullptr, HINT_DATA_CHANGED, &f.data);
    EXPECT_EQ(f.graph.m_ZoomList.GetCount(), 2);
    // With the reset bit the levels go.
    f.graph.OnUpdate(nullptr, HINT_DATA_CHANGED + HINT_RESET_ZOOM, &f.data);
    EXPECT_TRUE(f.graph.m_ZoomList.IsEmpty());
}

TEST(Graph, DocumentNotificationsAttachTheView) {
    test::CScriptedPlatform p;
    p.intSettings[{"Preferences", "TimePlotStyle"}] = 7;
    auto doc = std::make_unique<CKalvoraDoc>();
    CGraph graph;
    doc->AddView(graph);
    test::MakeTimeData(doc->m_TimeData, 300, 1000.0, Sine);
    doc->OpenPlot(1, false, doc->m_TimeData);
    EXPECT_EQ(graph.m_pSource, &doc->m_TimeData);
    EXPECT_EQ(graph.m_nType, PLOT_INPHASE);
    EXPECT_EQ(graph.m_nStyle, STYLE_STAIR);
    test::CRecordingSurface dc(500, 400);
    graph.Paint(dc);
    EXPECT_EQ(graph.m_strMainTitle, "Generated Sine");
    // Frequency Data notifications do not concern this graph.
    doc->UpdateViews(HINT_DATA_CHANGED, &doc->m_FreqData);
    EXPECT_EQ(graph.m_pSource, &doc->m_TimeData);
    // A graph that outlives its document draws nothing.
    doc.reset();
    EXPECT_FALSE(graph.HasData());
    test::CRecordingSurface after(500, 400);
    graph.Paint(after);
    EXPECT_TRUE(after.calls.empty());
}

TEST(Graph, EmptyDataDrawsNothing) {
    CGraphFixture f;
    f.data.Reset();
    f.graph.Attach(f.data, 0, 0);
    EXPECT_FALSE(f.graph.HasData());
    f.graph.ToggleHistogram();
    EXPECT_TRUE(f.Paint().calls.empty());
    f.graph.OnMouseWheel(-120, false, true, CPoint{10, 10});
    f.Click(CPoint{100, 100});
    EXPECT_TRUE(f.graph.m_ZoomList.IsEmpty());
}

TEST(Graph, TraceColoursAndLegend) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 100, 1000.0, Sine, Cosine);
    f.graph.Attach(f.data, 3, 0);
    auto& dc = f.Paint();
    ASSERT_EQ(f.graph.m_Traces.GetColumnCount(), 2);
    EXPECT_EQ(f.graph.m_Traces.GetColumn(0).m_strName, "I");
    EXPECT_EQ(f.graph.m_Traces.GetColumn(1).m_strName, "Q");
    EXPECT_FALSE(dc.LinesInColor(Rgb(255, 0, 0)).empty());
    EXPECT_FALSE(dc.LinesInColor(Rgb(0, 0, 255)).empty());
    EXPECT_TRUE(dc.HasText("I"));
    f.graph.SetType(PLOT_QUADRATURE);
    auto& q = f.Paint();
    EXPECT_TRUE(q.LinesInColor(Rgb(255, 0, 0)).empty());
    EXPECT_FALSE(q.LinesInColor(Rgb(0, 0, 255)).empty());
    EXPECT_FALSE(q.HasText("Q"));
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// Every point stands for a run of samples in one pixel column; neighbouring
// points lie in different columns, and the point is the run's largest sample.
void ExpectPixelRuns(const CGraph& g, const CKalvoData& d, int component) {
    int first = d.m_nStart;
    int i = first;
    int previousPixel = INT_MIN;
    ASSERT_EQ(static_cast<int>(g.m_PointCounts.size()), g.m_XColumn.GetSize());
    for (size_t p = 0; p < g.m_PointCounts.size(); ++p) {
        int n = g.m_PointCounts[p];
        int pixel = g.XToPixel(d.IndexToValue(i));
        ASSERT_NE(pixel, previousPixel) << p;
        double best = -1;
        int bestAt = i;
        for (int k = i; k < i + n; ++k) {
            ASSERT_EQ(g.XToPixel(d.IndexToValue(k)), pixel) << p << " " << k;
            double v = std::fabs(d.GetComponent(k, component));
            if (v > best) {
                best = v;
                bestAt = k;
            }
        }
        ASSERT_DOUBLE_EQ(g.m_XColumn[static_cast<int>(p)], d.IndexToValue(bestAt)) << p;
        previousPixel = pixel;
        i += n;
    }
    EXPECT_EQ(i, d.m_nStop + 1);
}

TEST(Graph, PixelGroupsFollowThePixelOfEverySample) {
    CGraphFixture f;
    unsigned seed = 7;
    auto noise = [&seed](int) {
        seed = seed * 1103515245u + 12345u;
        return ((seed >> 9) & 0xFFFF) / 32768.0 - 1.0;
    };
    test::MakeTimeData(f.data, 123457, 977.0, noise);
    f.graph.Attach(f.data, 1, 0);
    f.Paint();
    ASSERT_GT(f.graph.m_dReductionRatio, 0);
    ExpectPixelRuns(f.graph, f.data, 0);

    CGraphFixture q;
    test::MakeFreqData(q.data, 65536, 1000.0, noise, noise, false);
    q.graph.Attach(q.data, 2, 0);  // Quadrature, two-sided
    q.Paint();
    ASSERT_LT(q.data.m_nStart, 0);
    ExpectPixelRuns(q.graph, q.data, 1);
}

}  // namespace
}  // namespace kv
