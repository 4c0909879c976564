#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "data/CDataColumn.h"
#include "generate/CAudio.h"
#include "generate/CModParm.h"
#include "generate/CNoise.h"
#include "generate/CQuadErr.h"
#include "generate/CSamp.h"
#include "generate/ModulatedSignal.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

CDataColumn MakeColumn(const std::vector<double>& values) {
    CDataColumn c;
    for (double v : values) c.Append(v);
    return c;
}

std::vector<double> Values(const CDataColumn& c) { return std::vector<double>(c.begin(), c.end()); }

// A file in the test's temporary folder, removed afterwards.
class TempFile {
public:
    explicit TempFile(const std::string& contents, const std::string& name = "kv_gen_test.txt") {
        m_path = (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "_" + name)).string();
        std::ofstream out(m_path, std::ios::binary);
        out << contents;
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// ---------------------------------------------------------------------------
// Random generator and noise

TEST(RandomGenerator, FollowsTheLinearCongruentialSequence) {
    SeedRandom(1);
    EXPECT_EQ(NextRandom(), 41);
    EXPECT_EQ(NextRandom(), 18467);
    EXPECT_EQ(NextRandom(), 6334);
    EXPECT_EQ(NextRandom(), 26500);
    EXPECT_EQ(NextRandom(), 19169);
    SeedRandom(0);
    EXPECT_EQ(NextRandom(), 38);
    EXPECT_EQ(NextRandom(), 7719);
}

TEST(RandomGenerator, UniformSamplesSpanMinusHalfToHalf) {
    // The state reaches every top value; the extremes map to -0.5 and 0.5.
    SeedRandom(0);
    float lo = 1.0f, hi = -1.0f;
    for (int i = 0; i < 200000; ++i) {
        float u = UniformSample();
        lo = std::min(lo, u);
        hi = std::max(hi, u);
    }
    EXPECT_EQ(lo, -0.5f);
    EXPECT_EQ(hi, 0.5f);
    // u = float(r / 32767.0 - 0.5) for the value r drawn.
    SeedRandom(5);
    int32_t r = NextRandom();
    SeedRandom(5);
    EXPECT_EQ(UniformSample(), static_cast<float>(r / 32767.0 - 0.5));
}

TEST(RandomGenerator, GaussianSampleSumsTwelveUniformsWithTheLastSixSubtracted) {
    SeedRandom(77);
    float u[12];
    for (float& x : u) x = UniformSample();
    const float expected = (u[0] + u[1] + u[2] + u[3] + u[4] + u[5] - u[6] - u[7] - u[8] - u[9] - u[10]) - u[11];
    SeedRandom(77);
    EXPECT_EQ(GaussianSample(), expected);
}

TEST(AddNoise, SameSeedSameNoiseAndTheSecondColumnContinuesTheSequence) {
    CNoise noise;
    noise.m_nNoiseType = CNoise::Gaussian;
    noise.m_fNoiseLevel = 0.0f;
    CDataColumn a = MakeColumn(std::vector<double>(64, 0.0));
    CDataColumn b = a, c = a, d = a;
    ASSERT_TRUE(AddNoise(noise, 64, a, true));
    ASSERT_TRUE(AddNoise(noise, 64, b, false));
    ASSERT_TRUE(AddNoise(noise, 64, c, true));
    EXPECT_EQ(Values(a), Values(c));
    EXPECT_NE(Values(a), Values(b)) << "the unreseeded pass draws further samples";
    noise.m_nSeed = 1;
    ASSERT_TRUE(AddNoise(noise, 64, d, true));
    EXPECT_NE(Values(a), Values(d));
}

TEST(AddNoise, LevelsAndTypes) {
    // Gaussian at 0 dBc has unit variance; uniform at -10 dBc is scaled by
    // 10^0 too, so its RMS is that of a uniform sample, 1/sqrt(12).
    const int n = 200000;
    CNoise noise;
    noise.m_nNoiseType = CNoise::Gaussian;
    noise.m_fNoiseLevel = 0.0f;
    CDataColumn g = MakeColumn(std::vector<double>(n, 0.0));
    ASSERT_TRUE(AddNoise(noise, n, g, true));
    double sum = 0, sum2 = 0;
    for (double x : g) sum += x, sum2 += x * x;
    EXPECT_NEAR(sum / n, 0.0, 0.02);
    EXPECT_NEAR(sum2 / n, 1.0, 0.02);

    noise.m_nNoiseType = CNoise::Uniform;
    noise.m_fNoiseLevel = -10.0f;
    CDataColumn u = MakeColumn(std::vector<double>(n, 1.0));
    ASSERT_TRUE(AddNoise(noise, n, u, true));
    sum2 = 0;
    for (double x : u) {
        ASSERT_LE(std::fabs(x - 1.0), 0.5);
        sum2 += (x - 1.0) * (x - 1.0);
    }
    EXPECT_NEAR(std::sqrt(sum2 / n), 1.0 / std::sqrt(12.0), 0.005);

    // Each point gets float(n * A) added: at -45 dBc, A = float(10^(-45/20)).
    noise.m_nNoiseType = CNoise::Gaussian;
    noise.m_fNoiseLevel = -45.0f;
    CDataColumn one = MakeColumn({0.25});
    AddNoise(noise, 1, one, true);
    SeedRandom(0);
    const float a = static_cast<float>(std::pow(10.0, -45.0 / 20.0));
    EXPECT_EQ(one[0], 0.25 + static_cast<double>(GaussianSample() * a));

    noise.m_nNoiseType = CNoise::NoNoise;
    CDataColumn quiet = MakeColumn({1.0, 2.0});
    EXPECT_TRUE(AddNoise(noise, 2, quiet, true));
    EXPECT_EQ(Values(quiet), (std::vector<double>{1.0, 2.0}));
    noise.m_nNoiseType = 7;
    EXPECT_FALSE(AddNoise(noise, 2, quiet, true));
    EXPECT_EQ(Values(quiet), (std::vector<double>{1.0, 2.0}));
}

TEST(DbToAmplitude, BelowMinus300IsZero) {
    EXPECT_EQ(DbToAmplitude(-300.5), 0.0);
    EXPECT_DOUBLE_EQ(DbToAmplitude(-300.0), 1e-15);
    EXPECT_DOUBLE_EQ(DbToAmplitude(20.0), 10.0);
    EXPECT_EQ(DbToAmplitude(0.0), 1.0);
}

// ---------------------------------------------------------------------------
// Audio

TEST(GenerateAudio, WaveformsOfOnePeriodInEightSamples) {
    CAudio audio;  // sine, 1.0, phase 0
    CDataColumn c;
    ASSERT_TRUE(GenerateAudio(8, audio, c, 8.0f));
    ASSERT_EQ(c.GetSize(), 8);
    // The first sample already includes one step; the phase runs in double
    // precision, so the period closes to the last bit.
    EXPECT_EQ(c[0], std::cos(kTwoPiD / 8.0));
    EXPECT_NEAR(c[3], -1.0, 1e-15);
    EXPECT_NEAR(c[7], 1.0, 1e-15);

    audio.m_nAudioWaveform = CAudio::Square;
    CDataColumn sq;
    GenerateAudio(8, audio, sq, 8.0f);
    // Phase pi itself counts as non-negative.
    EXPECT_EQ(Values(sq), (std::vector<double>{1, 1, 1, 1, -1, -1, -1, 1}));

    audio.m_nAudioWaveform = CAudio::Sawtooth;
    CDataColumn saw;
    GenerateAudio(4, audio, saw, 8.0f);
    EXPECT_NEAR(saw[0], 0.25, 1e-7);
    EXPECT_NEAR(saw[2], 0.75, 1e-7);

    audio.m_nAudioWaveform = CAudio::Triangle;
    CDataColumn tri;
    GenerateAudio(4, audio, tri, 8.0f);
    EXPECT_NEAR(tri[0], -0.5, 1e-6);  // (|1/4| - 0.5) * 2
    EXPECT_NEAR(tri[3], 1.0, 1e-6);   // at pi

    audio.m_nAudioWaveform = CAudio::Off;
    CDataColumn off;
    GenerateAudio(3, audio, off, 8.0f);
    EXPECT_EQ(Values(off), (std::vector<double>{0, 0, 0}));
}

TEST(GenerateAudio, PhaseStaysWithinOnePeriodWhateverTheStep) {
    CAudio audio;
    audio.m_nAudioWaveform = CAudio::Sawtooth;
    // Above the sampling frequency, a negative frequency, a negative start
    // phase and an absurd step: every value stays in [-1, 1] and the call ends.
    for (float f : {3.3f, -1.0f, 1e12f}) {
        audio.m_fAudioFrequency = f;
        audio.m_fAudioPhase = -300.0f;
        CDataColumn c;
        GenerateAudio(100, audio, c, 8.0f);
        for (double v : c) ASSERT_TRUE(v >= -1.0 && v <= 1.0) << f << " gives " << v;
    }
    // 9/8 of Fs aliases to 1/8 of Fs.
    audio.m_nAudioWaveform = CAudio::Sine;
    audio.m_fAudioPhase = 0.0f;
    audio.m_fAudioFrequency = 9.0f;
    CDataColumn alias;
    GenerateAudio(16, audio, alias, 8.0f);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(alias[i], std::cos(2 * M_PI * (i + 1) / 8), 1e-5);
}

TEST(ReadAudioFile, LinesBlanksBadDataAndShortFiles) {
    test::CScriptedPlatform p;
    // A blank first line gives 0, a blank line later repeats the value
    // before it, a line without a number is asked about (OK: 0).
    TempFile file("\n0.5\r\n  \n1e-1 trailing\nabc\n-2\n");
    CAudio audio;
    audio.m_strAudioFile = file.Path();
    p.Answer(MsgAnswer::Ok);
    CDataColumn c;
    ASSERT_TRUE(ReadAudioFile(audio, 6, c));
    EXPECT_EQ(Values(c), (std::vector<double>{0.0, 0.5, 0.5, static_cast<double>(0.1f), 0.0, -2.0}));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "Bad data in audio file at line 5.  Data will be set to zero.");
    EXPECT_EQ(p.messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Error);

