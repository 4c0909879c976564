// Frequency > Converter Metrics...: the command, its dialog, the options in
// the settings store, Copy, and data with nothing to measure.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "ProjectBytes.h"
#include "analysis/CConverterMetricsDlg.h"
#include "app/AnalysisCommands.h"
#include "app/CCommandTable.h"
#include "app/CKalvoraDoc.h"
#include "data/CFs.h"
#include "dsp/CWndDlg.h"
#include "dsp/Transform.h"
#include "dsp/WindowFunctions.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

using T = CCommandTable;
using D = CConverterMetricsDlg;

// A tone (-6.02 dBFS, between bins) with its third harmonic 60 dB down and
// uniform noise about 80 dB down, through the project's Dolph-Chebyshev
// window and transform.
void Capture(CKalvoraDoc& doc, int32_t n = 4096, int32_t window = CWndDlg::kDolphChebyshev) {
    doc.m_TimeData.Reset();
    uint32_t state = 1;
    for (int32_t i = 0; i < n; ++i) {
        const double x = 6.283185307179586 * 100.3 * i / n;
        state = state * 1664525u + 1013904223u;
        const double noise = 1e-4 * (state / 4294967296.0 - 0.5);
        doc.m_TimeData.Inphase().Append(0.5 * std::cos(x) + 0.0005 * std::cos(3 * x) + noise);
        doc.m_TimeData.Quadrature().Append(0.0);
    }
    doc.m_TimeData.ResetRange();
    doc.m_TimeData.ApplyFs(CFs(4096.0));
    doc.m_WndDlg.m_nWindowType = window;
    doc.m_WndDlg.m_fGamma = 140.0f;
    ApplyWindow(doc.m_TimeData, window, window == CWndDlg::kDolphChebyshev ? 140.0 : 0.0);
    ASSERT_TRUE(TransformFrom(doc.m_FreqData, doc.m_TimeData, false, 0, n));
}

class ConverterMetricsCommand : public ::testing::Test {
protected:
    test::CScriptedPlatform platform;
    CKalvoraDoc doc;
};

TEST_F(ConverterMetricsCommand, FollowsTheStatisticsCommandsOfTheFrequencyMenu) {
    const CCommand* c = T::Find(T::ID_FREQ_CONVERTER_METRICS);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(LoadString(c->m_nText), "Converter Metrics...");
    EXPECT_EQ(c->m_nMenu, IDS_MENU_FREQUENCY);
    std::vector<int> frequency;
    for (const CCommand& command : T::Commands())
        if (command.m_nMenu == IDS_MENU_FREQUENCY) frequency.push_back(command.m_nId);
    const auto at = std::find(frequency.begin(), frequency.end(), T::ID_FREQ_CONVERTER_METRICS);
    ASSERT_NE(at, frequency.end());
    ASSERT_GE(at - frequency.begin(), 2);
    EXPECT_EQ(*(at - 1), T::ID_FREQ_SHOW_LIST);
    EXPECT_EQ(*(at - 2), T::ID_FREQ_STATISTICS);
    EXPECT_FALSE(T::IsEnabled(doc, T::ID_FREQ_CONVERTER_METRICS));
    Capture(doc);
    EXPECT_TRUE(T::IsEnabled(doc, T::ID_FREQ_CONVERTER_METRICS));
}

