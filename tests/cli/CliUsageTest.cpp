// Usage of kalvora-cli: help, version and the errors of bad command lines,
// which end with status 2 before anything is read or written.
#include "CliTestSupport.h"

namespace kv::test {
namespace {

class CliUsage : public ::testing::Test {
protected:
    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, m_dir.Path()); }
    CTempDir m_dir;
};

TEST_F(CliUsage, HelpAndVersion) {
    CliResult r = Run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* command : {"formats", "convert", "generate", "project info", "project run"})
        EXPECT_TRUE(Contains(r.out, command)) << command;

    r = Run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string("kalvora-cli ") + KALVORA_VERSION + "\n");

    r = Run({"convert", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.out, "Usage: kalvora-cli convert"));
    EXPECT_TRUE(Contains(r.out, "--interleave"));

    r = Run({"help", "generate"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.out, "Usage: kalvora-cli generate"));

    r = Run({"project", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.out, "project info"));

    r = Run({"project", "run", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.out, "Usage: kalvora-cli project run"));
}

TEST_F(CliUsage, VerboseShowsTheProgressTexts) {
    CliResult r = Run({"generate", "--samples", "8", "out.txt"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.empty()) << r.err;
    r = Run({"generate", "--samples", "8", "out.txt", "--verbose"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.err, "kalvora-cli: [Generating time data...]")) << r.err;
    EXPECT_TRUE(Contains(r.err, "kalvora-cli: [Ready]")) << r.err;
}

TEST_F(CliUsage, BadCommandLinesEndWithStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"project"},
        {"project", "delete", "p.kvp"},
        {"convert", "in.txt"},
        {"convert", "in.txt", "out.txt", "extra.txt"},
        {"convert", "--no-such-option", "in.txt", "out.txt"},
        {"convert", "in.txt", "out.txt", "--to"},
        {"convert", "in.txt", "out.txt", "--to", "Text:Nothing"},
        {"convert", "in.txt", "out.txt", "--from", "Text:C"},
        {"convert", "in.txt", "out.txt", "--to", "Text:Analyzer"},
        {"convert", "in.txt", "out.txt", "--bits", "12"},
        {"convert", "in.txt", "out.txt", "--wave-bits", "16"},
        {"convert", "in.txt", "out.wav", "--to", "Binary:Wave", "--wave-bits", "12"},
        {"convert", "in.txt", "out.bin", "--to", "Binary:int16", "--endian", "middle"},
        {"convert", "in.txt", "out.txt", "--endian", "big"},
        {"convert", "in.txt", "out.bin", "--to", "Binary:int16", "--skip-bytes", "4"},
        {"convert", "in.txt", "out.txt", "--columns", "2,3"},
        {"convert", "in.txt", "out.wav", "--to", "Binary:Wave", "--wave-rate", "48000"},
        {"convert", "in.txt", "out.txt", "--c-name", "x"},
        {"convert", "in.txt", "out.txt", "--interleave", "sideways:2"},
        {"convert", "in.txt", "out.txt", "--interleave", "forward"},
        {"convert", "--complex", "in.txt", "out.txt", "--q-in", "q.txt"},
        {"convert", "in.txt", "out.txt", "--q-to", "Text:Hex"},
        {"convert", "--complex=yes", "in.txt", "out.txt"},
        {"formats", "extra"},
        {"generate", "--waveform", "noise", "out.txt"},
        {"generate", "--samples", "0", "out.txt"},
        {"generate", "--samples", "many", "out.txt"},
        {"generate", "--cycles", "2", "--frequency", "0.1", "out.txt"},
        {"generate", "--fs", "0", "out.txt"},
        {"generate", "--fs", "-8", "out.txt"},
        {"generate", "--fs", "nan", "out.txt"},
        {"generate", "--units", "THz", "out.txt"},
        {"project", "info"},
        {"project", "run", "p.kvp"},
    };
    for (const auto& args : cases) {
        std::string shown;
        for (const auto& a : args) shown += a + " ";
        CliResult r = Run(args);
        EXPECT_EQ(r.status, 2) << shown << "\n" << r.err;
        EXPECT_FALSE(r.err.empty()) << shown;
        EXPECT_TRUE(r.out.empty()) << shown;
    }
    // Nothing was created by any of them.
    EXPECT_TRUE(m_dir.Files().empty());
}

TEST_F(CliUsage, ValuesRefusedByTheDialogsAreUsageErrorsWithTheirMessage) {
    WriteDecimal(m_dir / "in.txt", {0.5, -0.25});
    CliResult r = Run({"convert", "in.txt", "out.hex", "--to", "Text:Hex", "--bits", "65"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "Enter an integer between 1 and 64.")) << r.err;
    EXPECT_FALSE(Exists(m_dir / "out.hex"));

    r = Run({"convert", "in.txt", "out.hex", "--to", "Text:Hex", "--bits", "twelve"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "Enter an integer.")) << r.err;

    r = Run({"convert", "in.txt", "out.txt", "--interleave", "forward:1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "Interleave factor must be greater than 1.")) << r.err;
    EXPECT_FALSE(Exists(m_dir / "out.txt"));

    r = Run({"generate", "--phase", "ninety", "out.txt"});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(Exists(m_dir / "out.txt"));
}

}  // namespace
}  // namespace kv::test