    // Cancel on bad data stops the read.
    p.messages.clear();
    p.Answer(MsgAnswer::Cancel);
    CDataColumn stopped;
    EXPECT_FALSE(ReadAudioFile(audio, 6, stopped));

    // Too few lines: asked, then padded with zeros; lines after N are ignored.
    p.messages.clear();
    p.Answer(MsgAnswer::Ok);
    CDataColumn padded;
    TempFile shortFile("1\n2\n");
    audio.m_strAudioFile = shortFile.Path();
    ASSERT_TRUE(ReadAudioFile(audio, 4, padded));
    EXPECT_EQ(Values(padded), (std::vector<double>{1, 2, 0, 0}));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text,
              "Audio file contained fewer points than required.\nAudio signal will be zero-padded.");
    p.Answer(MsgAnswer::Cancel);
    CDataColumn refused;
    EXPECT_FALSE(ReadAudioFile(audio, 4, refused));
    CDataColumn first;
    EXPECT_TRUE(ReadAudioFile(audio, 1, first));
    EXPECT_EQ(Values(first), (std::vector<double>{1}));
}

TEST(ReadAudioFile, LongLinesAreReadInPiecesOf79Characters) {
    test::CScriptedPlatform p;
    // 79 characters, then the line end: the line end alone is the next
    // (blank) piece, which repeats the value.
    std::string line79 = "7" + std::string(78, ' ');
    TempFile file(line79 + "\n3\n");
    CAudio audio;
    audio.m_strAudioFile = file.Path();
    CDataColumn c;
    ASSERT_TRUE(ReadAudioFile(audio, 3, c));
    EXPECT_EQ(Values(c), (std::vector<double>{7, 7, 3}));
    EXPECT_TRUE(p.messages.empty());
}

