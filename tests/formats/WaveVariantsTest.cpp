#include <gtest/gtest.h>

#include <cstring>

#include "data/CWavFmt.h"
#include "formats/FormatCatalogue.h"
#include "formats/SignalFiles.h"
#include "formats/WaveFiles.h"
#include "formats/FormatsTestSupport.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::Fixture;
using kv::test::MakeData;
using kv::test::ReadAs;
using kv::test::ReadBytes;
using kv::test::Values;

namespace {

// The words the fixtures hold (see make-fixtures.sh).
const std::vector<int> kLeft = {0, 1, -1, 32767, -32768, 12345, -23456, 100};
const std::vector<int> kRight = {-32768, 32767, 2, -2, 0, -12345, 23456, -100};

std::vector<double> Divided(const std::vector<int>& words, double factor, double divisor) {
    std::vector<double> v;
    for (int w : words) v.push_back(w * factor / divisor);
    return v;
}

std::vector<double> Column(const CDataSetIO& data, int column) { return Values(data.GetColumn(column)); }

}  // namespace

TEST(WaveFromOtherPrograms, PythonWaveFilesOfEverySampleSize) {
    CScriptedPlatform platform;
    auto r16 = ReadAs(FMT_BINARY_WAVE, Fixture("pcm16-stereo-48k.wav"), true);
    ASSERT_TRUE(r16.ok);
    EXPECT_EQ(Column(r16.data, 0), Divided(kLeft, 1, 32767.0));
    EXPECT_EQ(Column(r16.data, 1), Divided(kRight, 1, 32767.0));
    EXPECT_EQ(r16.format.m_nFormat, FMT_WAVE_16);
    EXPECT_EQ(r16.format.m_dFileRate, 48000.0);

    auto r8 = ReadAs(FMT_BINARY_WAVE, Fixture("pcm8-mono-8k.wav"), false);
    ASSERT_TRUE(r8.ok);
    EXPECT_EQ(Column(r8.data, 0), (std::vector<double>{-1.0, -127 / 128.0, -1 / 128.0, 0.0, 1 / 128.0, 72 / 128.0,
                                                      126 / 128.0, 127 / 128.0}));
    EXPECT_EQ(r8.format.m_nFormat, FMT_WAVE_8);
    EXPECT_EQ(r8.format.m_dFileRate, 8000.0);

    auto r24 = ReadAs(FMT_BINARY_WAVE, Fixture("pcm24-mono-96k.wav"), false);
    ASSERT_TRUE(r24.ok);
    std::vector<double> want24 = Divided(kLeft, 256, 8388607.0);
    want24.push_back(1.0);
    want24.push_back(-8388608 / 8388607.0);
    EXPECT_EQ(Column(r24.data, 0), want24);
    EXPECT_EQ(r24.format.m_nFormat, FMT_BINARY_WAVE);
    EXPECT_EQ(r24.format.m_WavFmt.m_nSizeChoice, CWavFmt::SIZE_24);
    EXPECT_EQ(r24.format.m_dFileRate, 96000.0);

    auto r32 = ReadAs(FMT_BINARY_WAVE, Fixture("pcm32-stereo-44k.wav"), true);
    ASSERT_TRUE(r32.ok);
    EXPECT_EQ(Column(r32.data, 0), (std::vector<double>{1.0, 65536 / 2147483647.0, 1 / 2147483647.0}));
    EXPECT_EQ(Column(r32.data, 1), (std::vector<double>{-2147483648 / 2147483647.0, -65536 / 2147483647.0,
                                                        -1 / 2147483647.0}));
    EXPECT_EQ(r32.format.m_WavFmt.m_nSizeChoice, CWavFmt::SIZE_32);
    EXPECT_EQ(r32.format.m_WavFmt.m_nRateChoice, 2);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(WaveFromOtherPrograms, SoxExtensibleAndFloatFiles) {
    CScriptedPlatform platform;
    // 24 bits in four channels: the first two are read, the others skipped.
    auto ext24 = ReadAs(FMT_BINARY_WAVE, Fixture("sox-ext24-4ch.wav"), true);
    ASSERT_TRUE(ext24.ok);
    EXPECT_EQ(Column(ext24.data, 0), Divided(kLeft, 256, 8388607.0));
    EXPECT_EQ(Column(ext24.data, 1), Divided(kRight, 256, 8388607.0));
    EXPECT_EQ(ext24.format.m_WavFmt.m_header.m_nChannels, 4);
    EXPECT_EQ(ext24.format.m_dFileRate, 48000.0);
    // 16 bits in three channels, extensible: the 16-bit working id.
    auto ext16 = ReadAs(FMT_BINARY_WAVE, Fixture("sox-ext16-3ch.wav"), true);
    ASSERT_TRUE(ext16.ok);
    EXPECT_EQ(Column(ext16.data, 0), Divided(kLeft, 1, 32767.0));
    EXPECT_EQ(Column(ext16.data, 1), Divided(kRight, 1, 32767.0));
    EXPECT_EQ(ext16.format.m_nFormat, FMT_WAVE_16);
    auto ext32 = ReadAs(FMT_BINARY_WAVE, Fixture("sox-ext32.wav"), false);
    ASSERT_TRUE(ext32.ok);
    EXPECT_EQ(Column(ext32.data, 0), Divided(kLeft, 65536, 2147483647.0));
    // Floats are the values themselves (sox writes w / 32768).
    auto f32 = ReadAs(FMT_BINARY_WAVE, Fixture("sox-float32.wav"), true);
    ASSERT_TRUE(f32.ok);
    EXPECT_EQ(Column(f32.data, 0), Divided(kLeft, 1, 32768.0));
    EXPECT_EQ(Column(f32.data, 1), Divided(kRight, 1, 32768.0));
    EXPECT_EQ(f32.format.m_WavFmt.m_nSizeChoice, CWavFmt::SIZE_FLOAT32);
    EXPECT_EQ(f32.format.m_nFormat, FMT_BINARY_WAVE);
    auto f64 = ReadAs(FMT_BINARY_WAVE, Fixture("sox-float64.wav"), false);
    ASSERT_TRUE(f64.ok);
    EXPECT_EQ(Column(f64.data, 0), Divided(kLeft, 1, 32768.0));
    EXPECT_EQ(f64.format.m_WavFmt.m_nSizeChoice, CWavFmt::SIZE_FLOAT64);
    EXPECT_EQ(f64.format.m_dFileRate, 22050.0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(WaveFromOtherPrograms, ExtensibleHeadersThatDoNotDescribeSamplesAreRefused) {
    CScriptedPlatform platform;
    CTempDir dir;
    std::string good = ReadBytes(Fixture("sox-ext24-4ch.wav"));
    auto refused = [&](std::string bytes, const std::string& message) {
        kv::test::WriteBytes(dir / "x.wav", bytes);
        platform.messages.clear();
        auto r = ReadAs(FMT_BINARY_WAVE, dir / "x.wav", true);
        EXPECT_FALSE(r.ok) << message;
        EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{message, "Input file does not have a valid header."}));
    };
    std::string guid = good;
    guid[46] = 'X';  // a sub-format GUID of another family
    refused(guid, "This file uses an unsupported WAVE sub-format.");
    std::string adpcm = good;
    adpcm[44] = 2;  // sub-format 2: ADPCM
    refused(adpcm, "This file uses an unsupported WAVE sub-format.");
    std::string shortExtra = good;
    shortExtra[36] = 10;  // fewer than 22 extra bytes
    refused(shortExtra, "This file uses an unsupported WAVE sub-format.");
    std::string floatSixteen = ReadBytes(Fixture("sox-float32.wav"));
    floatSixteen[34] = 16;  // 16-bit floats
    refused(floatSixteen, "This file uses an unsupported WAVE sub-format.");
}

TEST(WaveRoundTrip, AnUnmodifiedSixteenBitFileConvertsToItselfWithoutAQuestion) {
    CScriptedPlatform platform;
    CTempDir dir;
    // Python's wave writes a 16-byte fmt chunk; the program writes 18 bytes.
    // The samples, -32768 among them, come back word for word.
    auto r = ReadAs(FMT_BINARY_WAVE, Fixture("pcm16-stereo-48k.wav"), true);
    ASSERT_TRUE(r.ok);
    ASSERT_TRUE(WriteSignalFile(r.data, r.format, dir / "back.wav", 0, 1, 1));
    EXPECT_TRUE(platform.messages.empty()) << platform.MessageTexts()[0];
    std::string in = ReadBytes(Fixture("pcm16-stereo-48k.wav"));
    std::string out = ReadBytes(dir / "back.wav");
    EXPECT_EQ(out.substr(46), in.substr(44));
    EXPECT_EQ(out.substr(24, 4), in.substr(24, 4));  // 48000 Hz
    // The written file reads back as the same values, and again writes the same bytes.
    auto again = ReadAs(FMT_BINARY_WAVE, dir / "back.wav", true);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(Column(again.data, 0), Column(r.data, 0));
    ASSERT_TRUE(WriteSignalFile(again.data, again.format, dir / "again.wav", 0, 1, 1));
    EXPECT_EQ(ReadBytes(dir / "again.wav"), out);
    // So do 8-bit samples, every byte value among them.
    std::vector<double> bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back((b - 128) / 128.0);
    CDataSetIO all = MakeData(bytes);
    CDataFormat eight(FMT_BINARY_WAVE);
    ASSERT_TRUE(WriteSignalFile(all, eight, dir / "8.wav", 0, kNoColumn, 1));
    std::string b8 = ReadBytes(dir / "8.wav");
    ASSERT_EQ(b8.size(), 46u + 256u);
    for (int b = 0; b < 256; ++b) EXPECT_EQ(static_cast<unsigned char>(b8[46 + b]), b);
}

TEST(WaveRoundTrip, TheOverflowTestTakesTheMostNegativeWordOnly) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFormat sixteen(FMT_BINARY_WAVE);
    sixteen.m_WavFmt.m_nSizeChoice = CWavFmt::SIZE_16;
    CDataSetIO lowest = MakeData({-32768 / 32767.0, 1.0});
    ASSERT_TRUE(WriteSignalFile(lowest, sixteen, dir / "a.wav", 0, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "a.wav").substr(46), std::string("\x00\x80\xFF\x7F", 4));
    EXPECT_TRUE(platform.messages.empty());
    // A hair below the most negative word, or above 1.0, still asks.
    for (double v : {-32768.6 / 32767.0, 1.0000001}) {
        CDataSetIO beyond = MakeData({v});
        platform.AnswerNo();
        EXPECT_FALSE(WriteSignalFile(beyond, sixteen, dir / "b.wav", 0, kNoColumn, 1)) << v;
        EXPECT_EQ(platform.messages.size(), 1u);
        platform.messages.clear();
    }
}

