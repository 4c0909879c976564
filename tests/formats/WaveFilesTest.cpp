#include <gtest/gtest.h>

#include <cstring>

#include "formats/FormatCatalogue.h"
#include "formats/SignalFiles.h"
#include "formats/WaveFiles.h"
#include "formats/FormatsTestSupport.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::MakeData;
using kv::test::ReadBytes;
using kv::test::Target;
using kv::test::Values;
using kv::test::WriteBytes;

namespace {

std::string U16(uint32_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
std::string U32(uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }

struct WaveLayout {
    uint32_t fmtSize = 16;
    uint16_t tag = 1;
    uint16_t channels = 2;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    uint16_t extra = 0;
    std::string before;        // chunks between fmt and data
    bool dataChunk = true;
    int64_t dataSize = -1;     // -1: the size of the samples
    std::string samples;
};

std::string Chunk(const std::string& id, const std::string& body) { return id + U32(static_cast<uint32_t>(body.size())) + body; }

std::string MakeWave(const WaveLayout& s) {
    std::string fmt = U16(s.tag) + U16(s.channels) + U32(s.rate) + U32(s.rate * s.channels * s.bits / 8) +
                      U16(s.channels * s.bits / 8) + U16(s.bits);
    if (s.fmtSize >= 18) fmt += U16(s.extra);
    fmt.resize(s.fmtSize, '\0');
    std::string body = "WAVE" + ("fmt " + U32(s.fmtSize) + fmt) + s.before;
    if (s.dataChunk)
        body += "data" + U32(static_cast<uint32_t>(s.dataSize < 0 ? s.samples.size() : s.dataSize)) + s.samples;
    return "RIFF" + U32(static_cast<uint32_t>(body.size())) + body;
}

std::string Samples16(std::initializer_list<int> words) {
    std::string s;
    for (int w : words) s += U16(static_cast<uint16_t>(static_cast<int16_t>(w)));
    return s;
}

struct ReadResult {
    bool ok;
    CDataSetIO data;
    CDataFormat format;
};

ReadResult ReadWave(const CTempDir& dir, const std::string& bytes, bool two) {
    WriteBytes(dir / "t.wav", bytes);
    ReadResult r{false, Target(), CDataFormat(FMT_BINARY_WAVE)};
    r.ok = ReadSignalFile(r.data, r.format, dir / "t.wav", 0, two ? 1 : kNoColumn);
    return r;
}

}  // namespace

TEST(WaveRead, StereoSixteenBitGivesLeftAndRight) {
    CScriptedPlatform platform;
    CTempDir dir;
    WaveLayout layout;
    layout.samples = Samples16({32767, -32767, 16384, 0, -1, 1});
    ReadResult two = ReadWave(dir, MakeWave(layout), true);
    ASSERT_TRUE(two.ok);
    EXPECT_EQ(Values(two.data.GetColumn(0)), (std::vector<double>{1.0, 16384 / 32767.0, -1 / 32767.0}));
    EXPECT_EQ(Values(two.data.GetColumn(1)), (std::vector<double>{-1.0, 0.0, 1 / 32767.0}));
    EXPECT_EQ(two.format.m_nFormat, FMT_WAVE_16);
    EXPECT_EQ(two.format.m_WavFmt.m_nSizeChoice, 1);
    EXPECT_EQ(two.format.m_WavFmt.m_nRateChoice, 1);
    EXPECT_EQ(two.format.m_WavFmt.m_header.m_nChannels, 2);
    ReadResult one = ReadWave(dir, MakeWave(layout), false);
    ASSERT_TRUE(one.ok);
    EXPECT_EQ(Values(one.data.GetColumn(0)), (std::vector<double>{1.0, 16384 / 32767.0, -1 / 32767.0}));
    EXPECT_EQ(one.data.GetColumn(1).GetSize(), 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(WaveRead, MonoFileReadAsComplexWarnsAndReadsInphase) {
    CScriptedPlatform platform;
    CTempDir dir;
    WaveLayout layout;
    layout.channels = 1;
    layout.bits = 8;
    layout.rate = 11025;
    layout.samples = std::string("\xFF\x80\x00", 3);
    ReadResult r = ReadWave(dir, MakeWave(layout), true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Values(r.data.GetColumn(0)), (std::vector<double>{0.9921875, 0.0, -1.0}));
    EXPECT_EQ(r.format.m_nFormat, FMT_WAVE_8);
    EXPECT_EQ(r.format.m_WavFmt.m_nRateChoice, 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "File contains only one channel: quadrature data will not be read.");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Warning);
}

TEST(WaveRead, OtherChunksAreSkippedIncludingOddOnesWithOrWithoutPad) {
    CScriptedPlatform platform;
    CTempDir dir;
    WaveLayout layout;
    layout.samples = Samples16({100, 200});
    layout.before = Chunk("LIST", "INFOISFT\x04\0\0\0test");
    ASSERT_TRUE(ReadWave(dir, MakeWave(layout), true).ok);
    layout.before = Chunk("junk", "abc") + std::string(1, '\0');  // odd size, RIFF pad byte
    ReadResult padded = ReadWave(dir, MakeWave(layout), true);
    ASSERT_TRUE(padded.ok);
    EXPECT_EQ(padded.data.GetValue(1, 0), 200 / 32767.0);
    layout.before = Chunk("junk", "abc");  // odd size, no pad byte
    ASSERT_TRUE(ReadWave(dir, MakeWave(layout), true).ok);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(WaveRead, FmtChunkSizes) {
    CScriptedPlatform platform;
    CTempDir dir;
    WaveLayout layout;
    layout.samples = Samples16({1, 2});
    layout.fmtSize = 18;
    EXPECT_TRUE(ReadWave(dir, MakeWave(layout), true).ok);
    layout.extra = 2;
    EXPECT_FALSE(ReadWave(dir, MakeWave(layout), true).ok);
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"This file uses an unsupported WAVE sub-format.",
                                                                 "Input file does not have a valid header."}));
    platform.messages.clear();
    layout.extra = 0;
    layout.fmtSize = 40;
    ReadResult r = ReadWave(dir, MakeWave(layout), true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"This file contains unknown formatting information.",
                                                                 "Input file does not have a valid header."}));
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    platform.messages.clear();
    layout.fmtSize = 14;
    EXPECT_FALSE(ReadWave(dir, MakeWave(layout), true).ok);
    EXPECT_TRUE(platform.SawMessage("This is not a valid WAVE file."));
}