TEST(ReadAudioFile, AFileThatCannotBeOpenedIsReported) {
    test::CScriptedPlatform p;
    CAudio audio;
    audio.m_strAudioFile = "/nonexistent/dir/x.aud";
    CDataColumn c;
    EXPECT_FALSE(ReadAudioFile(audio, 4, c));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "Cannot open file \"/nonexistent/dir/x.aud\".");
    EXPECT_EQ(c.GetSize(), 0);
    audio.m_strAudioFile = std::filesystem::temp_directory_path().string();  // a folder
    EXPECT_FALSE(ReadAudioFile(audio, 4, c));
}

// ---------------------------------------------------------------------------
// Modulation

TEST(Modulate, AmEnvelopeAndIfErrors) {
    CModParm mod;  // AM 30 %
    mod.m_fCarrierFrequency = 1.0f;
    CQuadErr errors;
    CDataColumn audio = MakeColumn({1.0, -1.0, 0.0});
    CDataColumn I, Q;
    Modulate(mod, errors, 3, I, Q, audio, 8.0f);
    // m is the float 0.3f: E = 0.5 + 0.5 m a.
    EXPECT_DOUBLE_EQ(std::hypot(I[0], Q[0]), 0.5 + 0.5 * 0.3f);
    EXPECT_DOUBLE_EQ(std::hypot(I[1], Q[1]), 0.5 - 0.5 * 0.3f);
    EXPECT_DOUBLE_EQ(std::hypot(I[2], Q[2]), 0.5);

    // DC offsets of 0 dBc add 1; a Q gain of +6.02 dB doubles Q; a phase
    // error of 90 degrees turns Q's sine into a cosine.
    errors.m_bDisableDc = 0;
    errors.m_fDcOffsetI = 0.0f;
    errors.m_fDcOffsetQ = -300.5f;
    errors.m_bDisableQuad = 0;
    errors.m_fQAmplitudeDb = static_cast<float>(20 * std::log10(2.0));
    errors.m_fPhaseError = 90.0f;
    mod.m_nModulation = CModParm::CW;
    CDataColumn I2, Q2;
    Modulate(mod, errors, 1, I2, Q2, audio, 8.0f);
    EXPECT_NEAR(I2[0], 2.0, 1e-12);
    EXPECT_NEAR(Q2[0], 2.0, 1e-6);

    // The disable flags win over the values.
    errors.m_bDisableDc = 1;
    errors.m_bDisableQuad = 1;
    CDataColumn I3, Q3;
    Modulate(mod, errors, 1, I3, Q3, audio, 8.0f);
    EXPECT_EQ(I3[0], 1.0);
    EXPECT_EQ(Q3[0], 0.0);
}

