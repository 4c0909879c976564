#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "data/CCsvOpts.h"
#include "formats/FormatCatalogue.h"
#include "formats/SignalFiles.h"
#include "formats/FormatsTestSupport.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::Fixture;
using kv::test::MakeData;
using kv::test::ReadBytes;
using kv::test::Target;
using kv::test::Values;
using kv::test::WriteBytes;

namespace {

const std::string kOneChannel = "File contains only one channel: quadrature data will not be read.";

struct CCsvRead {
    bool ok;
    std::vector<double> i, q;
};

CCsvRead ReadCsv(const std::string& path, bool two, const std::string& columns = {}) {
    CDataSetIO data = Target();
    CDataFormat format(FMT_TEXT_CSV);
    format.m_Csv.m_strColumns = columns;
    bool ok = ReadSignalFile(data, format, path, 0, two ? 1 : kNoColumn);
    return {ok, Values(data.GetColumn(0)), Values(data.GetColumn(1))};
}

CCsvRead ReadText(const CTempDir& dir, const std::string& text, bool two, const std::string& columns = {}) {
    WriteBytes(dir / "t.csv", text);
    return ReadCsv(dir / "t.csv", two, columns);
}

}  // namespace

TEST(CsvRead, FilesOfNumPyAndSpreadsheetsWithTheirHeaders) {
    CScriptedPlatform platform;
    // numpy.savetxt: a "# time,I,Q" header line, comma-separated rows.
    auto numpy = ReadCsv(Fixture("numpy-header.csv"), true, "2,3");
    ASSERT_TRUE(numpy.ok);
    EXPECT_EQ(numpy.i, (std::vector<double>{0.5, 0.1, -1e-5}));
    EXPECT_EQ(numpy.q, (std::vector<double>{-0.25, 0.2, 3.5e10}));
    // The default columns: the first two.
    auto first = ReadCsv(Fixture("numpy-header.csv"), true);
    EXPECT_EQ(first.i, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(first.q, (std::vector<double>{0.5, 0.1, -1e-5}));
    // Python's csv module: a header row of names.
    auto sheet = ReadCsv(Fixture("spreadsheet.csv"), true, "2, 3");
    ASSERT_TRUE(sheet.ok);
    EXPECT_EQ(sheet.i, numpy.i);
    EXPECT_EQ(sheet.q, numpy.q);
    // Columns in either order, and one column into one channel.
    auto swapped = ReadCsv(Fixture("spreadsheet.csv"), true, "3,2");
    EXPECT_EQ(swapped.i, numpy.q);
    EXPECT_EQ(swapped.q, numpy.i);
    auto third = ReadCsv(Fixture("spreadsheet.csv"), false, "3");
    EXPECT_EQ(third.i, numpy.q);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(CsvRead, SeparatorsByteOrderMarkCommentsAndQuotes) {
    CScriptedPlatform platform;
    // A byte order mark, semicolons with decimal commas, a comment and an
    // empty line between the data.
    auto semicolon = ReadCsv(Fixture("bom-semicolon.csv"), true);
    ASSERT_TRUE(semicolon.ok);
    EXPECT_EQ(semicolon.i, (std::vector<double>{0.5, 1.25, -3.5}));
    EXPECT_EQ(semicolon.q, (std::vector<double>{-0.25, 2.0, 4e-3}));
    for (const char* name : {"tabs.csv", "spaces.csv", "quoted.csv"}) {
        auto r = ReadCsv(Fixture(name), true);
        ASSERT_TRUE(r.ok) << name;
        EXPECT_EQ(r.i, (std::vector<double>{0.5, -0.5})) << name;
        EXPECT_EQ(r.q, (std::vector<double>{0.25, -0.25})) << name;
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST(CsvRead, OneColumnFilesAndChosenColumnsGiveOneChannel) {
    CScriptedPlatform platform;
    auto one = ReadCsv(Fixture("one-column.csv"), true);
    ASSERT_TRUE(one.ok);
    EXPECT_EQ(one.i, (std::vector<double>{0.5, -0.5, 0.25}));
    EXPECT_TRUE(one.q.empty());
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{kOneChannel}));
    platform.messages.clear();
    auto chosen = ReadCsv(Fixture("spreadsheet.csv"), true, "2");
    ASSERT_TRUE(chosen.ok);
    EXPECT_EQ(chosen.i, (std::vector<double>{0.5, 0.1, -1e-5}));
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{kOneChannel}));
    platform.messages.clear();
    auto quiet = ReadCsv(Fixture("one-column.csv"), false);
    EXPECT_EQ(quiet.i, one.i);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(CsvRead, ALineWithoutItsNumbersIsAnErrorNeverASilentEnd) {
    CScriptedPlatform platform;
    CTempDir dir;
    auto bad = ReadCsv(Fixture("bad-line.csv"), true);
    EXPECT_FALSE(bad.ok);
    EXPECT_TRUE(bad.i.empty());
    EXPECT_TRUE(bad.q.empty());
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"Cannot read \"" + Fixture("bad-line.csv") +
                                                                 "\": line 3: column 2 does not hold a number."}));
    platform.messages.clear();
    auto short1 = ReadText(dir, "1,2,3\n4,5\n", true, "1,3");
    EXPECT_FALSE(short1.ok);
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"Cannot read \"" + (dir / "t.csv") + "\": line 2 has no column 3."}));
    platform.messages.clear();
    // Trailing text after the data, and junk after a number.
    EXPECT_FALSE(ReadText(dir, "1,2\n3,4\nend\n", true).ok);
    EXPECT_TRUE(platform.SawMessage("Cannot read \"" + (dir / "t.csv") + "\": line 3: column 1 does not hold a number."));
    EXPECT_FALSE(ReadText(dir, "1,2\n3,4x\n", true).ok);
    EXPECT_FALSE(ReadText(dir, "1,2\n3,\n", true).ok);
    EXPECT_FALSE(ReadText(dir, "1;2\n3;4,5,6\n", true).ok);
    // Explicit columns that the first data line does not have.
    platform.messages.clear();
    EXPECT_FALSE(ReadText(dir, "h1,h2\n1,2\n", true, "1,4").ok);
    EXPECT_TRUE(platform.SawMessage("Cannot read \"" + (dir / "t.csv") + "\": line 2 has no column 4."));
    // Nothing but headers and comments: no data, and no message of its own.
    platform.messages.clear();
    EXPECT_FALSE(ReadText(dir, "# only\nnames,here\n", true).ok);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(CsvRead, NumbersReadExactlyInEveryNotation) {
    CScriptedPlatform platform;
    CTempDir dir;
    auto r = ReadText(dir,
                      "a,b\n"
                      "  -0.1 , +2.5e-3\n"
                      "1E+300,-1e-320\n"
                      "inf,-nan\n"
                      "0x1p-2,9007199254740993\n",
                      true);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.i.size(), 4u);
    EXPECT_EQ(r.i[0], -0.1);
    EXPECT_EQ(r.q[0], 2.5e-3);
    EXPECT_EQ(r.i[1], 1e300);
    EXPECT_EQ(r.q[1], -1e-320);
    EXPECT_TRUE(std::isinf(r.i[2]));
    EXPECT_TRUE(std::isnan(r.q[2]));
    EXPECT_EQ(r.i[3], 0.25);
    EXPECT_EQ(r.q[3], 9007199254740992.0);
}

