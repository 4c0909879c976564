#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "formats/CFileReader.h"
#include "formats/FormatCatalogue.h"
#include "formats/FormatHelpers.h"
#include "formats/FormatsTestSupport.h"
#include "formats/NumberText.h"
#include "formats/SignalFiles.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::CrLfLines;
using kv::test::MakeData;
using kv::test::ReadBytes;
using kv::test::Target;
using kv::test::Values;
using kv::test::WriteBytes;

namespace {

// The order in which records of n samples come out for a step: phase by
// phase, each sample once.
std::vector<int> StepOrder(int n, int step) {
    std::vector<int> order;
    int f = step == 0 ? 1 : std::abs(step);
    for (int phase = 0; phase < f; ++phase) {
        if (step >= 0) {
            for (int i = phase; i < n; i += f) order.push_back(i);
        } else {
            for (int i = n - f + phase; i >= 0; i -= f)
                if (i < n) order.push_back(i);
        }
    }
    return order;
}

// The value a sample comes back as after a round trip through the format.
double Stored(int32_t id, int bits, double x, int n) {
    CDataFormat f(id);
    f.m_FixedPoint.m_nBits = bits;
    if (id == FMT_BINARY_WAVE) f.m_nFormat = FMT_WAVE_16;
    switch (id) {
        case FMT_TEXT_DECIMAL:
        case FMT_TEXT_PLOT:
        case FMT_TEXT_FIR: return std::strtod(FormatFixed(x, 0, n < 2500 ? 18 : 21).c_str(), nullptr);
        case FMT_BINARY_FLOAT: return static_cast<double>(static_cast<float>(x));
        case FMT_BINARY_DOUBLE:
        case FMT_BINARY_NPY:
        case FMT_BINARY_SIGMF:
        case FMT_TEXT_CSV: return x;
        case FMT_BINARY_WAVE: return static_cast<double>(std::llround(x * 32767.0)) / 32767.0;
        case FMT_BINARY_INT8:
        case FMT_BINARY_UINT8:
        case FMT_BINARY_INT16:
        case FMT_BINARY_INT32: {
            // Words of 2^(bits-1) per unit, the top one saturated.
            double fs = FullScale(f);
            return static_cast<double>(std::min<long long>(std::llround(x * fs), static_cast<long long>(fs) - 1)) / fs;
        }
        default: {
            // Fixed-point words are multiplied by the input scale 1 / full scale.
            double fs = FullScale(f);
            return static_cast<double>(std::llround(x * fs)) * (1.0 / fs);
        }
    }
}

struct RoundTripCase {
    int32_t id;
    int bits;
};

}  // namespace