TEST(WaveWriteSizes, TwentyFourAndThirtyTwoBitsAndFloats) {
    CScriptedPlatform platform;
    CTempDir dir;
    // Values that are words of both sizes (divided by their full scale) read back exactly.
    CDataSetIO data = MakeData({1.0, -1.0, 4194304 / 8388607.0}, {-8388608 / 8388607.0, 0.0, -1 / 8388607.0});
    CDataFormat f24(FMT_BINARY_WAVE);
    f24.m_WavFmt.m_nSizeChoice = CWavFmt::SIZE_24;
    f24.m_WavFmt.m_nRateChoice = 1;
    ASSERT_TRUE(WriteSignalFile(data, f24, dir / "24.wav", 0, 1, 1));
    std::string b = ReadBytes(dir / "24.wav");
    ASSERT_EQ(b.size(), 46u + 18u);
    EXPECT_EQ(static_cast<uint8_t>(b[34]), 24);
    EXPECT_EQ(static_cast<uint8_t>(b[32]), 6);  // block size
    EXPECT_EQ(b.substr(46, 6), std::string("\xFF\xFF\x7F\x00\x00\x80", 6));
    EXPECT_EQ(b.substr(52, 3), std::string("\x01\x00\x80", 3));  // -1.0: -8388607
    auto back = ReadAs(FMT_BINARY_WAVE, dir / "24.wav", true);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(Column(back.data, 0), Column(data, 0));
    EXPECT_EQ(Column(back.data, 1), Column(data, 1));
    EXPECT_EQ(back.format.m_WavFmt.m_nSizeChoice, CWavFmt::SIZE_24);

    // (The 24-bit word -8388608 lies beyond what 32 bits take without a question.)
    CDataSetIO inphase = MakeData(Column(data, 0));
    CDataFormat f32(FMT_BINARY_WAVE);
    f32.m_WavFmt.m_nSizeChoice = CWavFmt::SIZE_32;
    ASSERT_TRUE(WriteSignalFile(inphase, f32, dir / "32.wav", 0, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "32.wav").substr(46, 4), std::string("\xFF\xFF\xFF\x7F", 4));
    auto back32 = ReadAs(FMT_BINARY_WAVE, dir / "32.wav", false);
    ASSERT_TRUE(back32.ok);
    EXPECT_EQ(back32.data.GetValue(0, 1), -1.0);
    EXPECT_NEAR(back32.data.GetValue(0, 2), data.GetValue(0, 2), 0.5 / 2147483647.0);

    for (int size : {CWavFmt::SIZE_FLOAT32, CWavFmt::SIZE_FLOAT64}) {
        CDataSetIO loud = MakeData({1.5, -2.25, 0.1});
        CDataFormat f(FMT_BINARY_WAVE);
        f.m_WavFmt.m_nSizeChoice = size;
        // Floats hold values beyond 1: no question.
        ASSERT_TRUE(WriteSignalFile(loud, f, dir / "f.wav", 0, kNoColumn, 1));
        std::string fb = ReadBytes(dir / "f.wav");
        EXPECT_EQ(static_cast<uint8_t>(fb[20]), 3);  // IEEE float
        auto fr = ReadAs(FMT_BINARY_WAVE, dir / "f.wav", false);
        ASSERT_TRUE(fr.ok);
        EXPECT_EQ(fr.data.GetValue(0, 1), -2.25);
        EXPECT_EQ(fr.data.GetValue(0, 2), size == CWavFmt::SIZE_FLOAT32 ? static_cast<double>(0.1f) : 0.1);
        EXPECT_EQ(fr.format.m_WavFmt.m_nSizeChoice, size);
    }
    EXPECT_TRUE(platform.messages.empty());
    // Beyond the range, 24-bit words saturate once the user agrees.
    CDataSetIO loud = MakeData({3.0, -3.0});
    platform.AnswerYes();
    ASSERT_TRUE(WriteSignalFile(loud, f24, dir / "loud.wav", 0, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "loud.wav").substr(46), std::string("\xFF\xFF\x7F\x00\x00\x80", 6));
}