TEST(Modulate, FmWithZeroDeviationIsCwAndDeviationShiftsTheNextStep) {
    CModParm mod;
    mod.m_fCarrierFrequency = 0.7f;
    mod.m_fCarrierPhase = 33.0f;
    CQuadErr errors;
    std::vector<double> a(500);
    for (size_t i = 0; i < a.size(); ++i) a[i] = std::sin(0.01 * static_cast<double>(i));
    CDataColumn audio = MakeColumn(a);
    CDataColumn cwI, cwQ, fmI, fmQ;
    mod.m_nModulation = CModParm::CW;
    Modulate(mod, errors, 500, cwI, cwQ, audio, 8.0f);
    mod.m_nModulation = CModParm::FM;
    mod.m_fDeviation = 0.0f;
    Modulate(mod, errors, 500, fmI, fmQ, audio, 8.0f);
    EXPECT_EQ(Values(cwI), Values(fmI));
    EXPECT_EQ(Values(cwQ), Values(fmQ));

    // The step after sample i uses audio sample i: with audio 1, 0, ... and
    // deviation 1 the phase advances by (1 + fc) 2pi/Fs once.
    mod.m_fDeviation = 1.0f;
    mod.m_fCarrierPhase = 0.0f;
    CDataColumn pulse = MakeColumn({1.0, 0.0, 0.0});
    CDataColumn I, Q;
    Modulate(mod, errors, 3, I, Q, pulse, 8.0f);
    const double step1 = (1.0 + 0.7f) * kTwoPiD / 8.0;
    const double step2 = 0.7f * kTwoPiD / 8.0;
    EXPECT_NEAR(std::atan2(Q[1], I[1]), step1, 1e-12);
    EXPECT_NEAR(std::atan2(Q[2], I[2]), step1 + step2, 1e-12);
}

// ---------------------------------------------------------------------------
// Sampling