TEST(SignalFileRoundTrip, EveryWritableFormatOneAndTwoColumnsWithSteps) {
    CScriptedPlatform platform;
    CTempDir dir;
    const RoundTripCase cases[] = {{FMT_TEXT_DECIMAL, 0}, {FMT_TEXT_PLOT, 0},    {FMT_TEXT_FIR, 0},
                                   {FMT_TEXT_FRACT, 16},  {FMT_TEXT_FRACT, 24},  {FMT_TEXT_HEX, 16},
                                   {FMT_TEXT_HEX, 12},    {FMT_TEXT_BINARY, 16}, {FMT_TEXT_BINARY, 64},
                                   {FMT_ASM_ADI_PM, 0},   {FMT_BINARY_FLOAT, 0}, {FMT_BINARY_DOUBLE, 0},
                                   {FMT_BINARY_WAVE, 0},  {FMT_BINARY_INT8, 0},  {FMT_BINARY_UINT8, 0},
                                   {FMT_BINARY_INT16, 0}, {FMT_BINARY_INT32, 0}, {FMT_BINARY_NPY, 0},
                                   {FMT_BINARY_SIGMF, 0}, {FMT_TEXT_CSV, 0}};
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int n : {7, 12, 2600}) {
        std::vector<double> vi(static_cast<size_t>(n)), vq(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k) {
            vi[static_cast<size_t>(k)] = u(rng);
            vq[static_cast<size_t>(k)] = u(rng);
        }
        vi[0] = 1.0;
        vq[0] = -1.0;
        for (const RoundTripCase& c : cases) {
            for (int step : {1, 3, -2}) {
                for (bool two : {false, true}) {
                    SCOPED_TRACE(FormatName(c.id) + " bits " + std::to_string(c.bits) + " n " + std::to_string(n) +
                                 " step " + std::to_string(step) + (two ? " complex" : " real"));
                    CDataSetIO data = two ? MakeData(vi, vq) : MakeData(vi);
                    CDataFormat format(c.id);
                    format.m_FixedPoint.m_nBits = c.bits ? c.bits : 16;
                    format.m_WavFmt.m_nSizeChoice = 1;
                    std::string path = dir / "rt.sig";
                    ASSERT_TRUE(WriteSignalFile(data, format, path, 0, two ? 1 : kNoColumn, step));
                    CDataSetIO back = Target();
                    CDataFormat readFormat = format;
                    ASSERT_TRUE(ReadSignalFile(back, readFormat, path, 0, two ? 1 : kNoColumn));
                    std::vector<int> order = StepOrder(n, step);
                    ASSERT_EQ(back.GetColumn(0).GetSize(), n);
                    for (int k = 0; k < n; ++k) {
                        size_t src = static_cast<size_t>(order[static_cast<size_t>(k)]);
                        ASSERT_EQ(back.GetValue(0, k), Stored(c.id, format.m_FixedPoint.m_nBits, vi[src], n))
                            << "record " << k;
                        if (two) {
                            ASSERT_EQ(back.GetValue(1, k), Stored(c.id, format.m_FixedPoint.m_nBits, vq[src], n))
                                << "record " << k;
                        }
                    }
                }
            }
        }
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST(SignalFileRoundTrip, EightBitWaveKeepsTheTopByte) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({1.0, -1.0, 0.0, 0.5, -0.25});
    CDataFormat format(FMT_BINARY_WAVE);
    format.m_WavFmt.m_nSizeChoice = 0;
    ASSERT_TRUE(WriteSignalFile(data, format, dir / "w8.wav", 0, kNoColumn, 1));
    EXPECT_EQ(format.m_nFormat, FMT_WAVE_8);
    std::string bytes = ReadBytes(dir / "w8.wav");
    ASSERT_EQ(bytes.size(), 46u + 5u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[46]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[47]), 0x00);
    EXPECT_EQ(static_cast<unsigned char>(bytes[48]), 0x80);
    EXPECT_EQ(static_cast<unsigned char>(bytes[49]), 0xC0);  // 16384 + 0x8000
    EXPECT_EQ(static_cast<unsigned char>(bytes[50]), 0x60);  // -8192 + 0x8000
    CDataSetIO back = Target();
    CDataFormat readFormat(FMT_BINARY_WAVE);
    ASSERT_TRUE(ReadSignalFile(back, readFormat, dir / "w8.wav", 0, kNoColumn));
    EXPECT_EQ(Values(back.GetColumn(0)), (std::vector<double>{0.9921875, -1.0, 0.0, 0.5, -0.25}));
    EXPECT_TRUE(platform.messages.empty());  // no overflow question for 8 bits
}


// ---------------------------------------------------------------------------
// Text layouts

TEST(TextFormats, DecimalCommasAndSpacesSeparateValues) {
    CScriptedPlatform platform;
    CTempDir dir;
    WriteBytes(dir / "a.txt", "1,2\r\n3 ,, 4\n");
    CDataSetIO data = Target();
    CDataFormat format(FMT_TEXT_DECIMAL);
    ASSERT_TRUE(ReadSignalFile(data, format, dir / "a.txt", 0, 1));
    EXPECT_EQ(Values(data.GetColumn(0)), (std::vector<double>{1, 3}));
    EXPECT_EQ(Values(data.GetColumn(1)), (std::vector<double>{2, 4}));
    CDataSetIO one = Target();
    ASSERT_TRUE(ReadSignalFile(one, format, dir / "a.txt", 0, kNoColumn));
    EXPECT_EQ(Values(one.GetColumn(0)), (std::vector<double>{1, 3}));
    EXPECT_EQ(one.GetColumn(1).GetSize(), 0);
}

TEST(TextFormats, DataEndsAtTheFirstLineWithoutTheValues) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFormat format(FMT_TEXT_DECIMAL);
    WriteBytes(dir / "gap.txt", "1 2\r\n3 4\r\n\r\n5 6\r\n");
    CDataSetIO data = Target();
    ASSERT_TRUE(ReadSignalFile(data, format, dir / "gap.txt", 0, 1));
    EXPECT_EQ(data.GetCount(), 2);

    WriteBytes(dir / "single.txt", "1 2\n3\n5 6\n");
    CDataSetIO two = Target();
    ASSERT_TRUE(ReadSignalFile(two, format, dir / "single.txt", 0, 1));
    EXPECT_EQ(Values(two.GetColumn(0)), (std::vector<double>{1}));
    CDataSetIO one = Target();
    ASSERT_TRUE(ReadSignalFile(one, format, dir / "single.txt", 0, kNoColumn));
    EXPECT_EQ(Values(one.GetColumn(0)), (std::vector<double>{1, 3, 5}));

    WriteBytes(dir / "words.txt", "signal\n1 2\n");
    CDataSetIO none = Target();
    EXPECT_FALSE(ReadSignalFile(none, format, dir / "words.txt", 0, 1));
    EXPECT_TRUE(platform.messages.empty());
}

