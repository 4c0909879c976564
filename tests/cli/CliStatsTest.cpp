// kalvora-cli stats and transform: a sine with a known spectrum, the window
// and transform options through their dialogs, the list file, and failures.
#include <cmath>

#include "CliTestSupport.h"

namespace kv::test {
namespace {

// The number after "\"name\": " in a JSON text, or NaN when it is not there.
double JsonValue(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\": ";
    const size_t at = json.find(key);
    if (at == std::string::npos) return std::nan("");
    return std::strtod(json.c_str() + at + key.size(), nullptr);
}

class CliStats : public ::testing::Test {
protected:
    void SetUp() override {
        // A real tone in bin 50 of 1024 with its third harmonic 40 dB down,
        // on a DC offset of 0.25.
        std::vector<double> x;
        const double pi = 3.141592653589793;
        for (int k = 0; k < 1024; ++k)
            x.push_back(0.25 + std::cos(2 * pi * 50 * k / 1024) + 0.01 * std::cos(2 * pi * 150 * k / 1024));
        WriteDecimal(m_dir / "tone.txt", x);
    }
    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, m_dir.Path()); }
    CTempDir m_dir;
};

TEST_F(CliStats, KnownSpectrumAsJson) {
    CliResult r = Run({"stats", "tone.txt", "--json", "--fs", "1024"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string& j = r.out;
    EXPECT_EQ(j.front(), '{');
    EXPECT_EQ(j.substr(j.size() - 2), "}\n");
    EXPECT_NEAR(JsonValue(j, "minimum"), 0.25 - 1.01, 2e-2);
    EXPECT_NEAR(JsonValue(j, "maximum"), 1.26, 1e-12);
    EXPECT_NEAR(JsonValue(j, "inphase_mean"), 0.25, 1e-12);
    EXPECT_EQ(JsonValue(j, "quadrature_mean"), 0.0);
    EXPECT_NEAR(JsonValue(j, "magnitude_rms"), std::sqrt(0.0625 + 0.5 + 0.00005), 1e-9);
    EXPECT_EQ(JsonValue(j, "points"), 1024.0);
    EXPECT_TRUE(Contains(j, "\"unit\": \"Hz\"")) << j;
    EXPECT_TRUE(Contains(j, "\"db_label\": \"dBc\"")) << j;
    EXPECT_DOUBLE_EQ(JsonValue(j, "fundamental_frequency"), 50.0);
    EXPECT_NEAR(JsonValue(j, "fundamental_power"), 0.0, 1e-4);
    // DC: 0.25 against a peak bin of 0.5 is 6 dB down.
    EXPECT_NEAR(JsonValue(j, "dc_power"), 20 * std::log10(0.25 / 0.5), 1e-4);
    EXPECT_NEAR(JsonValue(j, "distortion_power"), -40.0, 1e-3);
    // DC is left out of the ranking of a one-sided range: the harmonic is
    // the largest spur, but DC counts as noise.
    EXPECT_NEAR(JsonValue(j, "sfdr"), 40.0, 1e-3);
    EXPECT_NEAR(JsonValue(j, "sinad"), 10 * std::log10(1.0 / (1e-4 + 0.25)), 1e-3);
    EXPECT_NEAR(JsonValue(j, "snr"), 10 * std::log10((1.0 + 1e-4) / 0.25), 1e-3);

    // With DC removed only the harmonic is left beside the tone.
    r = Run({"stats", "tone.txt", "--json", "--remove-dc", "--fs", "1024"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NEAR(JsonValue(r.out, "inphase_mean"), 0.0, 1e-12);
    EXPECT_NEAR(JsonValue(r.out, "sfdr"), 40.0, 1e-3);
    EXPECT_NEAR(JsonValue(r.out, "sinad"), 40.0, 1e-3);
    EXPECT_TRUE(Contains(r.err, "Do you want to Remove DC from the Time Data? [Yes]")) << r.err;
}

TEST_F(CliStats, TextAsTheDialogsShowItAndTheListFile) {
    CliResult r = Run({"stats", "tone.txt", "--remove-dc", "--window", "bh7", "--units", "kHz", "--list", "f.lst",
                       "--list-length", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Time Data Statistics\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Frequency Data Statistics\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Fundamental Frequency: 0.048828")) << r.out;
    EXPECT_TRUE(Contains(r.out, "(frequencies in kHz)")) << r.out;
    const std::string list = ReadFile(m_dir / "f.lst");
    EXPECT_TRUE(Contains(list, " Fundamental = 0.048828 kHz\r\n")) << list;
    // Three list lines below the two heading lines.
    const size_t table = list.find(" ---------");
    ASSERT_NE(table, std::string::npos);
    size_t lines = 0;
    for (size_t p = list.find("\r\n", table) + 2; p < list.size(); p = list.find("\r\n", p) + 2) ++lines;
    EXPECT_EQ(lines, 3u) << list;
}

TEST_F(CliStats, RefusedOptionsAndBadInputs) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"stats", "tone.txt", "--window", "dolph:0.5"}, 2, "Gamma must be 1.0 or greater."},
        {{"stats", "tone.txt", "--window", "kaiser:0"}, 2, "Alpha must be greater than 0.0."},
        {{"stats", "tone.txt", "--window", "rectangle"}, 2, "--window"},
        {{"stats", "tone.txt", "--length", "3"}, 1, "Minimum transform size is 4."},
        {{"stats", "tone.txt", "--length", "lots"}, 2, "--length"},
        {{"stats", "tone.txt", "--list-length", "101"}, 2, "Enter an integer between 1 and 100."},
        {{"stats", "tone.txt", "--ref", "volts:none"}, 2, "--ref"},
        {{"stats", "tone.txt", "--min-db", "low"}, 2, "--min-db"},
        {{"stats", "missing.txt", "--list", "f.lst"}, 1, "does not exist or is in use by another process."},
        {{"stats", "bad.txt", "--list", "f.lst"}, 1, "The file(s) read are not formatted correctly, or contain no data."},
        {{"stats", "three.txt", "--list", "f.lst"}, 1, "Minimum transform size is 4."},
    };
    WriteFile(m_dir / "bad.txt", "abc\r\n");
    WriteDecimal(m_dir / "three.txt", {1, 2, 3});
    for (const auto& c : cases) {
        CliResult r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[2] << "\n" << r.err;
        EXPECT_TRUE(Contains(r.err, c.message)) << c.args[2] << "\n" << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_FALSE(Exists(m_dir / "f.lst"));
    }
}

TEST_F(CliStats, TransformAndBack) {
    WriteDecimal(m_dir / "ones.txt", std::vector<double>(8, 1.0));
    CliResult r = Run({"transform", "ones.txt", "spectrum.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    CKalvoData data;
    ASSERT_TRUE(ReadSignal(m_dir / "spectrum.txt", FMT_TEXT_DECIMAL, true, data));
    ASSERT_EQ(data.GetCount(), 8);
    EXPECT_NEAR(data.Inphase()[0], 1.0, 1e-7);  // divided by N on the way to frequency
    for (int32_t k = 1; k < 8; ++k) EXPECT_NEAR(std::hypot(data.Inphase()[k], data.Quadrature()[k]), 0.0, 1e-7);

    r = Run({"transform", "--inverse", "--complex", "spectrum.txt", "back.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(ReadSignal(m_dir / "back.txt", FMT_TEXT_DECIMAL, true, data));
    ASSERT_EQ(data.GetCount(), 8);
    for (int32_t k = 0; k < 8; ++k) EXPECT_NEAR(data.Inphase()[k], 1.0, 1e-7) << k;

    r = Run({"transform", "--divide-by-n", "ones.txt", "undivided.txt", "--to", "Binary:double"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(ReadSignal(m_dir / "undivided.txt", FMT_BINARY_DOUBLE, true, data));
    EXPECT_NEAR(data.Inphase()[0], 8.0, 1e-6);

    // Power of two: 1000 points become 512.
    WriteDecimal(m_dir / "thousand.txt", std::vector<double>(1000, 0.5));
    r = Run({"transform", "--length", "pow2", "thousand.txt", "t.txt", "--window", "hanning"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(ReadSignal(m_dir / "t.txt", FMT_TEXT_DECIMAL, true, data));
    EXPECT_EQ(data.GetCount(), 512);

    r = Run({"transform", "--inverse", "--window", "hanning", "ones.txt", "x.txt"});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(Exists(m_dir / "x.txt"));
}

}  // namespace
}  // namespace kv::test