TEST(Quantize, RoundAndTruncateWithTheDataScale) {
    bool saturated = false;
    CSamp s;
    s.m_nQuantization = CSamp::Round;
    // Halves round away from zero on both sides.
    CDataColumn c = MakeColumn({0.6, -0.6, 0.5, -0.5, 1.5, -1.5, 0.4, -0.4});
    QuantizeColumn(s, c, saturated);
    EXPECT_EQ(Values(c), (std::vector<double>{1, -1, 1, -1, 2, -2, 0, 0}));
    EXPECT_FALSE(std::signbit(c[7])) << "no negative zero";
    EXPECT_FALSE(saturated);

    s.m_nQuantization = CSamp::Truncate;
    CDataColumn t = MakeColumn({0.6, -0.6, 1.9, -1.9});
    QuantizeColumn(s, t, saturated);
    EXPECT_EQ(Values(t), (std::vector<double>{0, 0, 1, -1}));
    EXPECT_FALSE(std::signbit(t[1]));

    s.m_nQuantization = CSamp::Round;
    s.m_fScale = 256.0f;
    CDataColumn scaled = MakeColumn({0.3, -0.3});
    QuantizeColumn(s, scaled, saturated);
    EXPECT_EQ(scaled[0], 77.0 / 256.0);   // 76.8
    EXPECT_EQ(scaled[1], -77.0 / 256.0);  // -76.8, the same distance on the other side

    // Beyond the range of a 32-bit integer the integer part is still exact.
    s.m_fScale = 1.0f;
    CDataColumn big = MakeColumn({1e12 + 0.7});
    QuantizeColumn(s, big, saturated);
    EXPECT_EQ(big[0], 1e12 + 1.0);

    s.m_nQuantization = CSamp::NoQuantization;
    CDataColumn none = MakeColumn({0.6});
    QuantizeColumn(s, none, saturated);
    EXPECT_EQ(none[0], 0.6);

    // A zero scale quantizes everything to 0 instead of 0/0.
    s.m_nQuantization = CSamp::Round;
    s.m_fScale = 0.0f;
    CDataColumn zero = MakeColumn({0.6, -3.0});
    QuantizeColumn(s, zero, saturated);
    EXPECT_EQ(Values(zero), (std::vector<double>{0, 0}));
}

TEST(Saturate, ClipsAtTheSaturationValueAndNotesIt) {
    CSamp s;
    bool saturated = false;
    EXPECT_EQ(Saturate(s, 1e9, saturated), 1e9);  // 0: no saturation
    s.m_fSaturation = 0.5f;
    EXPECT_EQ(Saturate(s, 0.5, saturated), 0.5);
    EXPECT_EQ(Saturate(s, -0.5, saturated), -0.5);
    EXPECT_FALSE(saturated);
    EXPECT_EQ(Saturate(s, 0.6, saturated), 0.5);
    EXPECT_TRUE(saturated);
    saturated = false;
    EXPECT_EQ(Saturate(s, -0.6, saturated), -0.5);
    EXPECT_TRUE(saturated);
    // A negative saturation value clips at its magnitude.
    s.m_fSaturation = -0.5f;
    saturated = false;
    EXPECT_EQ(Saturate(s, 0.2, saturated), 0.2);
    EXPECT_EQ(Saturate(s, 0.7, saturated), 0.5);
    EXPECT_TRUE(saturated);

    // Scaling saturates after multiplying.
    s.m_fSaturation = 100.0f;
    s.m_fScale = 128.0f;
    CDataColumn c = MakeColumn({0.5, 1.0});
    saturated = false;
    ScaleColumn(s, c, saturated);
    EXPECT_EQ(Values(c), (std::vector<double>{64.0, 100.0}));
    EXPECT_TRUE(saturated);
}

// ---------------------------------------------------------------------------
// IF filter files

TEST(IfFilterFile, OneUnitTapDelaysByOneSample) {
    test::CScriptedPlatform p;
    TempFile f("1\n1.0\n");
    CDataColumn c = MakeColumn({1, 2, 3, 4});
    ASSERT_TRUE(IfFilterFile(f.Path(), c));
    EXPECT_EQ(Values(c), (std::vector<double>{0, 1, 2, 3}));
    EXPECT_TRUE(p.messages.empty());
    // An empty name filters nothing.
    EXPECT_TRUE(IfFilterFile("", c));
    EXPECT_EQ(Values(c), (std::vector<double>{0, 1, 2, 3}));
}

TEST(IfFilterFile, TapsAreDelayedByTheirCountAndAnyWhiteSpaceSeparatesThem) {
    test::CScriptedPlatform p;
    TempFile f("  2 1\t0.5\r\n");
    CDataColumn c = MakeColumn({1, 2, 3, 4, 5});
    ASSERT_TRUE(IfFilterFile(f.Path(), c));
    // y[o] = x[o-2] + 0.5 x[o-3]
    EXPECT_EQ(Values(c), (std::vector<double>{0, 0, 1, 2.5, 4}));
}