TEST(TextFormats, CarriageReturnsAreDroppedWhereverTheyStand) {
    CScriptedPlatform platform;
    CTempDir dir;
    WriteBytes(dir / "cr.txt", "1\r5 2\r\n\r3 4");
    CDataSetIO data = Target();
    CDataFormat format(FMT_TEXT_DECIMAL);
    ASSERT_TRUE(ReadSignalFile(data, format, dir / "cr.txt", 0, 1));
    EXPECT_EQ(Values(data.GetColumn(0)), (std::vector<double>{15, 3}));
    EXPECT_EQ(Values(data.GetColumn(1)), (std::vector<double>{2, 4}));
}

TEST(TextFormats, FixedPointWordsAreSignExtendedFromTheWordLength) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFormat hex(FMT_TEXT_HEX);
    WriteBytes(dir / "h.txt", "8001 7FFF\r\nffff 0x0001\r\n");
    CDataSetIO h = Target();
    ASSERT_TRUE(ReadSignalFile(h, hex, dir / "h.txt", 0, 1));
    EXPECT_EQ(Values(h.GetColumn(0)), (std::vector<double>{-1.0, -1.0 / 32767}));
    EXPECT_EQ(Values(h.GetColumn(1)), (std::vector<double>{1.0, 1.0 / 32767}));

    CDataFormat fract(FMT_TEXT_FRACT);
    WriteBytes(dir / "f.txt", "010\n0x10\n40000\n-32767\n");
    CDataSetIO f = Target();
    ASSERT_TRUE(ReadSignalFile(f, fract, dir / "f.txt", 0, kNoColumn));
    EXPECT_EQ(Values(f.GetColumn(0)), (std::vector<double>{8.0 / 32767, 16.0 / 32767, -25536.0 / 32767, -1.0}));

    CDataFormat binary(FMT_TEXT_BINARY);
    WriteBytes(dir / "b.txt", "1000000000000001\n0000_0000_0000_0001\n0111\t1111 1,1\n");
    CDataSetIO b = Target();
    ASSERT_TRUE(ReadSignalFile(b, binary, dir / "b.txt", 0, kNoColumn));
    EXPECT_EQ(Values(b.GetColumn(0)), (std::vector<double>{-1.0, 1.0 / 32767, 127.0 / 32767}));

    CDataFormat adi(FMT_ASM_ADI_PM);
    WriteBytes(dir / "p.txt", "800100 7FFF00\n");
    CDataSetIO p = Target();
    ASSERT_TRUE(ReadSignalFile(p, adi, dir / "p.txt", 0, 1));
    EXPECT_EQ(p.GetValue(0, 0), -1.0);
    EXPECT_EQ(p.GetValue(1, 0), 1.0);
}

TEST(TextFormats, BinaryWordsUseOnlyTheFirst256Characters) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFormat binary(FMT_TEXT_BINARY);
    binary.m_FixedPoint.m_nBits = 8;
    // The second word starts beyond position 255: only one word is obtained.
    WriteBytes(dir / "long.txt", "00000001" + std::string(250, ' ') + "00000010\n");
    CDataSetIO two = Target();
    EXPECT_FALSE(ReadSignalFile(two, binary, dir / "long.txt", 0, 1));
    CDataSetIO one = Target();
    ASSERT_TRUE(ReadSignalFile(one, binary, dir / "long.txt", 0, kNoColumn));
    EXPECT_EQ(one.GetValue(0, 0), 1.0 / 127);
}

TEST(TextFormats, WrittenLayoutsAreByteExact) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({1.0, -1.0, 0.5}, {-1.0, 1.0, -0.25});
    auto write = [&](CDataFormat format, bool two) {
        EXPECT_TRUE(WriteSignalFile(data, format, dir / "out.txt", 0, two ? 1 : kNoColumn, 1));
        return ReadBytes(dir / "out.txt");
    };
    EXPECT_EQ(write(CDataFormat(FMT_TEXT_HEX), true), "7FFF 8001\r\n8001 7FFF\r\n4000 E000\r\n");
    EXPECT_EQ(write(CDataFormat(FMT_ASM_ADI_PM), true), "7FFF00 800100\r\n800100 7FFF00\r\n400000 E00000\r\n");
    EXPECT_EQ(write(CDataFormat(FMT_TEXT_FRACT), false), " 32767\r\n-32767\r\n 16384\r\n");
    EXPECT_EQ(write(CDataFormat(FMT_TEXT_BINARY), false),
              "0111111111111111\r\n1000000000000001\r\n0100000000000000\r\n");
    EXPECT_EQ(write(CDataFormat(FMT_TEXT_DECIMAL), true),
              " 1.000000000000000000 -1.000000000000000000\r\n"
              "-1.000000000000000000  1.000000000000000000\r\n"
              " 0.500000000000000000 -0.250000000000000000\r\n");
    EXPECT_EQ(write(CDataFormat(FMT_TEXT_FIR), false),
              "3\r\n 1.000000000000000000\r\n-1.000000000000000000\r\n 0.500000000000000000\r\n");
    CDataFormat plot(FMT_TEXT_PLOT);
    EXPECT_EQ(write(plot, false),
              "0  1.000000000000000000\r\n1 -1.000000000000000000\r\n2  0.500000000000000000\r\n");
    plot.m_Titles.m_strMain = "Main";
    plot.m_Titles.m_strX = "Time";
    EXPECT_EQ(write(plot, false), "Main\r\n\r\nTime\r\n0  1.000000000000000000\r\n1 -1.000000000000000000\r\n"
                                  "2  0.500000000000000000\r\n");
    CDataFormat hex12(FMT_TEXT_HEX);
    hex12.m_FixedPoint.m_nBits = 12;
    EXPECT_EQ(write(hex12, false), "7FF\r\n801\r\n400\r\n");
    EXPECT_TRUE(platform.messages.empty());
}