TEST_F(ConverterMetricsCommand, DialogShowsTheResultsAppliesAndKeepsItsOptionsAndCopies) {
    Capture(doc);
    std::vector<std::string> first, applied;
    std::vector<std::string> harmonics;
    std::string message, copied;
    platform.OnDialog<D>([&](D& d) {
        EXPECT_EQ(d.m_strTitle, "Converter Metrics");
        EXPECT_EQ(d.GetDlgItemText(D::IDC_FULL_SCALE), "1");
        EXPECT_EQ(d.GetDlgItemText(D::IDC_HARMONICS), "6");
        EXPECT_EQ(d.GetDlgItemText(D::IDC_SPAN_BINS), "0");
        for (int id = D::IDC_RESULT_FIRST; id < D::IDC_RESULT_FIRST + 11; ++id)
            first.push_back(d.Control(id).m_strLabel + " " + d.Control(id).m_strCaption);
        harmonics = d.Control(D::IDC_HARMONIC_LIST).m_items;
        message = d.Control(D::IDC_MESSAGE).m_strCaption;
        d.SimulateClick(D::IDC_COPY);
        copied = platform.clipboardText;
        // A full scale of half the amplitude: the signal reads 0 dBFS.
        d.SimulateText(D::IDC_FULL_SCALE, "0.5");
        d.SimulateText(D::IDC_HARMONICS, "3");
        d.SimulateClick(D::IDC_APPLY);
        for (int id = D::IDC_RESULT_FIRST; id < D::IDC_RESULT_FIRST + 11; ++id)
            applied.push_back(d.Control(id).m_strCaption);
        EXPECT_EQ(d.Control(D::IDC_HARMONIC_LIST).m_items.size(), 2u);
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(T::Execute(doc, T::ID_FREQ_CONVERTER_METRICS));
    EXPECT_EQ(platform.dialogTitles, std::vector<std::string>{"Converter Metrics"});
    ASSERT_EQ(first.size(), 11u);
    EXPECT_EQ(first[0].substr(0, 13), "Fundamental: ") << first[0];
    EXPECT_NEAR(std::atof(first[0].substr(13).c_str()), 100.3, 1e-5) << first[0];
    EXPECT_NE(first[0].find(" Hz (bin 100.300)"), std::string::npos) << first[0];
    EXPECT_EQ(first[1], "Signal: -6.02 dBFS (full scale 1)");
    EXPECT_NEAR(std::atof(first[4].substr(5).c_str()), -60.0, 0.05) << first[4];
    EXPECT_NEAR(std::atof(first[5].substr(6).c_str()), 60.0, 0.05) << first[5];
    EXPECT_EQ(first[9], "Span: \u00b15 bins from the window (Dolph-Chebyshev, main lobe \u00b15.38 bins)");
    EXPECT_EQ(first[10], "Spectrum: one-sided (real signal), 2048 bins");
    ASSERT_EQ(harmonics.size(), 5u);
    EXPECT_EQ(harmonics[1].substr(0, 3), "H3 ");
    EXPECT_NEAR(std::atof(harmonics[1].substr(3).c_str()), 300.9, 3e-5) << harmonics[1];
    EXPECT_NE(harmonics[1].find(" Hz  -60.0"), std::string::npos) << harmonics[1];
    EXPECT_EQ(message, "");
    EXPECT_EQ(copied.substr(0, 18), "Converter Metrics\n");
    EXPECT_NE(copied.find("  SFDR:              60."), std::string::npos) << copied;
    EXPECT_EQ(copied.find("Warning"), std::string::npos) << copied;
    ASSERT_EQ(applied.size(), 11u);
    EXPECT_EQ(applied[1], "0.00 dBFS (full scale 0.5)");
    // The options are the user's, kept in the settings store for the next time.
    EXPECT_EQ((platform.stringSettings[{"Converter Metrics", "FullScale"}]), "0.5");
    EXPECT_EQ((platform.intSettings[{"Converter Metrics", "Harmonics"}]), 3);
    EXPECT_EQ((platform.intSettings[{"Converter Metrics", "SpanBins"}]), 0);
    platform.OnDialog<D>([&](D& d) {
        EXPECT_EQ(d.GetDlgItemText(D::IDC_FULL_SCALE), "0.5");
        EXPECT_EQ(d.GetDlgItemText(D::IDC_HARMONICS), "3");
        d.SimulateText(D::IDC_SPAN_BINS, "4");
        d.SimulateClick(IDOK);  // OK keeps the options typed too
    });
    EXPECT_TRUE(ShowConverterMetrics(doc));
    EXPECT_EQ((platform.intSettings[{"Converter Metrics", "SpanBins"}]), 4);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ConverterMetricsCommand, OptionsOutOfRangeAreRefusedWhereTheyStand) {
    Capture(doc);
    platform.OnDialog<D>([&](D& d) {
        d.SimulateText(D::IDC_HARMONICS, "0");
        d.SimulateClick(D::IDC_APPLY);
        EXPECT_EQ(d.FocusRequest(), D::IDC_HARMONICS);
        d.SimulateText(D::IDC_HARMONICS, "6");
        d.SimulateText(D::IDC_FULL_SCALE, "-1");
        d.SimulateClick(IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SimulateText(D::IDC_FULL_SCALE, "1");
        d.SimulateText(D::IDC_SPAN_BINS, "1001");
        d.SimulateClick(IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SimulateText(D::IDC_SPAN_BINS, "0");
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(ShowConverterMetrics(doc));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"Enter an integer between 1 and 50.", "Enter a number between 1e-30 and 1e+30.",
                                        "Enter an integer between 0 and 1000."}));
}

TEST_F(ConverterMetricsCommand, DataWithNothingToMeasureGetsItsReasonAndTooWideASpanTheDialog) {
    Capture(doc, 64);
    doc.m_FreqData.Inphase()[7] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(ShowConverterMetrics(doc));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("The Frequency Data holds a value that is not a finite number"),
              std::string::npos);
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    EXPECT_TRUE(platform.dialogTitles.empty());

    // A span the data cannot hold: the dialog opens, says so, and the span
    // can be set back.
    Capture(doc, 512);
    platform.intSettings[{"Converter Metrics", "SpanBins"}] = 100;
    platform.OnDialog<D>([&](D& d) {
        EXPECT_NE(d.Control(D::IDC_MESSAGE).m_strCaption.find("too narrow"), std::string::npos);
        EXPECT_FALSE(d.Control(D::IDC_COPY).m_bEnabled);
        d.SimulateText(D::IDC_SPAN_BINS, "0");
        d.SimulateClick(D::IDC_APPLY);
        EXPECT_EQ(d.Control(D::IDC_MESSAGE).m_strCaption, "");
        EXPECT_TRUE(d.Control(D::IDC_COPY).m_bEnabled);
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(ShowConverterMetrics(doc));
}

TEST_F(ConverterMetricsCommand, AWindowThatLimitsTheMeasurementIsSaidInShortLinesUnderTheResults) {
    // Hanning's sidelobes lie far above noise 80 dB down.
    Capture(doc, 4096, CWndDlg::kHanning);
    std::string message;
    platform.OnDialog<D>([&](D& d) {
        message = d.Control(D::IDC_MESSAGE).m_strCaption;
        EXPECT_LT(d.Control(D::IDC_MESSAGE).m_nGroup, 0);
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(ShowConverterMetrics(doc));
    ASSERT_FALSE(message.empty());
    // Broken at spaces into lines short enough for the dialog, the words
    // as the warning has them.
    std::string joined;
    size_t lines = 0, start = 0;
    while (start <= message.size()) {
        size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        EXPECT_LE(end - start, 72u) << message;
        joined += (joined.empty() ? "" : " ") + message.substr(start, end - start);
        ++lines;
        start = end + 1;
    }
    EXPECT_GE(lines, 2u);
    EXPECT_EQ(joined, LoadString(IDS_CONV_WINDOW_LIMITED));
}

TEST_F(ConverterMetricsCommand, TheProjectFileStaysByteForByteTheSame) {
    Capture(doc);
    const std::vector<uint8_t> before = test::Store(doc);
    platform.OnDialog<D>([&](D& d) {
        d.SimulateText(D::IDC_FULL_SCALE, "32767");
        d.SimulateText(D::IDC_SPAN_BINS, "9");
        d.SimulateClick(D::IDC_APPLY);
        d.SimulateClick(IDOK);
    });
    EXPECT_TRUE(ShowConverterMetrics(doc));
    EXPECT_EQ(test::Store(doc), before);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace kv
