// kalvora-cli stats: the converter metrics beside the frequency statistics,
// their options, and data holding values that are not finite.
#include <cmath>
#include <random>

#include "CliTestSupport.h"

namespace kv::test {
namespace {

double JsonValue(const std::string& json, const std::string& name, size_t from = 0) {
    const std::string key = "\"" + name + "\": ";
    const size_t at = json.find(key, from);
    if (at == std::string::npos) return std::nan("");
    return std::strtod(json.c_str() + at + key.size(), nullptr);
}

// The text of the "converter" object.
std::string ConverterObject(const std::string& json) {
    const size_t at = json.find("\"converter\": ");
    if (at == std::string::npos) return {};
    return json.substr(at + 13, json.size() - at - 13 - 2);
}

class CliConverter : public ::testing::Test {
protected:
    void SetUp() override {
        // A converter's output: -1 dBFS tone between bins, H2 at -75 dBc and
        // H3 at -80 dBc, white noise for an SNR of 70 dB.
        const int n = 16384;
        const double pi = 3.141592653589793, a = std::pow(10.0, -1.0 / 20), f = 1031.37 / n;
        std::mt19937_64 rng(7);
        std::normal_distribution<double> noise(0.0, std::sqrt(a * a / 2 * 1e-7));
        std::vector<double> x;
        for (int k = 0; k < n; ++k)
            x.push_back(a * std::cos(2 * pi * f * k) + a * std::pow(10.0, -75.0 / 20) * std::cos(4 * pi * f * k + 1) +
                        a * std::pow(10.0, -80.0 / 20) * std::cos(6 * pi * f * k + 2) + noise(rng));
        WriteDecimal(m_dir / "adc.txt", x);
    }
    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, m_dir.Path()); }
    CTempDir m_dir;
};

