#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "AnalysisTestData.h"
#include "analysis/CConverterMetrics.h"
#include "data/CFs.h"
#include "data/CKalvoData.h"
#include "dsp/CWindowProfile.h"
#include "dsp/CWndDlg.h"
#include "dsp/Transform.h"
#include "dsp/WindowFunctions.h"

namespace kv {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// A converter's output with known truth: a tone of the given amplitude,
// second and third harmonics at the given levels below it, and white
// Gaussian noise for the given SNR (per component for complex data, so that
// the total noise power gives that SNR).
struct TestSignal {
    int32_t points = 65536;
    double cycles = 2039.37;  // tone frequency in bins (negative: below 0 Hz, complex only); not coherent
    double amplitude = std::pow(10.0, -1.0 / 20.0);  // -1 dBFS with full scale 1
    std::vector<std::pair<int, double>> harmonics = {{2, -75.0}, {3, -80.0}};  // order, dBc
    double snrDb = 70.0;  // above 300: no noise
    bool complex = false;
    double phase = 0.3;
    double dc = 0.0;
    uint64_t seed = 1;

    double HarmonicPower() const {
        double sum = 0.0;
        for (const auto& h : harmonics) sum += std::pow(10.0, h.second / 10);
        return sum;
    }
    // SINAD, THD, signal level and ENOB of the construction.
    double Sinad() const { return -10.0 * std::log10(std::pow(10.0, -snrDb / 10) + HarmonicPower()); }
    double Thd() const { return 10.0 * std::log10(HarmonicPower()); }
    double SignalDbfs() const { return 20.0 * std::log10(amplitude); }
    double Enob() const { return (Sinad() - 1.76 - SignalDbfs()) / 6.02; }