TEST(TextFormats, FractWidthFollowsTheWordLengthAndCutsWideValues) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({-1.0});
    for (auto [bits, width] : {std::pair{8, 4}, {16, 6}, {24, 8}, {32, 11}, {64, 20}}) {
        CDataFormat fract(FMT_TEXT_FRACT);
        fract.m_FixedPoint.m_nBits = bits;
        ASSERT_TRUE(WriteSignalFile(data, fract, dir / "w.txt", 0, kNoColumn, 1));
        EXPECT_EQ(CrLfLines(ReadBytes(dir / "w.txt"))[0].size(), static_cast<size_t>(width)) << bits;
    }
    // 1000000 at 16 bits prints seven characters and keeps the last six.
    CDataSetIO wide = MakeData({1000000.0 / 32767});
    platform.AnswerYes();
    CDataFormat fract(FMT_TEXT_FRACT);
    ASSERT_TRUE(WriteSignalFile(wide, fract, dir / "w.txt", 0, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "w.txt"), "000000\r\n");
}

TEST(TextFormats, RealPatternHasMoreDecimalsForLargeData) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFormat format(FMT_TEXT_DECIMAL);
    CDataSetIO small = MakeData(std::vector<double>(2499, 0.25));
    ASSERT_TRUE(WriteSignalFile(small, format, dir / "s.txt", 0, kNoColumn, 1));
    EXPECT_EQ(CrLfLines(ReadBytes(dir / "s.txt"))[0], " 0.250000000000000000");
    CDataSetIO large = MakeData(std::vector<double>(2500, 0.25));
    ASSERT_TRUE(WriteSignalFile(large, format, dir / "l.txt", 0, kNoColumn, 1));
    EXPECT_EQ(CrLfLines(ReadBytes(dir / "l.txt"))[0], " 0.250000000000000000000");
}