TEST(WaveRead, FourChannelsReadAsComplexGiveTheFirstTwo) {
    CScriptedPlatform platform;
    CTempDir dir;
    WaveLayout layout;
    layout.channels = 4;
    layout.samples = Samples16({1, 2, 3, 4, 5, 6, 7, 8});
    ReadResult r = ReadWave(dir, MakeWave(layout), true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Values(r.data.GetColumn(0)), (std::vector<double>{1 / 32767.0, 5 / 32767.0}));
    EXPECT_EQ(Values(r.data.GetColumn(1)), (std::vector<double>{2 / 32767.0, 6 / 32767.0}));
    ReadResult one = ReadWave(dir, MakeWave(layout), false);
    EXPECT_EQ(Values(one.data.GetColumn(0)), (std::vector<double>{1 / 32767.0, 5 / 32767.0}));
}

TEST(WaveRead, BrokenHeadersAreRefusedWithTheirMessages) {
    CScriptedPlatform platform;
    CTempDir dir;
    auto expectRefused = [&](const std::string& bytes, const std::string& message) {
        platform.messages.clear();
        ReadResult r = ReadWave(dir, bytes, true);
        EXPECT_FALSE(r.ok) << message;
        EXPECT_EQ(r.data.GetColumn(0).GetSize(), 0);
        EXPECT_EQ(platform.MessageTexts(),
                  (std::vector<std::string>{message, "Input file does not have a valid header."}));
    };
    WaveLayout layout;
    layout.samples = Samples16({1, 2});
    std::string good = MakeWave(layout);

    layout.dataChunk = false;
    expectRefused(MakeWave(layout), "Error in WAVE header.  The chunk named 'data' was not found.");
    layout.dataChunk = true;
    expectRefused("", "This is not a valid WAVE file.");
    expectRefused(good.substr(0, 19), "This is not a valid WAVE file.");
    expectRefused(good.substr(0, 30), "This is not a valid WAVE file.");
    std::string notWave = good;
    notWave.replace(8, 4, "AVI ");
    expectRefused(notWave, "This is not a valid WAVE file.");
    layout.channels = 0;
    expectRefused(MakeWave(layout), "This file uses an unsupported WAVE sub-format.");
    layout.channels = 2;
    layout.bits = 12;
    expectRefused(MakeWave(layout), "This file uses an unsupported WAVE sub-format.");
    layout.bits = 4;
    expectRefused(MakeWave(layout), "This file uses an unsupported WAVE sub-format.");
    layout.bits = 16;
    layout.tag = 3;
    expectRefused(MakeWave(layout), "This file uses an unsupported WAVE sub-format.");
    layout.tag = 1;
    layout.before = Chunk("LIST", "x") + "LI";  // the file ends inside a chunk header
    expectRefused(MakeWave(layout).substr(0, 46 - 8 + 9 + 2), "Error in WAVE header.  The chunk named 'data' was not found.");
    layout.before = "LIST" + U32(0xFFFFFFFFu);
    expectRefused(MakeWave(layout), "Error in WAVE header.  The chunk named 'data' was not found.");
}