TEST(WaveRates, AFileOfAnotherRateWritesThatRateBack) {
    CScriptedPlatform platform;
    CTempDir dir;
    auto r = ReadAs(FMT_BINARY_WAVE, Fixture("pcm24-mono-96k.wav"), false);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.format.m_WavFmt.m_nRateChoice, CWavFmt::kRateProject);
    EXPECT_EQ(r.format.m_WavFmt.m_nProjectRate, 96000u);
    double kHz = 0;
    ASSERT_TRUE(WaveSampleRateKHz(r.format, kHz));
    EXPECT_EQ(kHz, 96.0);
    ASSERT_TRUE(WriteSignalFile(r.data, r.format, dir / "w.wav", 0, kNoColumn, 1));
    std::string b = ReadBytes(dir / "w.wav");
    EXPECT_EQ(b.substr(24, 4), std::string("\x00\x77\x01\x00", 4));  // 96000
    // A project rate set before the write (the project's Fs) is what choice 3 writes.
    r.format.SetDataRate(12345.4);
    ASSERT_TRUE(WriteSignalFile(r.data, r.format, dir / "p.wav", 0, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "p.wav").substr(24, 4), std::string("\x39\x30\x00\x00", 4));  // 12345
    // The three fixed choices stay what they are.
    r.format.m_WavFmt.m_nRateChoice = 0;
    ASSERT_TRUE(WriteSignalFile(r.data, r.format, dir / "q.wav", 0, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "q.wav").substr(24, 4), std::string("\x11\x2B\x00\x00", 4));  // 11025
}

