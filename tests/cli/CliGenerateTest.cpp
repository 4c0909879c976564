// kalvora-cli generate: the waveform generator's samples reach the file.
#include <cmath>

#include "CliTestSupport.h"

namespace kv::test {
namespace {

class CliGenerate : public ::testing::Test {
protected:
    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, m_dir.Path()); }
    std::vector<double> Column(const CKalvoData& data, bool quadrature) {
        std::vector<double> values;
        for (int32_t k = 0; k < data.GetCount(); ++k)
            values.push_back(quadrature ? data.Quadrature()[k] : data.Inphase()[k]);
        return values;
    }
    CTempDir m_dir;
};

TEST_F(CliGenerate, DefaultsGiveTheComplexSineOfFourCycles) {
    CliResult r = Run({"generate", "sine.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    CKalvoData data;
    ASSERT_TRUE(ReadSignal(m_dir / "sine.txt", FMT_TEXT_DECIMAL, true, data));
    ASSERT_EQ(data.GetCount(), 1024);
    EXPECT_NEAR(data.Inphase()[0], 1.0, 1e-15);
    EXPECT_NEAR(data.Quadrature()[0], 0.0, 1e-15);
    EXPECT_NEAR(data.Inphase()[64], 0.0, 1e-12);
    EXPECT_NEAR(data.Quadrature()[64], 1.0, 1e-12);
}

TEST_F(CliGenerate, ShapesPhaseAndRate) {
    // A real square of 8 samples and 2 cycles reaches exactly 2 pi at its
    // fifth sample.
    CliResult r = Run({"generate", "--real", "--waveform", "square", "--samples", "8", "--cycles", "2", "sq.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    CKalvoData data;
    ASSERT_TRUE(ReadSignal(m_dir / "sq.txt", FMT_TEXT_DECIMAL, false, data));
    EXPECT_EQ(Column(data, false), (std::vector<double>{1, 1, -1, -1, -1, 1, -1, -1}));
    // One value per line: a real file.
    EXPECT_FALSE(ReadSignal(m_dir / "sq.txt", FMT_TEXT_DECIMAL, true, data));

    r = Run({"generate", "--real", "--waveform", "sawtooth", "--samples", "4", "--cycles", "1", "saw.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(ReadSignal(m_dir / "saw.txt", FMT_TEXT_DECIMAL, false, data));
    EXPECT_EQ(Column(data, false), (std::vector<double>{-1, -0.5, 0, 0.5}));

    r = Run({"generate", "--real", "--waveform", "triangle", "--phase", "90", "--samples", "2", "tri.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(ReadSignal(m_dir / "tri.txt", FMT_TEXT_DECIMAL, false, data));
    EXPECT_NEAR(data.Inphase()[0], 0.0, 1e-15);

    // A frequency of 2 kHz at 8 kHz is a quarter of the sampling frequency.
    r = Run({"generate", "--fs", "8", "--units", "kHz", "--frequency", "2", "--samples", "4", "quarter.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(ReadSignal(m_dir / "quarter.txt", FMT_TEXT_DECIMAL, true, data));
    const double expectedI[] = {1, 0, -1, 0}, expectedQ[] = {0, 1, 0, -1};
    for (int32_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(data.Inphase()[k], expectedI[k], 1e-12) << k;
        EXPECT_NEAR(data.Quadrature()[k], expectedQ[k], 1e-12) << k;
    }
}

TEST_F(CliGenerate, WritesAnyWritableFormat) {
    CliResult r = Run({"generate", "--samples", "100", "--cycles", "3", "tone.wav", "--to", "Binary:Wave",
                       "--wave-bits", "16", "--wave-rate", "44100"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string wave = ReadFile(m_dir / "tone.wav");
    ASSERT_EQ(wave.size(), 46u + 100 * 4);  // stereo 16-bit frames
    EXPECT_EQ(wave.substr(0, 4), "RIFF");
    EXPECT_EQ(static_cast<unsigned char>(wave[22]), 2u);
    EXPECT_EQ(static_cast<unsigned char>(wave[24]) | static_cast<unsigned char>(wave[25]) << 8, 44100 & 0xFFFF);

    r = Run({"generate", "--samples", "16", "--real", "taps.c", "--to", "Text:C"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(ReadFile(m_dir / "taps.c"), "#define TAPS_LENGTH 16"));
}

}  // namespace
}  // namespace kv::test
