// kalvora-cli project info and project run, on project files made by the
// program's own document.
#include <functional>

#include "CliTestSupport.h"
#include "app/CModDoc.h"
#include "app/ProjectBytes.h"

namespace kv::test {
namespace {

class CliProject : public ::testing::Test {
protected:
    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, m_dir.Path()); }
    void MakeProject(const std::string& name, const std::function<void(CModDoc&)>& setup) {
        CModDoc doc;
        setup(doc);
        ASSERT_TRUE(doc.SaveProject(m_dir / name));
    }
    CTempDir m_dir;
};

TEST_F(CliProject, InfoDescribesTheProject) {
    MakeProject("bench.kvp", [](CModDoc& doc) {
        doc.m_Fs.SetValue(8.0);
        doc.m_Fs.SetUnit(1);
        doc.m_TimeFiles.m_Format.m_nFormat = FMT_TEXT_HEX;
        doc.m_TimeFiles.m_Format.m_FixedPoint.m_nBits = 12;
        doc.m_TimeFiles.m_bComplex = 1;
        doc.m_ProcDlg.m_bProcRemoveDc = 1;
        doc.m_ProcDlg.m_bProcScale = 1;
        doc.m_ModParm.m_nModulation = CModParm::FM;
    });
    CliResult r = Run({"project", "info", "bench.kvp"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Version: 20\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Sampling frequency: 8 kHz (time unit ms)\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Time Data: 0 points")) << r.out;
    EXPECT_TRUE(Contains(r.out, "(Text:Hex, 12 bits), complex")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Automatic processing: Remove DC, Scale\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "modulation FM")) << r.out;
}

// Opening takes an undo snapshot, which is written as the current version:
// the version reported is the one the file holds.
TEST_F(CliProject, InfoReportsTheVersionTheFileHolds) {
    Bytes v14;
    v14.u16(14);
    DefaultDataFiles(v14, 14);
    DefaultDataFiles(v14, 14);
    for (int i = 0; i < 14; ++i) v14.u16(0);
    v14.u16(0).i32(256).u16(0).u16(0);
    v14.u16(0).f32(1.0f).f32(1.0f).f32(-130.0f).i32(0);
    v14.i32(1024).f32(4.0f).i32(1).i32(1).f64(0.0);
    v14.f32(1.0f).text("Hz,sec");
    v14.u16(0).f32(0.0f).f32(40.0f);
    DefaultPages(v14);
    WriteFile(m_dir / "v14.kvp", std::string(v14.b.begin(), v14.b.end()));
    CliResult r = Run({"project", "info", "v14.kvp"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Version: 14\n")) << r.out;

    // A newer file is read with today's layout after its message.
    MakeProject("new.kvp", [](CModDoc&) {});
    std::string bytes = ReadFile(m_dir / "new.kvp");
    bytes[0] = 25;
    WriteFile(m_dir / "v25.kvp", bytes);
    r = Run({"project", "info", "v25.kvp"});
    EXPECT_TRUE(Contains(r.out, "Version: 25\n")) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err, "newer version")) << r.err;
}

TEST_F(CliProject, DamagedOrMissingProjectsFailWithTheProgramsMessage) {
    MakeProject("good.kvp", [](CModDoc& doc) { doc.m_ProcDlg.m_bProcScale = 1; });
    const std::string good = ReadFile(m_dir / "good.kvp");
    WriteFile(m_dir / "cut.kvp", good.substr(0, good.size() / 2));
    const char noise[] = "\x14\x00\xff\xff\xff\x7f garbage";
    WriteFile(m_dir / "noise.kvp", std::string(noise, sizeof noise - 1));
    WriteDecimal(m_dir / "in.txt", {1, 2});
    for (const char* name : {"cut.kvp", "noise.kvp"}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"project", "info", name},
              std::vector<std::string>{"project", "run", name, "in.txt", "--write-time", "out.txt", "--save", "new.kvp"}}) {
            CliResult r = Run(args);
            EXPECT_EQ(r.status, 1) << name << r.err;
            EXPECT_TRUE(Contains(r.err, "Unexpected file format.")) << name << "\n" << r.err;
            EXPECT_TRUE(r.out.empty()) << name;
        }
    }
    CliResult r = Run({"project", "info", "missing.kvp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "Failed to open document.")) << r.err;
    EXPECT_FALSE(Exists(m_dir / "out.txt"));
    EXPECT_FALSE(Exists(m_dir / "new.kvp"));

    // A file of length 0 is a new, empty project.
    WriteFile(m_dir / "empty.kvp", "");
    r = Run({"project", "info", "empty.kvp"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Automatic processing: none")) << r.out;
}

TEST_F(CliProject, RunAppliesTheProjectsChainWithItsStoredOptions) {
    MakeProject("chain.kvp", [](CModDoc& doc) {
        doc.m_TimeFiles.m_bComplex = 1;
        doc.m_ProcDlg.m_bProcRemoveDc = 1;
        doc.m_ProcDlg.m_bProcScale = 1;
        doc.m_ScaleDlg.m_dScale = 2.0;
    });
    WriteDecimal(m_dir / "in.txt", {1, 2, 3, 4}, {10, 10, 10, 12});
    CliResult r = Run({"project", "run", "chain.kvp", "in.txt", "--write-time", "out.txt", "--save", "after.kvp"});
    ASSERT_EQ(r.status, 0) << r.err;
    // The Remove DC question was answered Yes, the scale dialog took the stored factor.
    EXPECT_TRUE(Contains(r.err, "Do you want to Remove DC from the Time Data? [Yes]")) << r.err;
    CKalvoData data;
    ASSERT_TRUE(ReadSignal(m_dir / "out.txt", FMT_TEXT_DECIMAL, true, data));
    ASSERT_EQ(data.GetCount(), 4);
    const double i[] = {-3, -1, 1, 3}, q[] = {-1, -1, -1, 3};
    for (int32_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(data.Inphase()[k], i[k], 1e-15) << k;
        EXPECT_NEAR(data.Quadrature()[k], q[k], 1e-15) << k;
    }
    // The saved project holds the processed data and the same options.
    CModDoc saved;
    ASSERT_TRUE(saved.OpenProject(m_dir / "after.kvp"));
    ASSERT_EQ(saved.m_TimeData.GetCount(), 4);
    EXPECT_DOUBLE_EQ(saved.m_TimeData.Inphase()[3], 3.0);
    EXPECT_EQ(saved.m_ProcDlg.m_bProcScale, 1);
    EXPECT_DOUBLE_EQ(saved.m_ScaleDlg.m_dScale, 2.0);
    // The Data Files state remembers the last file, as after Write Time Data.
    EXPECT_EQ(saved.m_TimeFiles.m_strPath, m_dir / "out.txt");
}

TEST_F(CliProject, RunFailuresLeaveNoOutput) {
    MakeProject("plain.kvp", [](CModDoc&) {});
    WriteFile(m_dir / "bad.txt", "not a number\r\n");
    CliResult r = Run({"project", "run", "plain.kvp", "bad.txt", "--write-time", "out.txt", "--save", "new.kvp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "The file(s) read are not formatted correctly, or contain no data.")) << r.err;
    EXPECT_FALSE(Exists(m_dir / "out.txt"));
    EXPECT_FALSE(Exists(m_dir / "new.kvp"));

    // Frequency Data is asked for, but this project makes none.
    WriteDecimal(m_dir / "in.txt", {0.5, 0.25});
    r = Run({"project", "run", "plain.kvp", "in.txt", "--write-freq", "f.txt", "--list", "f.lst"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(Exists(m_dir / "f.txt"));
    EXPECT_FALSE(Exists(m_dir / "f.lst"));
}

}  // namespace
}  // namespace kv::test