TEST_F(CliConverter, JsonCarriesTheConverterObjectWithExactlyItsKeys) {
    CliResult r = Run({"stats", "adc.txt", "--json", "--window", "bh7", "--fs", "16384"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string c = ConverterObject(r.out);
    ASSERT_FALSE(c.empty()) << r.out;
    // The keys in their order, and no others.
    const char* keys[] = {"fundamental_frequency", "signal_dbfs", "snr",   "sinad",     "thd",
                          "sfdr",                  "sfdr_frequency", "enob", "noise_floor_dbfs", "nsd_dbfs_per_hz",
                          "span_bins",             "harmonics"};
    size_t at = 0;
    for (const char* key : keys) {
        const size_t next = c.find(std::string("\"") + key + "\": ", at);
        ASSERT_NE(next, std::string::npos) << key << " in " << c;
        at = next;
    }
    size_t quotes = 0;
    for (size_t i = 0; i < c.size(); ++i)
        if (c[i] == '"') ++quotes;
    EXPECT_EQ(quotes, 2u * (12 + 3 * 5)) << c;  // 12 keys and 5 harmonics of 3 keys

    EXPECT_NEAR(JsonValue(c, "fundamental_frequency"), 1031.37, 0.01);
    EXPECT_NEAR(JsonValue(c, "signal_dbfs"), -1.0, 0.02);
    EXPECT_NEAR(JsonValue(c, "snr"), 70.0, 0.5);
    EXPECT_NEAR(JsonValue(c, "thd"), 10 * std::log10(std::pow(10.0, -7.5) + 1e-8), 0.5);
    EXPECT_NEAR(JsonValue(c, "sfdr"), 75.0, 0.5);
    EXPECT_NEAR(JsonValue(c, "sfdr_frequency"), 2 * 1031.37, 0.02);
    EXPECT_EQ(JsonValue(c, "span_bins"), 7.0);
    const size_t h = c.find("\"harmonics\": [");
    EXPECT_EQ(JsonValue(c, "order", h), 2.0);
    EXPECT_NEAR(JsonValue(c, "frequency", h), 2 * 1031.37, 0.02);
    EXPECT_NEAR(JsonValue(c, "dbc", h), -75.0, 0.5);
    // Noise density: the noise per bin over a bin of 1 Hz.
    EXPECT_NEAR(JsonValue(c, "nsd_dbfs_per_hz"), JsonValue(c, "noise_floor_dbfs"), 1e-9);

    // The options: a full scale of 0.5 puts the signal 6 dB higher; three
    // harmonics; a span set by hand.
    r = Run({"stats", "adc.txt", "--json", "--window", "bh7", "--full-scale", "0.5", "--harmonics", "3",
             "--span-bins", "9"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string d = ConverterObject(r.out);
    EXPECT_NEAR(JsonValue(d, "signal_dbfs"), -1.0 + 20 * std::log10(2.0), 0.02);
    EXPECT_NEAR(JsonValue(d, "enob"), JsonValue(c, "enob") - 20 * std::log10(2.0) / 6.02, 0.02);
    EXPECT_EQ(JsonValue(d, "span_bins"), 9.0);
    EXPECT_TRUE(Contains(d, "\"order\": 3}") || Contains(d, "\"order\": 3,")) << d;
    EXPECT_FALSE(Contains(d, "\"order\": 4")) << d;
}

TEST_F(CliConverter, TextCarriesTheSameBlockAndBadOptionsAreRefused) {
    CliResult r = Run({"stats", "adc.txt", "--window", "kaiser:8", "--fs", "16.384", "--units", "MHz"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "\nConverter Metrics\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "  Fundamental:       1.031")) << r.out;
    EXPECT_TRUE(Contains(r.out, " MHz (bin 1031.3")) << r.out;
    EXPECT_TRUE(Contains(r.out, "  Span:              \u00b18 bins from the window (Kaiser-Bessel")) << r.out;
    EXPECT_TRUE(Contains(r.out, "    H2 ")) << r.out;
    EXPECT_FALSE(Contains(r.out, "Warning")) << r.out;

    const struct {
        const char* option;
        const char* value;
    } bad[] = {{"--full-scale", "0"}, {"--full-scale", "-1"}, {"--full-scale", "x"}, {"--harmonics", "0"},
               {"--harmonics", "51"}, {"--span-bins", "-1"},  {"--span-bins", "1001"}};
    for (const auto& b : bad) {
        r = Run({"stats", "adc.txt", b.option, b.value});
        EXPECT_EQ(r.status, 2) << b.option << " " << b.value << "\n" << r.err;
        EXPECT_TRUE(Contains(r.err, b.option)) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(CliConverter, DataThatIsNotFiniteGetsItsReasonNoStatisticsAndStatusOne) {
    WriteFile(m_dir / "a.txt", "nan\n0\n0\n0\n");
    WriteFile(m_dir / "b.txt", "1\n2\ninf\n4\n-inf\n6\n7\n8\n");
    for (const bool json : {false, true}) {
        std::vector<std::string> args = {"stats", "a.txt"};
        if (json) args.push_back("--json");
        CliResult r = Run(args);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_TRUE(Contains(r.err, "The Time Data holds a value that is not a finite number: the Inphase value of "
                                    "point 0 is NaN."))
            << r.err;
    }
    CliResult r = Run({"stats", "b.txt", "--json", "--list", "f.lst"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_FALSE(Contains(r.out, "-300"));
    EXPECT_TRUE(Contains(r.err, "holds 2 values that are not finite numbers (NaN or infinite); the first is the "
                                "Inphase value of point 2, +inf."))
        << r.err;
    EXPECT_FALSE(Exists(m_dir / "f.lst"));
}

TEST_F(CliConverter, SilenceHasNoConverterMetricsButItsStatisticsStand) {
    WriteDecimal(m_dir / "zero.txt", std::vector<double>(64, 0.0));
    CliResult r = Run({"stats", "zero.txt", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "\"converter\": null}")) << r.out;
    EXPECT_TRUE(Contains(r.err, "The Frequency Data holds no tone outside DC to measure.")) << r.err;
}

}  // namespace
}  // namespace kv::test
