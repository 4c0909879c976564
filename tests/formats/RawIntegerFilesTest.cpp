#include <gtest/gtest.h>

#include "data/CRawIntOpts.h"
#include "formats/FormatCatalogue.h"
#include "formats/SignalFiles.h"
#include "formats/FormatsTestSupport.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::Fixture;
using kv::test::MakeData;
using kv::test::ReadAs;
using kv::test::ReadBytes;
using kv::test::Target;
using kv::test::Values;
using kv::test::WriteBytes;

namespace {

CDataFormat Raw(int32_t id, bool big = false, int32_t skip = 0) {
    CDataFormat f(id);
    f.m_RawInt.m_bBigEndian = big ? 1 : 0;
    f.m_RawInt.m_nSkipBytes = skip;
    return f;
}

bool Read(CDataSetIO& data, CDataFormat format, const std::string& path, bool two) {
    return ReadSignalFile(data, format, path, 0, two ? 1 : kNoColumn);
}

}  // namespace

TEST(RawIntegers, NumPyCapturesOfEachTypeMapToPlusMinusOne) {
    CScriptedPlatform platform;
    CDataSetIO d = Target();
    ASSERT_TRUE(Read(d, Raw(FMT_BINARY_INT8), Fixture("iq-int8.bin"), true));
    EXPECT_EQ(Values(d.GetColumn(0)), (std::vector<double>{0.0, -1 / 128.0, -1.0}));
    EXPECT_EQ(Values(d.GetColumn(1)), (std::vector<double>{1 / 128.0, 127 / 128.0, 0.5}));
    // Receivers' unsigned bytes: (x - 128) / 128.
    ASSERT_TRUE(Read(d, Raw(FMT_BINARY_UINT8), Fixture("iq-uint8.bin"), true));
    EXPECT_EQ(Values(d.GetColumn(0)), (std::vector<double>{0.0, 127 / 128.0, 0.5}));
    EXPECT_EQ(Values(d.GetColumn(1)), (std::vector<double>{-1.0, -127 / 128.0, -0.5}));
    ASSERT_TRUE(Read(d, Raw(FMT_BINARY_INT16), Fixture("iq-int16.bin"), true));
    EXPECT_EQ(Values(d.GetColumn(0)), (std::vector<double>{0.5, 32767 / 32768.0}));
    EXPECT_EQ(Values(d.GetColumn(1)), (std::vector<double>{-0.5, -1.0}));
    ASSERT_TRUE(Read(d, Raw(FMT_BINARY_INT16, true), Fixture("iq-int16-big.bin"), true));
    EXPECT_EQ(Values(d.GetColumn(0)), (std::vector<double>{0.5, 32767 / 32768.0}));
    ASSERT_TRUE(Read(d, Raw(FMT_BINARY_INT32), Fixture("iq-int32.bin"), true));
    EXPECT_EQ(Values(d.GetColumn(0)), (std::vector<double>{0.5, 2147483647 / 2147483648.0}));
    EXPECT_EQ(Values(d.GetColumn(1)), (std::vector<double>{-0.5, -1.0}));
    // The wrong byte order gives other values: the option matters.
    ASSERT_TRUE(Read(d, Raw(FMT_BINARY_INT16), Fixture("iq-int16-big.bin"), true));
    EXPECT_EQ(d.GetValue(0, 0), 64 / 32768.0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(RawIntegers, OneChannelTakesEveryValueInTurn) {
    CScriptedPlatform platform;
    CDataSetIO d = Target();
    ASSERT_TRUE(Read(d, Raw(FMT_BINARY_INT16), Fixture("iq-int16.bin"), false));
    EXPECT_EQ(Values(d.GetColumn(0)), (std::vector<double>{0.5, -0.5, 32767 / 32768.0, -1.0}));
    EXPECT_EQ(d.GetColumn(1).GetSize(), 0);
}

TEST(RawIntegers, AHeaderOfAnotherProgramIsSkipped) {
    CScriptedPlatform platform;
    CDataSetIO d = Target();
    ASSERT_TRUE(Read(d, Raw(FMT_BINARY_INT16, false, 16), Fixture("iq-int16-header.bin"), true));
    EXPECT_EQ(Values(d.GetColumn(0)), (std::vector<double>{0.25, 0.125}));
    EXPECT_EQ(Values(d.GetColumn(1)), (std::vector<double>{-0.25, -0.125}));
    // Skipping more than the file holds is an error naming the file.
    d.GetColumn(0).Append(7.0);
    EXPECT_FALSE(Read(d, Raw(FMT_BINARY_INT16, false, 1000), Fixture("iq-int16-header.bin"), true));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"Cannot read \"" + Fixture("iq-int16-header.bin") +
                                        "\": the file holds fewer than the 1000 bytes to skip."}));
    // Skipping all of it leaves no data, without a message.
    platform.messages.clear();
    EXPECT_FALSE(Read(d, Raw(FMT_BINARY_INT16, false, 24), Fixture("iq-int16-header.bin"), true));
    EXPECT_TRUE(platform.messages.empty());
}