TEST(TextFormats, StepsGiveInterleavedPhases) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFormat fract(FMT_TEXT_FRACT);
    auto order = [&](int n, int step) {
        std::vector<double> v;
        for (int i = 0; i < n; ++i) v.push_back(i / 32767.0);
        CDataSetIO data = MakeData(v);
        EXPECT_TRUE(WriteSignalFile(data, fract, dir / "o.txt", 0, kNoColumn, step));
        std::vector<int> got;
        for (const std::string& line : CrLfLines(ReadBytes(dir / "o.txt"))) got.push_back(std::stoi(line));
        return got;
    };
    EXPECT_EQ(order(6, 2), (std::vector<int>{0, 2, 4, 1, 3, 5}));
    EXPECT_EQ(order(6, -2), (std::vector<int>{4, 2, 0, 5, 3, 1}));
    EXPECT_EQ(order(6, 3), (std::vector<int>{0, 3, 1, 4, 2, 5}));
    EXPECT_EQ(order(4, 0), (std::vector<int>{0, 1, 2, 3}));
    // A count that is not a multiple of the step still writes every sample once.
    EXPECT_EQ(order(3, 2), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(order(5, -2), (std::vector<int>{3, 1, 4, 2, 0}));
    EXPECT_EQ(order(3, 10), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(order(3, -10), (std::vector<int>{0, 1, 2}));
}

TEST(TextFormats, PlotTitlesHeader) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFormat plot(FMT_TEXT_PLOT);
    WriteBytes(dir / "t.txt", "Spectrum\r\ndB\r\nkHz\r\n0 1.5 2.5\r\n1 3.5 4.5\r\n");
    CDataSetIO data = Target();
    ASSERT_TRUE(ReadSignalFile(data, plot, dir / "t.txt", 0, 1));
    EXPECT_EQ(plot.m_Titles.m_strMain, "Spectrum");
    EXPECT_EQ(plot.m_Titles.m_strY, "dB");
    EXPECT_EQ(plot.m_Titles.m_strX, "kHz");
    EXPECT_EQ(Values(data.GetColumn(0)), (std::vector<double>{1.5, 3.5}));
    EXPECT_EQ(Values(data.GetColumn(1)), (std::vector<double>{2.5, 4.5}));

    // Three data lines at the top: no header, the file is read from the start.
    WriteBytes(dir / "n.txt", "0 1 2\n1 3 4\n2 5 6\n3 7 8\n");
    CDataSetIO plain = Target();
    ASSERT_TRUE(ReadSignalFile(plain, plot, dir / "n.txt", 0, kNoColumn));
    EXPECT_EQ(Values(plain.GetColumn(0)), (std::vector<double>{1, 3, 5, 7}));
    EXPECT_TRUE(plot.m_Titles.m_strMain.empty());

    // Fewer than three data lines are taken as titles: nothing is left.
    WriteBytes(dir / "two.txt", "0 1 2\n1 3 4\n");
    CDataSetIO none = Target();
    EXPECT_FALSE(ReadSignalFile(none, plot, dir / "two.txt", 0, kNoColumn));

    // Analyzer files skip seven lines and the first number of each line.
    CDataFormat analyzer(FMT_TEXT_ANALYZER);
    WriteBytes(dir / "an.txt", "a\nb\nc\nd\ne\nf\ng\n100 0.5 0.25\n200 0.75 0.125\n");
    CDataSetIO an = Target();
    ASSERT_TRUE(ReadSignalFile(an, analyzer, dir / "an.txt", 0, 1));
    EXPECT_EQ(Values(an.GetColumn(0)), (std::vector<double>{0.5, 0.75}));
    EXPECT_EQ(Values(an.GetColumn(1)), (std::vector<double>{0.25, 0.125}));

    CDataFormat fir(FMT_TEXT_FIR);
    WriteBytes(dir / "f.fir", "2\n0.5\n0.25\n");
    CDataSetIO f = Target();
    ASSERT_TRUE(ReadSignalFile(f, fir, dir / "f.fir", 0, kNoColumn));
    EXPECT_EQ(Values(f.GetColumn(0)), (std::vector<double>{0.5, 0.25}));
}

TEST(TextFormats, PlotFileWithCommasAndNoTitles) {
    CScriptedPlatform platform;
    CTempDir dir;
    // Commas separate the numbers of the first lines as they do in records:
    // these lines are data, not titles.
    WriteBytes(dir / "c.txt", "0,1.5,2.5\r\n1,3.5,4.5\r\n2,5.5,6.5\r\n3,7.5,8.5\r\n");
    CDataFormat plot(FMT_TEXT_PLOT);
    CDataSetIO data = Target();
    ASSERT_TRUE(ReadSignalFile(data, plot, dir / "c.txt", 0, 1));
    EXPECT_EQ(Values(data.GetColumn(0)), (std::vector<double>{1.5, 3.5, 5.5, 7.5}));
    EXPECT_EQ(Values(data.GetColumn(1)), (std::vector<double>{2.5, 4.5, 6.5, 8.5}));
    EXPECT_TRUE(plot.m_Titles.m_strMain.empty());
    EXPECT_TRUE(plot.m_Titles.m_strX.empty());
}

// ---------------------------------------------------------------------------
// Values the writers cannot hold

TEST(WriteRefusals, NonFiniteValuesAreRefusedByIntegerAndCodeFormats) {
    CScriptedPlatform platform;
    CTempDir dir;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::string refusal =
        "The current data holds values that are not finite numbers (NaN or infinity), which the write data format "
        "cannot hold.";
    for (int32_t id : {FMT_TEXT_FRACT, FMT_TEXT_HEX, FMT_TEXT_BINARY, FMT_ASM_ADI_PM, FMT_BINARY_WAVE, FMT_TEXT_C,
                       FMT_ASM_TI, FMT_BINARY_INT8, FMT_BINARY_UINT8, FMT_BINARY_INT16, FMT_BINARY_INT32}) {
        for (int wave : {0, 1}) {
            if (wave && id != FMT_BINARY_WAVE) continue;
            SCOPED_TRACE(FormatName(id));
            // A NaN first hid the 2.0 after it from the overflow test, which then wrapped.
            for (double bad : {nan, inf, -inf}) {
                CDataSetIO data = MakeData({bad, 2.0, 0.5}, {0.0, 0.0, 0.0});
                CDataFormat format(id);
                format.m_WavFmt.m_nSizeChoice = wave;
                platform.messages.clear();
                EXPECT_FALSE(WriteSignalFile(data, format, dir / "x.out", 0, 1, 1));
                EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{refusal}));
                EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
                EXPECT_FALSE(kv::test::FileExists(dir / "x.out"));
                // In the Quadrature column too.
                CDataSetIO q = MakeData({0.5}, {bad});
                EXPECT_FALSE(WriteSignalFile(q, format, dir / "x.out", 0, 1, 1));
            }
        }
    }
    // Formats of real numbers write them as they are.
    CDataSetIO data = MakeData({nan, inf});
    for (int32_t id : {FMT_TEXT_DECIMAL, FMT_BINARY_DOUBLE, FMT_BINARY_NPY, FMT_TEXT_CSV}) {
        CDataFormat format(id);
        platform.messages.clear();
        EXPECT_TRUE(WriteSignalFile(data, format, dir / "ok.out", 0, kNoColumn, 1)) << FormatName(id);
        EXPECT_TRUE(platform.messages.empty());
    }
}