TEST(WaveRead, TruncatedDataAndDataSizeLimits) {
    CScriptedPlatform platform;
    CTempDir dir;
    WaveLayout layout;
    layout.samples = Samples16({1, 2, 3, 4, 5});  // two and a half frames
    layout.dataSize = 1000;
    ReadResult r = ReadWave(dir, MakeWave(layout), true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.data.GetCount(), 2);
    // Chunks after the data are not samples.
    layout.samples = Samples16({1, 2});
    layout.dataSize = -1;
    std::string withTail = MakeWave(layout) + Chunk("LIST", "abcdefgh");
    ReadResult tail = ReadWave(dir, withTail, true);
    EXPECT_EQ(tail.data.GetCount(), 1);
    // A data chunk of size 0 holds no frames.
    layout.dataSize = 0;
    ReadResult none = ReadWave(dir, MakeWave(layout) + Samples16({7, 8}), true);
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.data.GetColumn(0).GetSize(), 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(WaveRead, RateChoicesAndTheRateInKHz) {
    CScriptedPlatform platform;
    CTempDir dir;
    WaveLayout layout;
    layout.samples = Samples16({1, 2});
    // Rates other than the three become the project-rate choice, standing for the file's own rate.
    for (auto [rate, choice, khz] : {std::tuple{11025u, 0, 11.025}, {22050u, 1, 22.05}, {44100u, 2, 44.1},
                                     {48000u, 3, 48.0}, {8000u, 3, 8.0}, {96000u, 3, 96.0}, {1u, 3, 0.001}}) {
        layout.rate = rate;
        ReadResult r = ReadWave(dir, MakeWave(layout), true);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.format.m_WavFmt.m_nRateChoice, choice) << rate;
        double k = 0;
        ASSERT_TRUE(WaveSampleRateKHz(r.format, k));
        EXPECT_DOUBLE_EQ(k, khz);
        EXPECT_EQ(r.format.m_dFileRate, rate);
    }
    double k = -1;
    CDataFormat other(FMT_TEXT_DECIMAL);
    EXPECT_FALSE(WaveSampleRateKHz(other, k));
    CDataFormat plain(FMT_BINARY_WAVE);
    plain.m_WavFmt.m_nRateChoice = 7;
    EXPECT_TRUE(WaveSampleRateKHz(plain, k));
    EXPECT_DOUBLE_EQ(k, 22.05);
}