TEST(IfFilterFile, AMissingTapRepeatsTheLastOneRead) {
    test::CScriptedPlatform p;
    TempFile f("3 1 2");
    CDataColumn c = MakeColumn({1, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(IfFilterFile(f.Path(), c));
    EXPECT_EQ(Values(c), (std::vector<double>{0, 0, 0, 1, 2, 2, 0, 0}));
    TempFile g("3 1 x 5");
    CDataColumn d = MakeColumn({1, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(IfFilterFile(g.Path(), d));
    EXPECT_EQ(Values(d), (std::vector<double>{0, 0, 0, 1, 1, 1, 0, 0})) << "nothing is read after a bad value";
}

TEST(IfFilterFile, AnUnreadableTapCountIsReportedAndLeavesTheColumn) {
    test::CScriptedPlatform p;
    for (const char* text : {"", "taps 1", "0\n1\n", "-3 1 1 1", "99999999999 1"}) {
        TempFile f(text);
        CDataColumn c = MakeColumn({1, 2, 3});
        p.messages.clear();
        EXPECT_FALSE(IfFilterFile(f.Path(), c)) << text;
        EXPECT_EQ(Values(c), (std::vector<double>{1, 2, 3})) << text;
        ASSERT_EQ(p.messages.size(), 1u) << text;
        EXPECT_NE(p.messages[0].text.find("number of taps"), std::string::npos);
        EXPECT_EQ(p.messages[0].icon, MsgIcon::Error);
    }
    p.messages.clear();
    CDataColumn c = MakeColumn({1, 2, 3});
    EXPECT_FALSE(IfFilterFile("/nonexistent/if.fir", c));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "Cannot open file \"/nonexistent/if.fir\".");
    EXPECT_EQ(Values(c), (std::vector<double>{1, 2, 3}));
}

TEST(IfFilterFile, ACountAtOrBeyondTheLengthGivesZerosWithoutReadingTaps) {
    test::CScriptedPlatform p;
    TempFile f("2000000000 1.0");
    CDataColumn c = MakeColumn({1, 2, 3});
    ASSERT_TRUE(IfFilterFile(f.Path(), c));
    EXPECT_EQ(Values(c), (std::vector<double>{0, 0, 0}));
}

TEST(IfFilterFile, MatchesTheDirectSumOverBlockBoundaries) {
    test::CScriptedPlatform p;
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> taps(-1.0f, 1.0f);
    std::string text = "64\n";
    std::vector<float> h(64);
    for (float& t : h) {
        t = taps(rng);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.9g\n", static_cast<double>(t));
        text += buf;
    }
    TempFile f(text);
    std::uniform_real_distribution<double> values(-2.0, 2.0);
    std::vector<double> x(3001);
    for (double& v : x) v = values(rng);
    CDataColumn c = MakeColumn(x);
    ASSERT_TRUE(IfFilterFile(f.Path(), c));
    ASSERT_EQ(c.GetSize(), 3001);
    for (int o = 0; o < 3001; ++o) {
        double y = 0.0;
        for (int i = 0; i < 64; ++i)
            if (o - 64 - i >= 0) y += static_cast<double>(h[i]) * x[o - 64 - i];
        ASSERT_EQ(c[o], y) << o;
    }
}

// ---------------------------------------------------------------------------
// Demodulation

TEST(Demodulate, AmIsTheMagnitudeAndFmThePhaseStepOverPi) {
    CDataColumn I = MakeColumn({3, 0, -1});
    CDataColumn Q = MakeColumn({4, 2, 0});
    CDataColumn am;
    AmDemodulate(I, Q, am);
    EXPECT_EQ(Values(am), (std::vector<double>{5, 2, 1}));

    // Phases 0, 3pi/4, -pi/2 (a step of 3pi/4, then -5pi/4 wrapped to 3pi/4).
    CDataColumn fi = MakeColumn({1, std::cos(3 * M_PI / 4), 0});
    CDataColumn fq = MakeColumn({0, std::sin(3 * M_PI / 4), -1});
    CDataColumn fm;
    FmDemodulate(fi, fq, fm);
    ASSERT_EQ(fm.GetSize(), 3);
    EXPECT_EQ(fm[0], 0.0);
    EXPECT_NEAR(fm[1], 0.75, 1e-7);
    EXPECT_NEAR(fm[2], 0.75, 1e-7);
    // The first point's value is its own angle.
    CDataColumn gi = MakeColumn({0}), gq = MakeColumn({1}), g;
    FmDemodulate(gi, gq, g);
    EXPECT_NEAR(g[0], 0.5, 1e-7);
    for (double v : fm) EXPECT_LE(std::fabs(v), 1.0);
}

}  // namespace
}  // namespace kv