TEST(WriteRefusals, ANaNInAnotherColumnDoesNotHideTheRange) {
    CScriptedPlatform platform;
    CTempDir dir;
    // Column 0 starts with a NaN and is not written; column 1 holds 3.0.
    CDataSetIO data = MakeData({std::numeric_limits<double>::quiet_NaN(), 0.0}, {0.5, 3.0});
    CDataFormat hex(FMT_TEXT_HEX);
    platform.AnswerNo();
    EXPECT_FALSE(WriteSignalFile(data, hex, dir / "h.txt", 1, kNoColumn, 1));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"The current data will overflow the write data format.  Write anyway?"}));
    // The values that fit ask nothing.
    CDataSetIO fits = MakeData({std::numeric_limits<double>::quiet_NaN(), 0.0}, {0.5, -1.0});
    platform.messages.clear();
    ASSERT_TRUE(WriteSignalFile(fits, hex, dir / "h.txt", 1, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "h.txt"), "4000\r\n8001\r\n");
    EXPECT_TRUE(platform.messages.empty());
}

// ---------------------------------------------------------------------------
// Binary layouts

TEST(BinaryFormats, FloatAndDoubleLayoutsAndPartialValues) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({1.0});
    CDataFormat f(FMT_BINARY_FLOAT);
    ASSERT_TRUE(WriteSignalFile(data, f, dir / "f.bin", 0, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "f.bin"), std::string("\x00\x00\x80\x3F", 4));

    // Three doubles and half of a fourth: complex reading takes one frame,
    // one-column reading three values; the partial value is dropped.
    double values[3] = {0.5, -0.5, 2.0};
    std::string bytes(reinterpret_cast<const char*>(values), sizeof values);
    bytes += std::string("\x01\x02\x03\x04", 4);
    WriteBytes(dir / "d.bin", bytes);
    CDataFormat d(FMT_BINARY_DOUBLE);
    CDataSetIO two = Target();
    ASSERT_TRUE(ReadSignalFile(two, d, dir / "d.bin", 0, 1));
    EXPECT_EQ(Values(two.GetColumn(0)), (std::vector<double>{0.5}));
    EXPECT_EQ(Values(two.GetColumn(1)), (std::vector<double>{-0.5}));
    CDataSetIO one = Target();
    ASSERT_TRUE(ReadSignalFile(one, d, dir / "d.bin", 0, kNoColumn));
    EXPECT_EQ(Values(one.GetColumn(0)), (std::vector<double>{0.5, -0.5, 2.0}));

    WriteBytes(dir / "empty.bin", "");
    CDataSetIO empty = Target();
    EXPECT_FALSE(ReadSignalFile(empty, d, dir / "empty.bin", 0, kNoColumn));
    WriteBytes(dir / "short.bin", "abc");
    EXPECT_FALSE(ReadSignalFile(empty, d, dir / "short.bin", 0, kNoColumn));
    EXPECT_TRUE(platform.messages.empty());
}

// ---------------------------------------------------------------------------
// Failures