TEST(WaveRates, TheDialogOffersTheProjectRateWhenItDiffers) {
    CScriptedPlatform platform;
    CWavFmt wav;
    wav.m_nProjectRate = 48000;
    wav.m_nRateChoice = 0;
    platform.OnDialog([](CDialogModel& d) {
        const CControl& project = d.Control(CWavFmt::IDC_RATE_PROJECT);
        EXPECT_TRUE(project.m_bVisible);
        EXPECT_EQ(project.m_strCaption, "48 (project)");
        EXPECT_EQ(d.GetCheckedRadioButton(CWavFmt::IDC_RATE_11K), 0);
        d.SimulateClick(CWavFmt::IDC_RATE_PROJECT);
        d.SimulateClick(CWavFmt::IDC_SIZE_24);
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(RunDialog(wav));
    EXPECT_EQ(wav.m_nRateChoice, CWavFmt::kRateProject);
    EXPECT_EQ(wav.m_nSizeChoice, CWavFmt::SIZE_24);
    EXPECT_EQ(WaveSampleRate(wav), 48000u);

    // A project at one of the three rates: no further choice, and a stored
    // project-rate choice shows no button pressed until the user picks one.
    wav.m_nProjectRate = 44100;
    platform.OnDialog([](CDialogModel& d) {
        EXPECT_FALSE(d.Control(CWavFmt::IDC_RATE_PROJECT).m_bVisible);
        EXPECT_EQ(d.GetCheckedRadioButton(CWavFmt::IDC_RATE_11K), -1);
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(RunDialog(wav));
    EXPECT_EQ(wav.m_nRateChoice, CWavFmt::kRateProject);
    EXPECT_EQ(WaveSampleRate(wav), 44100u);
    // 8.1 kHz is shown in its shortest form.
    wav.m_nProjectRate = 8100;
    platform.OnDialog([](CDialogModel& d) {
        EXPECT_EQ(d.Control(CWavFmt::IDC_RATE_PROJECT).m_strCaption, "8.1 (project)");
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(RunDialog(wav));
}
