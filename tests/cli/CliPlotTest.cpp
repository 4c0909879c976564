// kalvora-cli plot: pictures without a window, and failures that leave no
// picture behind.
#include <cmath>

#include "CliTestSupport.h"

namespace kv::test {
namespace {

class CliPlot : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<double> i, q;
        for (int k = 0; k < 500; ++k) {
            i.push_back(0.8 * std::cos(0.3 * k));
            q.push_back(0.8 * std::sin(0.3 * k));
        }
        WriteDecimal(m_dir / "iq.txt", i, q);
    }
    // Runs a plot command; skips the test when this build draws no plots.
    CliResult Plot(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"plot"};
        all.insert(all.end(), args.begin(), args.end());
        CliResult r = RunCli(all, m_dir.Path());
        if (r.status == 1 && Contains(r.err, "built without Qt")) m_bNoQt = true;
        return r;
    }
    static uint32_t BigEndian(const std::string& bytes, size_t at) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) << 24 |
               static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16 |
               static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8 |
               static_cast<unsigned char>(bytes[at + 3]);
    }
    CTempDir m_dir;
    bool m_bNoQt = false;
};

TEST_F(CliPlot, PngAndSvgWithoutADisplay) {
    CliResult r = Plot({"--complex", "iq.txt", "time.png", "--size", "320x200"});
    if (m_bNoQt) GTEST_SKIP() << "built without Qt";
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string png = ReadFile(m_dir / "time.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(BigEndian(png, 16), 320u);
    EXPECT_EQ(BigEndian(png, 20), 200u);

    r = Plot({"--complex", "iq.txt", "spectrum.svg", "--domain", "frequency", "--window", "bh4", "--type", "magnitude",
              "--db", "--title", "Test spectrum"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string svg = ReadFile(m_dir / "spectrum.svg");
    EXPECT_TRUE(Contains(svg, "<svg")) << svg.substr(0, 200);
    EXPECT_TRUE(Contains(svg, "Test spectrum"));

    for (const char* style : {"line", "dot", "linedot", "bar", "stem", "vline", "stair"}) {
        r = Plot({"--complex", "iq.txt", "s.png", "--style", style, "--size", "100x80"});
        EXPECT_EQ(r.status, 0) << style << r.err;
    }
    r = Plot({"--complex", "iq.txt", "h.png", "--histogram", "--type", "inphase"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = Plot({"--complex", "iq.txt", "p.png", "--type", "polar"});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(CliPlot, ViewOptions) {
    CliResult r = Plot({"--complex", "iq.txt", "big.png", "--size", "320x200", "--scale", "2", "--colors", "dark",
                        "--x-range", "0.1:0.3", "--y-range=-0.5:0.5"});
    if (m_bNoQt) GTEST_SKIP() << "built without Qt";
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string png = ReadFile(m_dir / "big.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(BigEndian(png, 16), 640u);  // twice the pixels of the layout size
    EXPECT_EQ(BigEndian(png, 20), 400u);
    r = Plot({"--complex", "iq.txt", "log.png", "--domain", "frequency", "--type", "magnitude", "--log-x", "--log-y",
              "--linear", "--x-range", "0.01:0.4", "--fs", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Exists(m_dir / "log.png"));

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--x-range", "2:1"}, {"--x-range", "1"}, {"--y-range", "a:b"},
          {"--x-range", "0:inf"}, {"--log-x", "--x-range", "0:1"}, {"--log-y", "--y-range", "-1:1"},
          {"--colors", "pink"}, {"--scale", "0"}, {"--scale", "9"}, {"--size", "5000x5000", "--scale", "8"}}) {
        std::vector<std::string> args = {"--complex", "iq.txt", "bad.png"};
        args.insert(args.end(), bad.begin(), bad.end());
        r = Plot(args);
        EXPECT_EQ(r.status, 2) << bad[0] << " " << bad[1] << ": " << r.err;
        EXPECT_FALSE(Exists(m_dir / "bad.png"));
    }
}

TEST_F(CliPlot, MarkersAreRepeatedAndMustLieInTheData) {
    // 500 samples at the default 1 Hz: X runs from 0 to 499 seconds.
    CliResult r = Plot({"--complex", "iq.txt", "m.svg", "--marker", "10", "--marker=20", "--type", "iq"});
    if (m_bNoQt) GTEST_SKIP() << "built without Qt";
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string svg = ReadFile(m_dir / "m.svg");
    // The marker table: its heading and the sample indices of both markers.
    EXPECT_TRUE(Contains(svg, "Sample"));
    EXPECT_TRUE(Contains(svg, ">10<") && Contains(svg, ">20<")) << "sample indices in the table";
    EXPECT_TRUE(Contains(svg, "1/\xCE\x94"));  // 1/dX against the first marker
    r = Plot({"--complex", "iq.txt", "out.png", "--marker", "600"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "outside")) << r.err;
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--marker", "x"},
          {"--marker", "1", "--marker", "2", "--marker", "3", "--marker", "4", "--marker", "5"}}) {
        std::vector<std::string> args = {"--complex", "iq.txt", "out.png"};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(Plot(args).status, 2) << bad[1];
    }
    EXPECT_FALSE(Exists(m_dir / "out.png"));
}

TEST_F(CliPlot, FailuresLeaveNoPicture) {
    CliResult r = Plot({"--complex", "iq.txt", "plot.gif"});
    EXPECT_EQ(r.status, 2);
    r = Plot({"--complex", "iq.txt", "plot.png", "--size", "0x10"});
    EXPECT_EQ(r.status, 2);
    r = Plot({"--complex", "iq.txt", "plot.png", "--type", "waterfall"});
    EXPECT_EQ(r.status, 2);
    r = Plot({"--complex", "iq.txt", "plot.png", "--db", "--linear"});
    EXPECT_EQ(r.status, 2);
    WriteFile(m_dir / "bad.txt", "abc\n");
    r = Plot({"bad.txt", "plot.png"});
    if (m_bNoQt) GTEST_SKIP() << "built without Qt";
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "The file(s) read are not formatted correctly, or contain no data.")) << r.err;
    r = Plot({"--complex", "iq.txt", "no/such/dir/plot.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(Exists(m_dir / "plot.png"));
    EXPECT_EQ(m_dir.Files(), (std::vector<std::string>{"bad.txt", "iq.txt"}));
}

}  // namespace
}  // namespace kv::test