TEST(SignalFileFailures, PathsAndFilesThatCannotBeUsed) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = Target();
    CDataFormat format(FMT_TEXT_DECIMAL);
    EXPECT_FALSE(ReadSignalFile(data, format, "", 0, 1));
    EXPECT_FALSE(ReadSignalFile(data, format, dir / "missing.txt", 0, 1));
    EXPECT_TRUE(platform.messages.empty());  // reported only with the read-report flag
    data.m_bReportRead = 1;
    EXPECT_FALSE(ReadSignalFile(data, format, dir / "missing.txt", 0, 1));
    EXPECT_TRUE(platform.SawMessage("Cannot open file \"" + (dir / "missing.txt") + "\"."));
    EXPECT_FALSE(ReadSignalFile(data, format, dir.Path(), 0, 1));  // a directory
    CDataFormat doubles(FMT_BINARY_DOUBLE);
    EXPECT_FALSE(ReadSignalFile(data, doubles, "/dev/zero", 0, 1));  // a device that never ends

    CDataSetIO values = MakeData({0.5});
    EXPECT_TRUE(WriteSignalFile(values, format, "", 0, kNoColumn, 1));
    platform.messages.clear();
    EXPECT_FALSE(WriteSignalFile(values, format, dir / "no/such/dir.txt", 0, kNoColumn, 1));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Cannot open file \"" + (dir / "no/such/dir.txt") + "\".");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    EXPECT_FALSE(WriteSignalFile(values, format, dir.Path(), 0, kNoColumn, 1));

    CDataFormat writeOnly(FMT_TEXT_C);
    WriteBytes(dir / "c.txt", "1 2\n");
    platform.messages.clear();
    EXPECT_FALSE(ReadSignalFile(data, writeOnly, dir / "c.txt", 0, 1));
    EXPECT_TRUE(platform.SawMessage("The chosen file format cannot be read."));
}

TEST(SignalFileFailures, AFailedWriteIsReported) {
    CScriptedPlatform platform;
    if (!kv::test::FileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    CDataSetIO data = MakeData(std::vector<double>(100000, 0.5));
    CDataFormat format(FMT_TEXT_DECIMAL);
    EXPECT_FALSE(WriteSignalFile(data, format, "/dev/full", 0, kNoColumn, 1));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"An error occurred while writing \"/dev/full\". The file was not written."}));
}

TEST(SignalFileFailures, BaseNameGivesTheNameOfAnExtension) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({0.5});
    data.m_strBaseName = dir / "sig.txt";
    CDataFormat format(FMT_TEXT_DECIMAL);
    ASSERT_TRUE(WriteSignalFile(data, format, ".dat", 0, kNoColumn, 1));
    EXPECT_TRUE(kv::test::FileExists(dir / "sig.dat"));
    CDataSetIO back = Target();
    back.m_strBaseName = data.m_strBaseName;
    ASSERT_TRUE(ReadSignalFile(back, format, ".dat", 0, kNoColumn));
    EXPECT_EQ(back.GetValue(0, 0), 0.5);
}

TEST(SignalFileFailures, OverflowQuestionAndARefusedWriteKeepsTheOldFile) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFormat fract(FMT_TEXT_FRACT);
    CDataSetIO exact = MakeData({1.0, -1.0});
    ASSERT_TRUE(WriteSignalFile(exact, fract, dir / "f.txt", 0, kNoColumn, 1));
    EXPECT_TRUE(platform.messages.empty());

    WriteBytes(dir / "keep.txt", "precious\r\n");
    CDataSetIO over = MakeData({0.5}, {1.0000001});
    platform.AnswerNo();
    EXPECT_FALSE(WriteSignalFile(over, fract, dir / "keep.txt", 0, kNoColumn, 1));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "The current data will overflow the write data format.  Write anyway?");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(platform.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ReadBytes(dir / "keep.txt"), "precious\r\n");
    // The whole data set counts, even the column not written.
    platform.AnswerYes();
    EXPECT_TRUE(WriteSignalFile(over, fract, dir / "keep.txt", 0, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "keep.txt"), " 16384\r\n");
    // No question for formats of full scale 1.
    platform.messages.clear();
    CDataFormat dec(FMT_TEXT_DECIMAL);
    EXPECT_TRUE(WriteSignalFile(over, dec, dir / "d.txt", 0, 1, 1));
    EXPECT_TRUE(platform.messages.empty());
    // No leftover temporary files.
    size_t files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.Path())) ++files;
    EXPECT_EQ(files, 3u);
}

TEST(SignalFileFailures, MalformedInputsOfEveryReadableFormatDoNotCrash) {
    CScriptedPlatform platform;
    CTempDir dir;
    std::mt19937 rng(11);
    std::vector<std::string> inputs = {"", "\n", "\r\n\r\n", std::string(1, '\0'), "nan inf\n", "-\n", "0x\n",
                                       std::string(300, '1') + "\n", "RIFF", "RIFF\x10\0\0\0WAVEfmt "};
    for (int k = 0; k < 20; ++k) {
        std::string garbage;
        size_t len = rng() % 3000;
        for (size_t i = 0; i < len; ++i) garbage += static_cast<char>(rng());
        inputs.push_back(garbage);
    }
    int index = 0;
    for (const CFormatEntry& entry : FormatCatalogue()) {
        if (!entry.m_bRead) continue;
        for (const std::string& input : inputs) {
            std::string path = dir / ("m" + std::to_string(index++));
            WriteBytes(path, input);
            for (bool two : {false, true}) {
                CDataSetIO data = Target();
                CDataFormat format(entry.m_nId);
                platform.messages.clear();
                bool ok = ReadSignalFile(data, format, path, 0, two ? 1 : kNoColumn);
                EXPECT_EQ(ok, data.GetColumn(0).GetSize() > 0);
                // Unless the file turned out to have one channel, both columns are filled alike.
                if (two && !platform.SawMessage("File contains only one channel: quadrature data will not be read.")) {
                    EXPECT_EQ(data.GetColumn(0).GetSize(), data.GetColumn(1).GetSize());
                }
            }
        }
    }
}

