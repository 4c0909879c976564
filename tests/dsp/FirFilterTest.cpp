#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/CKalvoData.h"
#include "dsp/FirFilter.h"
#include "support/CScriptedPlatform.h"
#include "support/CTempDir.h"

using namespace kv;
using kv::test::CScriptedPlatform;

namespace {

class FirTest : public ::testing::Test {
protected:
    std::string File(const std::string& name, const std::string& content) {
        std::string path = m_dir / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    kv::test::CTempDir m_dir;
};

CKalvoData Time(const std::vector<double>& i, const std::vector<double>& q) {
    CKalvoData d;
    for (double v : i) d.Inphase().Append(v);
    for (double v : q) d.Quadrature().Append(v);
    d.EqualizeColumns(0.0);
    return d;
}

std::vector<double> Values(const CDataColumn& c) { return std::vector<double>(c.begin(), c.end()); }

const char kGeneral[] = "FIR Filter file cannot be read or contains bad data.\n(Filter files must be in Text:FIR format.";

}  // namespace

TEST_F(FirTest, ConvolvesEachColumnWithItsTapsAndGrowsByTheTapCount) {
    CScriptedPlatform platform;
    CKalvoData one = Time({1, 2, 3}, {0, 0, 0});
    ASSERT_TRUE(FirFilterFile(File("one.fir", "1\n1\n"), one));
    EXPECT_EQ(Values(one.Inphase()), (std::vector<double>{1, 2, 3, 0}));
    EXPECT_EQ(Values(one.Quadrature()), (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(one.m_nStart, 0);
    EXPECT_EQ(one.m_nStop, 3);
    EXPECT_EQ(one.m_nCount, 4);

    CKalvoData sum = Time({1, 2, 3}, {0, 0, 0});
    ASSERT_TRUE(FirFilterFile(File("two.fir", "2\r\n1\r\n1\r\n"), sum));
    EXPECT_EQ(Values(sum.Inphase()), (std::vector<double>{1, 3, 5, 3, 0}));

    CKalvoData complex = Time({1, 0, 0}, {0, 1, 0});
    ASSERT_TRUE(FirFilterFile(File("iq.fir", "3\n1 10\n2, 20\n\n"), complex));
    EXPECT_EQ(Values(complex.Inphase()), (std::vector<double>{1, 2, 0, 0, 0, 0}));
    // An empty line is a zero tap; the second column filters Quadrature.
    // (The comma is not a separator here: "2," gives one value for both.)
    EXPECT_EQ(Values(complex.Quadrature()), (std::vector<double>{0, 10, 2, 0, 0, 0}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FirTest, TapCountsInHexAndOctal) {
    CScriptedPlatform platform;
    std::string taps16 = "0x10\n";
    for (int i = 0; i < 16; ++i) taps16 += "0.5\n";
    CKalvoData data = Time({1}, {0});
    ASSERT_TRUE(FirFilterFile(File("hex.fir", taps16), data));
    EXPECT_EQ(data.GetCount(), 17);
    std::string taps8 = "010\n";
    for (int i = 0; i < 8; ++i) taps8 += "1\n";
    CKalvoData octal = Time({1}, {0});
    ASSERT_TRUE(FirFilterFile(File("oct.fir", taps8), octal));
    EXPECT_EQ(octal.GetCount(), 9);
}

TEST_F(FirTest, LongLinesAreReadInPiecesOf79Characters) {
    CScriptedPlatform platform;
    // The second line is 100 characters: its last 21 make a third "line".
    std::string longLine = "1" + std::string(78, ' ') + std::string(20, ' ') + "5";
    CKalvoData data = Time({1}, {0});
    ASSERT_TRUE(FirFilterFile(File("long.fir", "2\n" + longLine + "\n9\n"), data));
    EXPECT_EQ(Values(data.Inphase()), (std::vector<double>{1, 5, 0}));
}

TEST_F(FirTest, FailuresShowTheirMessageAndLeaveTheDataAlone) {
    CScriptedPlatform platform;
    const std::vector<double> original = {0.5, -0.5, 0.25};
    auto expectFailure = [&](const std::string& path, const std::string& message) {
        platform.messages.clear();
        CKalvoData data = Time(original, {0, 0, 0});
        EXPECT_FALSE(FirFilterFile(path, data)) << message;
        EXPECT_EQ(Values(data.Inphase()), original);
        EXPECT_EQ(data.Quadrature().GetSize(), 3);
        EXPECT_EQ(data.m_nCount, 3);
        ASSERT_EQ(platform.messages.size(), 1u) << message;
        EXPECT_EQ(platform.messages[0].text, message);
        EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    };
    expectFailure(m_dir / "missing.fir", "Cannot open file \"" + m_dir / "missing.fir" + "\".");
    expectFailure(m_dir.Path(), "Cannot open file \"" + m_dir.Path() + "\".");
    expectFailure(File("empty.fir", ""), "Cannot read the Number of Taps on the first line.");
    expectFailure(File("zero.fir", "0\n1\n"), "Cannot read the Number of Taps on the first line.");
    expectFailure(File("neg.fir", "-3\n1\n"), "Cannot read the Number of Taps on the first line.");
    expectFailure(File("text.fir", "taps: 3\n1\n"), "Cannot read the Number of Taps on the first line.");
    expectFailure(File("few.fir", "3\n1\n2\n"), "File contained fewer taps than shown on the first line.");
    expectFailure(File("huge.fir", "2147483647\n1\n"), "File contained fewer taps than shown on the first line.");
    expectFailure(File("binary.fir", std::string("\x00\x01\x02\xff", 4)),
                  "Cannot read the Number of Taps on the first line.");
}

TEST_F(FirTest, FilterCommandAsksForTheFileAndRemembersIt) {
    CScriptedPlatform platform;
    std::string path = File("lp.fir", "1\n2\n");
    std::string remembered = "unchanged";
    CKalvoData data = Time({1, 2}, {0, 0});

    platform.AnswerOpenFile(std::nullopt);
    EXPECT_FALSE(FilterTimeData(data, remembered));
    EXPECT_EQ(remembered, "unchanged");
    EXPECT_EQ(data.GetCount(), 2);
    ASSERT_EQ(platform.fileRequests.size(), 1u);
    EXPECT_EQ(platform.fileRequests[0].filter, "FIR Filters (*.fir)|*.fir|All Files (*.*)|*.*||");

    platform.AnswerOpenFile(std::string());
    EXPECT_FALSE(FilterTimeData(data, remembered));
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"The filter name has not been specified."}));

    platform.messages.clear();
    platform.AnswerOpenFile(path);
    ASSERT_TRUE(FilterTimeData(data, remembered));
    EXPECT_EQ(remembered, path);
    EXPECT_EQ(Values(data.Inphase()), (std::vector<double>{2, 4, 0}));
    EXPECT_EQ(platform.statusTexts.back(), "Filtering Time Data...");
    EXPECT_EQ(platform.waitCursorDepth, 0);

    // The next dialog offers the last file name.
    std::string bad = File("bad.fir", "x\n");
    platform.AnswerOpenFile(bad);
    EXPECT_FALSE(FilterTimeData(data, remembered));
    EXPECT_EQ(platform.fileRequests.back().initialPath, "lp.fir");
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"Cannot read the Number of Taps on the first line.", kGeneral}));
    EXPECT_EQ(data.GetCount(), 3);
    EXPECT_EQ(remembered, bad);
}
