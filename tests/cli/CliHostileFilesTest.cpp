// Hostile files through the command-line front end: every project kept from
// fuzzing, and the signal files that once hung or read outside the program's
// memory, either open or are refused with a message. In the sanitizer build
// a report ends kalvora-cli with a signal, which these tests see; a hang is
// stopped after two minutes and fails.
#include <filesystem>

#include "CliTestSupport.h"

namespace kv::test {
namespace {

namespace fs = std::filesystem;

class CliHostileFiles : public ::testing::Test {
protected:
    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, m_dir.Path()); }
    // Opened and shown (0), or refused with the program's message (1).
    static void ExpectShownOrRefused(const CliResult& r, const std::string& what) {
        EXPECT_TRUE(r.status == 0 || (r.status == 1 && !r.err.empty())) << what << ": status " << r.status << "\n"
                                                                        << r.err;
    }
    CTempDir m_dir;
};

TEST_F(CliHostileFiles, EveryKeptProjectOpensOrIsRefused) {
    const fs::path folder = fs::path(KALVORA_TEST_DATA_DIR).parent_path() / "data" / "fuzz-regressions" / "project";
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        ++count;
        ExpectShownOrRefused(Run({"project", "info", entry.path().string()}), entry.path().filename().string());
    }
    EXPECT_GT(count, 0);
}

// Data near the largest double once made the axis scaling loop for ever.
TEST_F(CliHostileFiles, DataNearTheLargestDoublePlots) {
    WriteFile(m_dir / "c.txt", "-1.1581057137040757e308\n0.86320936664887393\n");
    WriteFile(m_dir / "d.txt", "0.86320936664887393\n1.7e308\n");
    for (const char* name : {"c.txt", "d.txt"}) {
        CliResult r = Run({"plot", name, "out.svg"});
        EXPECT_EQ(r.status, 0) << name << "\n" << r.err;
        EXPECT_TRUE(Exists(m_dir / "out.svg")) << name;
        ExpectShownOrRefused(Run({"stats", name}), name);
    }
}

// A first bin that is not a number once made the ranked list read before
// its first entry.
TEST_F(CliHostileFiles, NanFirstBinGivesStatistics) {
    WriteFile(m_dir / "a.txt", "nan\n0\n0\n0\n");
    ExpectShownOrRefused(Run({"stats", "a.txt"}), "a.txt");
    ExpectShownOrRefused(Run({"plot", "--domain", "frequency", "--type", "polar", "a.txt", "out.svg"}), "a.txt");
}

// Huge complex values drawn as polar bars once filled millions of pixel
// columns for each bar; spans near the largest double once overflowed the
// polar layout's integer sides. The file kept from fuzzing is read as the
// harness read it (Binary:double, complex), and in every style.
TEST_F(CliHostileFiles, HugeValuesDrawnAsPolarBars) {
    const fs::path kept = fs::path(KALVORA_TEST_DATA_DIR).parent_path() / "data" / "fuzz-regressions" /
                          "signal_binary" / "bars-millions-of-pixels-wide";
    ASSERT_TRUE(fs::exists(kept));
    fs::copy_file(kept, m_dir / "bars.bin");
    for (const char* style : {"bar", "line", "stem", "stair"}) {
        CliResult r = Run({"plot", "--from", "Binary:double", "--complex", "--type", "polar", "--style", style,
                           "bars.bin", "out.svg"});
        EXPECT_EQ(r.status, 0) << style << "\n" << r.err;
        r = Run({"plot", "--from", "Binary:double", "--complex", "--domain", "frequency", "--type", "polar",
                 "--style", style, "bars.bin", "out.svg"});
        ExpectShownOrRefused(r, style);
    }
    ExpectShownOrRefused(Run({"stats", "--from", "Binary:double", "--complex", "bars.bin"}), "stats");
}

}  // namespace
}  // namespace kv::test