    void Fill(CKalvoData& time) const {
        time.m_bTime = 1;
        time.Reset();
        std::mt19937_64 rng(seed);
        const double signalPower = complex ? amplitude * amplitude : amplitude * amplitude / 2;
        const double sigma =
            snrDb > 300 ? 0.0 : std::sqrt(signalPower * std::pow(10.0, -snrDb / 10) / (complex ? 2.0 : 1.0));
        std::normal_distribution<double> noise(0.0, 1.0);
        for (int32_t i = 0; i < points; ++i) {
            const double x = kTwoPi * cycles * i / points;
            double re = dc + amplitude * std::cos(x + phase), im = amplitude * std::sin(x + phase);
            for (const auto& [order, dbc] : harmonics) {
                const double a = amplitude * std::pow(10.0, dbc / 20);
                re += a * std::cos(order * x + 0.7 * order);
                im += a * std::sin(order * x + 0.7 * order);
            }
            re += sigma * noise(rng);
            im = complex ? im + sigma * noise(rng) : 0.0;
            time.Inphase().Append(re);
            time.Quadrature().Append(im);
        }
        time.m_bReal = complex ? 0 : 1;
        time.ResetRange();
        time.ApplyFs(CFs(1.0));
    }
};

struct Window {
    int32_t type;  // -1 none
    double parameter;
    const char* name;
};

// The program's own path: window the Time Data, transform it (divided by N)
// and measure the Frequency Data.
ConverterResults Measure(const TestSignal& s, const Window& w, ConverterOptions options = {}, bool divideByN = true) {
    CKalvoData time, freq;
    s.Fill(time);
    if (w.type > 0) ApplyWindow(time, w.type, w.parameter);
    freq.m_bTime = 0;
    EXPECT_TRUE(TransformFrom(freq, time, divideByN ? false : true, 0, s.points));
    const CWindowProfile profile(freq.m_nWindow, w.parameter, freq.GetCount());
    return CConverterMetrics::Compute(freq, profile, divideByN ? 1.0 / s.points : 1.0, options);
}

const Window kQuietWindows[] = {{CWndDlg::kBlackmanHarris4, 0.0, "Blackman-Harris 4"},
                                {CWndDlg::kBlackmanHarris7, 0.0, "Blackman-Harris 7"},
                                {CWndDlg::kKaiserBessel, 8.0, "Kaiser 8"},
                                {CWndDlg::kDolphChebyshev, 120.0, "Dolph-Chebyshev 120"}};

void ExpectTruth(const ConverterResults& r, const TestSignal& s, const std::string& what) {
    ASSERT_TRUE(r.m_bValid) << what << ": " << r.m_strError;
    EXPECT_NEAR(r.m_dSnr, s.snrDb, 0.4) << what;
    EXPECT_NEAR(r.m_dSinad, s.Sinad(), 0.4) << what;
    EXPECT_NEAR(r.m_dThd, s.Thd(), 0.4) << what;
    EXPECT_NEAR(r.m_dSfdr, -s.harmonics[0].second, 0.5) << what;
    EXPECT_NEAR(r.m_dEnob, s.Enob(), 0.07) << what;
    EXPECT_NEAR(r.m_dSignalDbfs, s.SignalDbfs(), 0.02) << what;
    EXPECT_NEAR(r.m_dFundamentalFrequency, s.cycles / s.points, 1e-3 / s.points) << what;
    ASSERT_EQ(r.m_Harmonics.size(), 5u) << what;
    EXPECT_NEAR(r.m_Harmonics[0].m_dDbc, s.harmonics[0].second, 0.5) << what;
    EXPECT_NEAR(r.m_Harmonics[1].m_dDbc, s.harmonics[1].second, 0.5) << what;
    EXPECT_NEAR(r.m_dSfdrFrequency, r.m_Harmonics[0].m_dFrequency, 1e-12) << what;
    EXPECT_FALSE(r.m_bWindowLimited) << what;
}

TEST(ConverterMetrics, RealToneWithHarmonicsAndNoiseMeasuresItsTruthThroughEveryQuietWindow) {
    TestSignal s;
    for (const Window& w : kQuietWindows) ExpectTruth(Measure(s, w), s, w.name);
    // Without a window only a coherent tone stays in its bin.
    s.cycles = 2039.0;
    ExpectTruth(Measure(s, {-1, 0.0, "none"}), s, "no window, coherent");
}

TEST(ConverterMetrics, ComplexExponentialWithComplexNoiseMeasuresItsTruth) {
    TestSignal s;
    s.complex = true;
    for (const Window& w : kQuietWindows) ExpectTruth(Measure(s, w), s, w.name);
    s.cycles = 2039.0;
    ExpectTruth(Measure(s, {-1, 0.0, "none"}), s, "no window, coherent");
}

TEST(ConverterMetrics, LongDolphChebyshevSpectrumKeepsItsAccuracy) {
    // Longer than the window model: the leakage of the flat sidelobes into
    // the bins beyond the model is extrapolated.
    TestSignal s;
    s.points = 262144;
    s.cycles = 8157.29;
    const Window dolph{CWndDlg::kDolphChebyshev, 120.0, "Dolph-Chebyshev 120, 262144 points"};
    ExpectTruth(Measure(s, dolph), s, dolph.name);
    s.complex = true;
    ExpectTruth(Measure(s, dolph), s, dolph.name);
}

TEST(ConverterMetrics, DcOffsetIsMaskedAndSpanOverrideKeepsTheTruth) {
    TestSignal s;
    s.dc = 0.1;  // -20 dBFS of DC: neither noise nor a spur
    ExpectTruth(Measure(s, kQuietWindows[1]), s, "with DC");
    ConverterOptions wide;
    wide.m_nSpanBins = 12;
    const ConverterResults r = Measure(s, kQuietWindows[0], wide);
    EXPECT_EQ(r.m_nSpanBins, 12);
    EXPECT_FALSE(r.m_bSpanFromWindow);
    ExpectTruth(r, s, "span of 12 bins");
}

TEST(ConverterMetrics, FullScaleSineReadsZeroDbfsWhateverTheWindowAndTransformScale) {
    TestSignal s;
    s.amplitude = 0.5;
    s.harmonics.clear();
    s.snrDb = 400;
    ConverterOptions options;
    options.m_dFullScale = 0.5;
    const Window windows[] = {{-1, 0.0, "none"},
                              {CWndDlg::kBlackmanHarris4, 0.0, "bh4"},
                              {CWndDlg::kHanning, 0.0, "hanning"},
                              {CWndDlg::kGaussian, 0.0, "gaussian"},
                              {CWndDlg::kKaiserBessel, 3.0, "kaiser 3"},
                              {CWndDlg::kDolphChebyshev, 80.0, "dolph 80"}};
    for (bool complex : {false, true})
        for (const Window& w : windows)
            for (bool divide : {true, false}) {
                s.complex = complex;
                s.cycles = w.type < 0 ? 300.0 : 300.37;
                s.points = 8192;
                const ConverterResults r = Measure(s, w, options, divide);
                ASSERT_TRUE(r.m_bValid) << w.name;
                EXPECT_NEAR(r.m_dSignalDbfs, 0.0, 0.01) << w.name << " complex " << complex << " divide " << divide;
            }
    // The same sine against a full scale of 1 is 6.02 dB down.
    s.complex = false;
    s.cycles = 300.37;
    EXPECT_NEAR(Measure(s, kQuietWindows[0]).m_dSignalDbfs, 20 * std::log10(0.5), 0.01);
}

TEST(ConverterMetrics, RealHarmonicsFoldIntoTheFirstNyquistZone) {
    TestSignal s;
    s.points = 16384;
    s.cycles = 0.42 * 16384 + 0.31;  // H2 folds back below Fs/2; H3 wraps past Fs
    s.snrDb = 80.0;
    s.harmonics = {{2, -70.0}, {3, -76.0}, {4, -82.0}};
    const ConverterResults r = Measure(s, kQuietWindows[1]);
    ASSERT_TRUE(r.m_bValid) << r.m_strError;
    const double f0 = s.cycles / s.points;
    const double expected[] = {1.0 - 2 * f0, 3 * f0 - 1.0, 2.0 - 4 * f0, 5 * f0 - 2.0, 3.0 - 6 * f0};
    ASSERT_EQ(r.m_Harmonics.size(), 5u);
    for (size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(r.m_Harmonics[k].m_nOrder, static_cast<int>(k) + 2);
        EXPECT_NEAR(r.m_Harmonics[k].m_dFrequency, expected[k], 1e-6) << "H" << k + 2;
    }
    EXPECT_NEAR(r.m_Harmonics[0].m_dDbc, -70.0, 0.3);
    EXPECT_NEAR(r.m_Harmonics[1].m_dDbc, -76.0, 0.3);
    EXPECT_NEAR(r.m_Harmonics[2].m_dDbc, -82.0, 0.5);
    EXPECT_NEAR(r.m_dThd, s.Thd(), 0.3);
    EXPECT_NEAR(r.m_dSfdr, 70.0, 0.3);
    EXPECT_NEAR(r.m_dSfdrFrequency, expected[0], 1e-6);
}

TEST(ConverterMetrics, ComplexToneAtANegativeFrequencyHasItsHarmonicsAtItsOwnSignedMultiples) {
    TestSignal s;
    s.complex = true;
    s.points = 16384;
    s.cycles = -2000.27;
    s.snrDb = 80.0;
    s.harmonics = {{2, -66.0}, {3, -72.0}, {4, -78.0}, {5, -84.0}};
    const ConverterResults r = Measure(s, kQuietWindows[2]);
    ASSERT_TRUE(r.m_bValid) << r.m_strError;
    EXPECT_TRUE(r.m_bTwoSided);
    const double f0 = s.cycles / s.points;
    EXPECT_NEAR(r.m_dFundamentalFrequency, f0, 1e-7);
    // H5 at -10001 bins wraps to +6383.
    const double expected[] = {2 * f0, 3 * f0, 4 * f0, 5 * f0 + 1.0, 6 * f0 + 1.0};
    const double levels[] = {-66.0, -72.0, -78.0, -84.0};
    ASSERT_EQ(r.m_Harmonics.size(), 5u);
    for (size_t k = 0; k < 5; ++k) EXPECT_NEAR(r.m_Harmonics[k].m_dFrequency, expected[k], 1e-6) << "H" << k + 2;
    for (size_t k = 0; k < 4; ++k) EXPECT_NEAR(r.m_Harmonics[k].m_dDbc, levels[k], 0.5) << "H" << k + 2;
    EXPECT_NEAR(r.m_dSfdrFrequency, 2 * f0, 1e-6);
    ConverterOptions three;
    three.m_nHarmonics = 3;
    EXPECT_EQ(Measure(s, kQuietWindows[2], three).m_Harmonics.size(), 2u);
}

TEST(ConverterMetrics, HarmonicOnTheFundamentalOrDcIsNotCountedTwice) {
    // Fs/3: the second harmonic folds onto the fundamental; Fs/4: the
    // fourth lands on DC.
    TestSignal s;
    s.points = 12288;
    s.cycles = 4096.0;
    s.harmonics = {{2, -60.0}};
    const ConverterResults r = Measure(s, {-1, 0.0, "none"});
    ASSERT_TRUE(r.m_bValid) << r.m_strError;
    EXPECT_FALSE(r.m_Harmonics[0].m_bSeparate);
    EXPECT_TRUE(std::isnan(r.m_Harmonics[0].m_dDbc));
    s.points = 16384;
    s.harmonics = {{4, -60.0}};
    const ConverterResults q = Measure(s, {-1, 0.0, "none"});
    ASSERT_TRUE(q.m_bValid) << q.m_strError;
    EXPECT_FALSE(q.m_Harmonics[2].m_bSeparate);
    EXPECT_NEAR(q.m_dSnr, 70.0, 0.4);  // the folded harmonic is DC, not noise
}

TEST(ConverterMetrics, WindowWithHighSidelobesOnACleanConverterCarriesAWarning) {
    TestSignal s;
    s.snrDb = 98.0;  // a good 16-bit converter
    s.harmonics = {{2, -105.0}};
    for (const Window& w : {Window{CWndDlg::kHanning, 0.0, "hanning"}, Window{CWndDlg::kHamming, 0.0, "hamming"}}) {
        const ConverterResults r = Measure(s, w);
        ASSERT_TRUE(r.m_bValid) << w.name;
        EXPECT_TRUE(r.m_bWindowLimited) << w.name;
        EXPECT_NE(CConverterMetrics::FormatText(r).find("Warning: the window"), std::string::npos);
    }
    const ConverterResults quiet = Measure(s, kQuietWindows[1]);
    EXPECT_FALSE(quiet.m_bWindowLimited);
    EXPECT_NEAR(quiet.m_dSnr, 98.0, 0.4);
    EXPECT_EQ(CConverterMetrics::FormatText(quiet).find("Warning"), std::string::npos);
}

TEST(ConverterMetrics, ToneBetweenBinsWithoutAWindowIsFoundWhereItIsAndItsLeakageIsNamed) {
    // Without a window the span (one bin each side) holds only part of the
    // lobe of a tone between bins: the tone's frequency still comes out
    // right, and the leakage, far above the noise, carries the warning
    // instead of passing for noise.
    TestSignal s;
    s.snrDb = 98.0;
    s.harmonics = {{2, -105.0}};
    for (const double cycles : {2039.37, 2039.5, 2038.62}) {
        s.cycles = cycles;
        const ConverterResults r = Measure(s, Window{-1, 0.0, "none"});
        ASSERT_TRUE(r.m_bValid) << cycles;
        EXPECT_EQ(r.m_nSpanBins, 1) << cycles;
        EXPECT_NEAR(r.m_dFundamentalBin, cycles, 1e-3) << cycles;
        EXPECT_TRUE(r.m_bWindowLimited) << cycles;
    }
}

TEST(ConverterMetrics, SpectraWithoutAMeasurableToneAreRefusedWithAReason) {
    CKalvoData freq;
    const CWindowProfile none(-1, 0.0, 64);
    EXPECT_FALSE(CConverterMetrics::Compute(freq, none, 1.0, {}).m_bValid);

    std::vector<double> zeros(64, 0.0);
    test::FillSpectrum(freq, zeros);
    ConverterResults r = CConverterMetrics::Compute(freq, none, 1.0, {});
    EXPECT_FALSE(r.m_bValid);
    EXPECT_EQ(r.m_strError, "The Frequency Data holds no tone outside DC to measure.");

    zeros[5] = 1.0;
    zeros[9] = std::numeric_limits<double>::quiet_NaN();
    zeros[20] = std::numeric_limits<double>::infinity();
    test::FillSpectrum(freq, zeros);
    freq.m_nStart = 0;
    freq.m_nStop = 31;
    r = CConverterMetrics::Compute(freq, none, 1.0, {});
    EXPECT_FALSE(r.m_bValid);
    EXPECT_NE(r.m_strError.find("2 values that are not finite"), std::string::npos) << r.m_strError;
    EXPECT_NE(r.m_strError.find("point 9"), std::string::npos) << r.m_strError;

    zeros[9] = zeros[20] = 0.0;
    test::FillSpectrum(freq, zeros);
    ConverterOptions wide;
    wide.m_nSpanBins = 40;
    r = CConverterMetrics::Compute(freq, none, 1.0, wide);
    EXPECT_FALSE(r.m_bValid);
    EXPECT_NE(r.m_strError.find("too narrow"), std::string::npos) << r.m_strError;
    EXPECT_NE(CConverterMetrics::FormatText(r).find("too narrow"), std::string::npos);
}

TEST(WindowProfile, MainLobeAndGainsComeFromTheWeights) {
    const struct {
        int32_t type;
        double parameter;
        double halfWidth, coherentGain, bandwidth;
        int32_t span;
    } cases[] = {
        {-1, 0.0, 1.0, 1.0, 1.0, 1},
        {CWndDlg::kHanning, 0.0, 2.0, 0.5, 1.5, 2},
        {CWndDlg::kHamming, 0.0, 2.0, 0.54, 1.0 + 0.46 * 0.46 / 2 / (0.54 * 0.54), 2},
        {CWndDlg::kBlackmanHarris4, 0.0, 4.0, 0.35875, 2.00435, 4},
        {CWndDlg::kBlackmanHarris7, 0.0, 7.0, 0.271051400693424, 2.63191, 7},
        // Kaiser-Bessel: nulls at sqrt(alpha^2 + k^2) bins.
        {CWndDlg::kKaiserBessel, 8.0, std::sqrt(65.0), -1.0, -1.0, 8},
        {CWndDlg::kKaiserBessel, 3.0, std::sqrt(10.0), -1.0, -1.0, 3},
        // Dolph-Chebyshev: sqrt((acosh(1/r) / pi)^2 + 1/4) bins.
        {CWndDlg::kDolphChebyshev, 120.0, 4.6453, -1.0, -1.0, 5},
        {CWndDlg::kDolphChebyshev, 60.0, 2.4707, -1.0, -1.0, 2},
    };
    for (const auto& c : cases) {
        for (int32_t n : {4096, 1 << 20}) {
            const CWindowProfile p(c.type, c.parameter, n);
            // The nulls of windows over N - 1 sit N / (N - 1) further out.
            EXPECT_NEAR(p.MainLobeHalfWidth(), c.halfWidth, c.halfWidth * 2.0 / 4095 + 2e-3) << c.type << " " << n;
            EXPECT_EQ(p.SpanBins(), c.span) << c.type << " " << n;
            if (c.coherentGain > 0) {
                EXPECT_NEAR(p.CoherentGain(), c.coherentGain, 1e-3) << c.type;
                EXPECT_NEAR(p.NoiseBandwidth(), c.bandwidth, 2e-3) << c.type;
            }
        }
    }
    // Only the Dolph-Chebyshev window keeps its sidelobes' level far out.
    EXPECT_TRUE(CWindowProfile(CWndDlg::kDolphChebyshev, 100.0, 65536).FlatSidelobes());
    for (int32_t type : {-1, 2, 3, 4, 5, 6, 7})
        EXPECT_FALSE(CWindowProfile(type, 6.0, 65536).FlatSidelobes()) << type;
    // A marker no window has acts as the four-term Blackman-Harris.
    EXPECT_EQ(CWindowProfile(12, 0.0, 64).GetType(), CWndDlg::kBlackmanHarris4);
    EXPECT_EQ(CWindowProfile(-1, 0.0, 64).GetType(), CWindowProfile::kNoWindow);
}

}  // namespace
}  // namespace kv

