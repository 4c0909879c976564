// kalvora-cli signal: the modulated-signal generator's pages from the
// command line or a project file, and its demodulated outputs.
#include <cmath>

#include "CliTestSupport.h"
#include "app/CModDoc.h"

namespace kv::test {
namespace {

class CliSignal : public ::testing::Test {
protected:
    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, m_dir.Path()); }
    CTempDir m_dir;
};

TEST_F(CliSignal, CwAtAQuarterOfTheSamplingFrequency) {
    CliResult r = Run({"signal", "--fs", "8", "--modulation", "cw", "--carrier", "2", "--samples", "8", "cw.txt",
                       "--am", "am.txt", "--fm", "fm.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    CKalvoData data;
    ASSERT_TRUE(ReadSignal(m_dir / "cw.txt", FMT_TEXT_DECIMAL, true, data));
    ASSERT_EQ(data.GetCount(), 8);
    const double i[] = {1, 0, -1, 0}, q[] = {0, 1, 0, -1};
    for (int32_t k = 0; k < 8; ++k) {
        EXPECT_NEAR(data.Inphase()[k], i[k % 4], 1e-6) << k;
        EXPECT_NEAR(data.Quadrature()[k], q[k % 4], 1e-6) << k;
    }
    // The AM demodulation of a carrier of amplitude 1 is 1; the FM
    // demodulation is the phase step over pi after the first point.
    ASSERT_TRUE(ReadSignal(m_dir / "am.txt", FMT_TEXT_DECIMAL, false, data));
    ASSERT_EQ(data.GetCount(), 8);
    for (int32_t k = 0; k < 8; ++k) EXPECT_NEAR(data.Inphase()[k], 1.0, 1e-6);
    ASSERT_TRUE(ReadSignal(m_dir / "fm.txt", FMT_TEXT_DECIMAL, false, data));
    ASSERT_EQ(data.GetCount(), 8);
    for (int32_t k = 1; k < 8; ++k) EXPECT_NEAR(data.Inphase()[k], 0.5, 1e-6);
}

TEST_F(CliSignal, NoiseFollowsTheSeed) {
    const std::vector<std::string> base = {"signal", "--samples", "64", "--noise", "gaussian:-20"};
    auto run = [&](const std::string& seed, const std::string& out) {
        std::vector<std::string> args = base;
        args.insert(args.end(), {"--seed", seed, out});
        CliResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return ReadFile(m_dir / out);
    };
    const std::string a = run("5", "a.txt"), b = run("5", "b.txt"), c = run("6", "c.txt");
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST_F(CliSignal, PagesComeFromTheProjectAndOptionsOverrideThem) {
    {
        CModDoc doc;
        doc.m_Fs.SetValue(8.0);
        doc.m_ModParm.m_nModulation = CModParm::CW;
        doc.m_ModParm.m_fCarrierFrequency = 2.0f;
        doc.m_Samp.m_nSampleCount = 12;
        ASSERT_TRUE(doc.SaveProject(m_dir / "radio.kvp"));
    }
    CliResult r = Run({"signal", "--project", "radio.kvp", "p.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    CKalvoData data;
    ASSERT_TRUE(ReadSignal(m_dir / "p.txt", FMT_TEXT_DECIMAL, true, data));
    ASSERT_EQ(data.GetCount(), 12);
    EXPECT_NEAR(data.Inphase()[2], -1.0, 1e-6);

    r = Run({"signal", "--project", "radio.kvp", "--samples", "5", "--carrier", "1", "o.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(ReadSignal(m_dir / "o.txt", FMT_TEXT_DECIMAL, true, data));
    ASSERT_EQ(data.GetCount(), 5);
    EXPECT_NEAR(data.Inphase()[2], 0.0, 1e-6);  // an eighth of Fs: a quarter turn in two samples
}

TEST_F(CliSignal, RefusedPagesAndMissingFiles) {
    CliResult r = Run({"signal", "--modulation", "cw", "--carrier", "0", "out.txt"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "You must have a non-zero carrier\n frequency for CW modulation.")) << r.err;
    r = Run({"signal", "--percent-mod", "150", "out.txt"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "Enter a number between 0 and 100.")) << r.err;
    r = Run({"signal", "--noise", "loud", "out.txt"});
    EXPECT_EQ(r.status, 2);
    r = Run({"signal", "--audio-file", "none.aud", "out.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "Cannot open file")) << r.err;
    EXPECT_FALSE(Exists(m_dir / "out.txt"));

    // A short audio file is zero-padded only when the question is answered Yes.
    WriteFile(m_dir / "short.aud", "0.5\n0.25\n");
    r = Run({"signal", "--audio-file", "short.aud", "--samples", "4", "out.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "[Cancel]")) << r.err;
    EXPECT_FALSE(Exists(m_dir / "out.txt"));
    r = Run({"signal", "--audio-file", "short.aud", "--samples", "4", "out.txt", "--yes"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Exists(m_dir / "out.txt"));
}

}  // namespace
}  // namespace kv::test