TEST(RawIntegers, WritingRoundsToNearestAndSaturates) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({0.5, 1.0, -1.0, 0.3, -0.3001}, {-0.5, 2.0, -2.0, 1 / 256.0, 0.0});
    platform.AnswerYes();  // 2.0 and -2.0 lie beyond the range
    CDataFormat i8 = Raw(FMT_BINARY_INT8);
    ASSERT_TRUE(WriteSignalFile(data, i8, dir / "a.bin", 0, 1, 1));
    EXPECT_EQ(ReadBytes(dir / "a.bin"), std::string("\x40\xC0\x7F\x7F\x80\x80\x26\x01\xDA\x00", 10));
    platform.AnswerYes();
    CDataFormat u8 = Raw(FMT_BINARY_UINT8);
    ASSERT_TRUE(WriteSignalFile(data, u8, dir / "b.bin", 0, 1, 1));
    EXPECT_EQ(ReadBytes(dir / "b.bin"), std::string("\xC0\x40\xFF\xFF\x00\x00\xA6\x81\x5A\x80", 10));
    platform.AnswerYes();
    CDataFormat i16 = Raw(FMT_BINARY_INT16, true);
    ASSERT_TRUE(WriteSignalFile(data, i16, dir / "c.bin", 0, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "c.bin"), std::string("\x40\x00\x7F\xFF\x80\x00\x26\x66\xD9\x96", 10));
    EXPECT_EQ(platform.messages.size(), 3u);  // the overflow question each time
    // Data within the range asks nothing, and reads back to the nearest word.
    platform.messages.clear();
    CDataSetIO quiet = MakeData({0.1, -0.7, 0.999});
    CDataFormat i32 = Raw(FMT_BINARY_INT32);
    ASSERT_TRUE(WriteSignalFile(quiet, i32, dir / "d.bin", 0, kNoColumn, 1));
    EXPECT_TRUE(platform.messages.empty());
    CDataSetIO back = Target();
    ASSERT_TRUE(Read(back, i32, dir / "d.bin", false));
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(back.GetValue(0, k), quiet.GetValue(0, k), 0.5 / 2147483648.0);
}

TEST(RawIntegers, OptionsDialog) {
    CScriptedPlatform platform;
    CDataFormat f(FMT_BINARY_INT16);
    platform.OnDialog([](CDialogModel& d) {
        EXPECT_EQ(d.m_strTitle, "Binary Integer Options");
        EXPECT_TRUE(d.Control(CRawIntOpts::IDC_BIG).m_bEnabled);
        d.SimulateClick(CRawIntOpts::IDC_BIG);
        d.SimulateText(CRawIntOpts::IDC_SKIP, "-4");
        d.SimulateClick(IDOK);  // refused: stays open
        EXPECT_FALSE(d.IsEnded());
        d.SimulateText(CRawIntOpts::IDC_SKIP, "512");
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(EditOptions(f));
    EXPECT_TRUE(platform.SawMessage("Enter an integer between 0 and 2147483647."));
    EXPECT_EQ(f.m_RawInt.m_bBigEndian, 1);
    EXPECT_EQ(f.m_RawInt.m_nSkipBytes, 512);
    // Bytes have no order: the buttons are disabled for 8-bit formats.
    CDataFormat b(FMT_BINARY_UINT8);
    platform.OnDialog([](CDialogModel& d) {
        EXPECT_FALSE(d.Control(CRawIntOpts::IDC_BIG).m_bEnabled);
        EXPECT_FALSE(d.Control(CRawIntOpts::IDC_LITTLE).m_bEnabled);
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(EditOptions(b));
    EXPECT_TRUE(HasOptions(b));
}