TEST(CsvWrite, AHeaderRowAndTheShortestTextOfEachValue) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO data = MakeData({0.1, -2.5e-300, 1e21, 3.0},
                               {1.0 / 3, std::numeric_limits<double>::quiet_NaN(), -0.0, -1e-7});
    CDataFormat f(FMT_TEXT_CSV);
    ASSERT_TRUE(WriteSignalFile(data, f, dir / "w.csv", 0, 1, 1));
    EXPECT_EQ(ReadBytes(dir / "w.csv"),
              "Inphase,Quadrature\r\n0.1,0.3333333333333333\r\n-2.5e-300,nan\r\n1e+21,-0\r\n3,-1e-07\r\n");
    CDataSetIO real = MakeData({0.5, 0.25, 0.125});
    ASSERT_TRUE(WriteSignalFile(real, f, dir / "r.csv", 0, kNoColumn, 2));
    EXPECT_EQ(ReadBytes(dir / "r.csv"), "Inphase\r\n0.5\r\n0.125\r\n0.25\r\n");
    EXPECT_TRUE(platform.messages.empty());
}

TEST(CsvWrite, EveryDoubleReadsBackBitForBit) {
    CScriptedPlatform platform;
    CTempDir dir;
    std::mt19937_64 rng(17);
    std::vector<double> i, q;
    for (int k = 0; k < 20000; ++k) {
        uint64_t bits = rng();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v)) v = static_cast<double>(k) / 7.0;
        (k % 2 ? q : i).push_back(k % 3 ? v : std::ldexp(static_cast<double>(rng() >> 11), -53));
    }
    CDataSetIO data = MakeData(i, q);
    CDataFormat f(FMT_TEXT_CSV);
    ASSERT_TRUE(WriteSignalFile(data, f, dir / "all.csv", 0, 1, 1));
    auto back = ReadCsv(dir / "all.csv", true);
    ASSERT_TRUE(back.ok);
    ASSERT_EQ(back.i.size(), i.size());
    for (size_t k = 0; k < i.size(); ++k) {
        EXPECT_EQ(std::memcmp(&back.i[k], &i[k], 8), 0) << k;
        EXPECT_EQ(std::memcmp(&back.q[k], &q[k], 8), 0) << k;
    }
}

TEST(CsvOptions, ColumnsDialogAndItsRules) {
    CScriptedPlatform platform;
    int32_t a, b;
    int count;
    EXPECT_TRUE(CCsvOpts::ParseColumns("", a, b, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    EXPECT_TRUE(CCsvOpts::ParseColumns(" 2 , 3 ", a, b, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_TRUE(CCsvOpts::ParseColumns("7", a, b, count));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(a, 6);
    for (const char* bad : {"0", "1,2,3", "x", "1,", ",2", "-1", "99999999999", "1 2"})
        EXPECT_FALSE(CCsvOpts::ParseColumns(bad, a, b, count)) << bad;

    CDataFormat f(FMT_TEXT_CSV);
    platform.OnDialog([](CDialogModel& d) {
        EXPECT_EQ(d.m_strTitle, "CSV Options");
        d.SimulateText(CCsvOpts::IDC_COLUMNS, "1,2,3");
        d.SimulateClick(IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SimulateText(CCsvOpts::IDC_COLUMNS, "2,3");
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(EditOptions(f));
    EXPECT_EQ(f.m_Csv.m_strColumns, "2,3");
    EXPECT_TRUE(platform.SawMessage(
        "Enter one or two column numbers from 1 up, separated by a comma (such as 2,3), or leave the field empty."));
}