TEST(WaveWrite, HeaderAndSamples) {
    CScriptedPlatform platform;
    CTempDir dir;
    std::vector<double> i(100, 0.0), q(100, 0.0);
    i[0] = 1.0;
    i[1] = -1.0;
    q[0] = -1.0;
    q[1] = 0.5;
    CDataSetIO data = MakeData(i, q);
    CDataFormat format(FMT_BINARY_WAVE);
    format.m_WavFmt.m_nSizeChoice = 1;
    format.m_WavFmt.m_nRateChoice = 2;
    ASSERT_TRUE(WriteSignalFile(data, format, dir / "s.wav", 0, 1, 1));
    std::string b = ReadBytes(dir / "s.wav");
    ASSERT_EQ(b.size(), 46u + 400u);
    EXPECT_EQ(b.substr(0, 4), "RIFF");
    EXPECT_EQ(b.substr(4, 4), U32(438));
    EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(b.substr(16, 4), U32(18));
    EXPECT_EQ(b.substr(20, 2), U16(1));
    EXPECT_EQ(b.substr(22, 2), U16(2));
    EXPECT_EQ(b.substr(24, 4), U32(44100));
    EXPECT_EQ(b.substr(28, 4), U32(44100 * 4));
    EXPECT_EQ(b.substr(32, 2), U16(4));
    EXPECT_EQ(b.substr(34, 2), U16(16));
    EXPECT_EQ(b.substr(36, 2), U16(0));
    EXPECT_EQ(b.substr(38, 4), "data");
    EXPECT_EQ(b.substr(42, 4), U32(400));
    EXPECT_EQ(b.substr(46, 8), Samples16({0x7FFF, -32767, -32767, 16384}));
    EXPECT_EQ(format.m_nFormat, FMT_WAVE_16);

    CDataSetIO real = MakeData({0.25});
    CDataFormat mono(FMT_BINARY_WAVE);
    ASSERT_TRUE(WriteSignalFile(real, mono, dir / "m.wav", 0, kNoColumn, 1));
    std::string m = ReadBytes(dir / "m.wav");
    EXPECT_EQ(m.substr(22, 2), U16(1));
    EXPECT_EQ(m.substr(34, 2), U16(8));
    EXPECT_EQ(mono.m_nFormat, FMT_WAVE_8);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(WaveWrite, OverflowQuestionOnlyForSixteenBits) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO loud = MakeData({1.5, -2.0});
    CDataFormat eight(FMT_BINARY_WAVE);
    ASSERT_TRUE(WriteSignalFile(loud, eight, dir / "8.wav", 0, kNoColumn, 1));
    EXPECT_TRUE(platform.messages.empty());
    // Beyond the range, 8-bit samples stay at the nearest byte instead of wrapping.
    EXPECT_EQ(static_cast<unsigned char>(ReadBytes(dir / "8.wav")[46]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(ReadBytes(dir / "8.wav")[47]), 0x00);
    CDataFormat sixteen(FMT_BINARY_WAVE);
    sixteen.m_WavFmt.m_nSizeChoice = 1;
    platform.AnswerNo();
    EXPECT_FALSE(WriteSignalFile(loud, sixteen, dir / "16.wav", 0, kNoColumn, 1));
    EXPECT_TRUE(platform.SawMessage("The current data will overflow the write data format.  Write anyway?"));
    EXPECT_FALSE(kv::test::FileExists(dir / "16.wav"));
}

TEST(WaveWrite, WrittenFilesReadBack) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({0.5, -0.5, 0.25}, {0.125, 0.0, -1.0});
    for (int size : {0, 1}) {
        CDataFormat format(FMT_BINARY_WAVE);
        format.m_WavFmt.m_nSizeChoice = size;
        format.m_WavFmt.m_nRateChoice = 0;
        ASSERT_TRUE(WriteSignalFile(data, format, dir / "r.wav", 0, 1, 1));
        CDataFormat in(FMT_BINARY_WAVE);
        in.m_WavFmt.m_nRateChoice = 2;
        CDataSetIO back = Target();
        ASSERT_TRUE(ReadSignalFile(back, in, dir / "r.wav", 0, 1));
        EXPECT_EQ(back.GetCount(), 3);
        EXPECT_EQ(in.m_WavFmt.m_nRateChoice, 0);
        EXPECT_EQ(in.m_WavFmt.m_nSizeChoice, size);
        EXPECT_NEAR(back.GetValue(0, 0), 0.5, size ? 1e-4 : 1e-2);
        EXPECT_NEAR(back.GetValue(1, 2), -1.0, size ? 1e-4 : 1e-2);
    }
}