TEST(SignalFileFailures, ALineLongerThanTheReaderTakesIsAnErrorNotACutValue) {
    CScriptedPlatform platform;
    CTempDir dir;
    // Cut at the limit, this line would read as 0.5 0.25 and drop the 9.
    std::string line = "0.5 0.25" + std::string(CFileReader::kMaxLine + 100, ' ') + "9\n1 2\n";
    WriteBytes(dir / "long.txt", "3 4\n" + line);
    CDataSetIO data = Target();
    CDataFormat format(FMT_TEXT_DECIMAL);
    EXPECT_FALSE(ReadSignalFile(data, format, dir / "long.txt", 0, 1));
    EXPECT_EQ(data.GetColumn(0).GetSize(), 0);
    EXPECT_EQ(data.GetColumn(1).GetSize(), 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Cannot read \"" + (dir / "long.txt") + "\": line 2 is longer than " +
                                             std::to_string(CFileReader::kMaxLine) + " characters.");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    // Carriage returns are dropped from lines and do not count.
    WriteBytes(dir / "returns.txt", "0.5 0.25" + std::string(CFileReader::kMaxLine, '\r') + "\n");
    platform.messages.clear();
    ASSERT_TRUE(ReadSignalFile(data, format, dir / "returns.txt", 0, 1));
    EXPECT_EQ(Values(data.GetColumn(1)), (std::vector<double>{0.25}));
    EXPECT_TRUE(platform.messages.empty());
    // An empty line before the long one ends the data: the long line is never read.
    WriteBytes(dir / "after.txt", "1 2\n\n" + line);
    ASSERT_TRUE(ReadSignalFile(data, format, dir / "after.txt", 0, 1));
    EXPECT_EQ(Values(data.GetColumn(0)), (std::vector<double>{1}));
}

// ---------------------------------------------------------------------------
// Clipboard

TEST(Clipboard, RowsOfColumnsAsText) {
    CScriptedPlatform platform;
    CDataSetIO data = MakeData({1.0, -2.5, 3.0}, {0.5, 0.25, -0.125});
    CopyColumnsToClipboard(data, 0, 1, 2);
    EXPECT_EQ(platform.clipboardText,
              " 1.000000000\t 0.500000000\r\n-2.500000000\t 0.250000000\r\n 3.000000000\t-0.125000000\r\n");
    CopyColumnsToClipboard(data, 1, 0, 1);  // a single row
    EXPECT_EQ(platform.clipboardText, "-2.500000000\r\n");
    platform.clipboardText = "kept";
    CopyColumnsToClipboard(data, 0, 2, 2);   // no such column
    CopyColumnsToClipboard(data, 2, 1, 1);   // first after last
    CopyColumnsToClipboard(data, 0, 1, 3);   // beyond the data
    CopyColumnsToClipboard(data, -1, 1, 1);  // negative row
    EXPECT_EQ(platform.clipboardText, "kept");
}

TEST(Clipboard, SignalDataCopiesItsWorkingRange) {
    CScriptedPlatform platform;
    CKalvoData time;
    for (double v : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0}) {
        time.Inphase().Append(v);
        time.Quadrature().Append(0.0);
    }
    time.EqualizeColumns(0.0);
    ASSERT_TRUE(time.IsReal());
    time.m_nStart = 2;
    time.m_nStop = 3;
    CopyDataToClipboard(time);
    EXPECT_EQ(platform.clipboardText, " 3.000000000\r\n 4.000000000\r\n");

    // Complex Frequency Data: the negative frequencies come first.
    CKalvoData freq;
    freq.m_bTime = 0;
    for (int k = 0; k < 4; ++k) {
        freq.Inphase().Append(k);
        freq.Quadrature().Append(-k);
    }
    freq.m_bReal = 0;
    freq.ResetRange();
    ASSERT_EQ(freq.m_nStart, -2);
    CopyDataToClipboard(freq);
    EXPECT_EQ(platform.clipboardText,
              " 2.000000000\t-2.000000000\r\n 3.000000000\t-3.000000000\r\n"
              " 0.000000000\t 0.000000000\r\n 1.000000000\t-1.000000000\r\n");
}
