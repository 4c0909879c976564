// kalvora-cli convert: round trips through every writable format, separate
// Quadrature files and interleaving, the overflow question, and malformed
// inputs, which fail with the program's message and leave no output.
#include <cmath>

#include "CliTestSupport.h"
#include "formats/FormatCatalogue.h"

namespace kv::test {
namespace {

class CliConvert : public ::testing::Test {
protected:
    void SetUp() override {
        for (int k = 0; k < 100; ++k) {
            m_i.push_back(0.9 * std::cos(0.37 * k) - 0.05);
            m_q.push_back(0.8 * std::sin(0.37 * k + 0.2));
        }
        WriteDecimal(m_dir / "in.txt", m_i, m_q);
        WriteDecimal(m_dir / "real.txt", m_i);
    }
    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, m_dir.Path()); }

    // Checks that the Text:Decimal file holds the input within the tolerance.
    void ExpectInput(const std::string& path, bool complex, double tolerance, const std::string& what) {
        CKalvoData data;
        ASSERT_TRUE(ReadSignal(path, FMT_TEXT_DECIMAL, complex, data)) << what;
        ASSERT_EQ(data.GetCount(), static_cast<int32_t>(m_i.size())) << what;
        double worst = 0.0;
        for (size_t k = 0; k < m_i.size(); ++k) {
            worst = std::max(worst, std::fabs(data.Inphase()[static_cast<int32_t>(k)] - m_i[k]));
            if (complex) worst = std::max(worst, std::fabs(data.Quadrature()[static_cast<int32_t>(k)] - m_q[k]));
        }
        // The file compared is Text:Decimal, with 18 decimals.
        EXPECT_LE(worst, std::max(tolerance, 1e-15)) << what;
    }

    CTempDir m_dir;
    std::vector<double> m_i, m_q;
};

TEST_F(CliConvert, ComplexRoundTripThroughEveryReadableWritableFormat) {
    const struct {
        const char* format;
        std::vector<std::string> options;
        double tolerance;
    } cases[] = {
        {"Text:Decimal", {}, 1e-15},
        {"Text:Plot", {}, 1e-15},
        {"Text:FIR", {}, 1e-15},
        {"Text:Fract", {"--bits", "16"}, 0.51 / 32767},
        {"Text:Hex", {"--bits", "12"}, 0.51 / 2047},
        {"Text:Binary", {"--bits", "24"}, 0.51 / 8388607},
        {"Asm:ADI PM", {}, 0.51 / 32767},
        {"Binary:float", {}, 1e-7},
        {"Binary:double", {}, 0.0},
        {"Binary:Wave", {"--wave-bits", "16"}, 0.51 / 32767},
        {"Binary:Wave", {"--wave-bits", "8"}, 1.0 / 64},
        {"Binary:Wave", {"--wave-bits", "24"}, 0.51 / 8388607},
        {"Binary:Wave", {"--wave-bits", "float32"}, 1e-7},
        {"Binary:Wave", {"--wave-bits", "float64"}, 0.0},
        {"Binary:int8", {}, 0.51 / 128},
        {"Binary:uint8", {}, 0.51 / 128},
        {"Binary:int16", {"--endian", "big"}, 0.51 / 32768},
        {"Binary:int32", {}, 0.51 / 2147483648.0},
        {"Binary:npy", {}, 0.0},
        {"Binary:SigMF", {}, 0.0},
        {"Text:CSV", {}, 0.0},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.format) + (c.options.empty() ? "" : " " + c.options.back());
        std::vector<std::string> there = {"convert", "--complex", "in.txt", "mid", "--to", c.format};
        there.insert(there.end(), c.options.begin(), c.options.end());
        CliResult r = Run(there);
        ASSERT_EQ(r.status, 0) << what << "\n" << r.err;
        EXPECT_TRUE(r.err.empty()) << what << "\n" << r.err;

        std::vector<std::string> back = {"convert", "--complex", "mid", "back.txt", "--from", c.format};
        if (!c.options.empty() && (c.options[0] == "--bits" || c.options[0] == "--endian"))
            back.insert(back.end(), c.options.begin(), c.options.end());
        r = Run(back);
        ASSERT_EQ(r.status, 0) << what << "\n" << r.err;
        ExpectInput(m_dir / "back.txt", true, c.tolerance, what);
    }
}

TEST_F(CliConvert, RealDataRoundTripsAsOneColumn) {
    for (const char* format : {"Text:Decimal", "Binary:double", "Binary:Wave"}) {
        CliResult r = Run({"convert", "real.txt", "mid", "--to", format});
        ASSERT_EQ(r.status, 0) << format << r.err;
        r = Run({"convert", "mid", "back.txt", "--from", format});
        ASSERT_EQ(r.status, 0) << format << r.err;
        ExpectInput(m_dir / "back.txt", false, std::string(format) == "Binary:Wave" ? 1.0 / 64 : 0.0, format);
        // One value per line: reading it as complex finds no record.
        CKalvoData data;
        EXPECT_FALSE(ReadSignal(m_dir / "back.txt", FMT_TEXT_DECIMAL, true, data)) << format;
    }
    // A mono WAVE file has one channel.
    const std::string wave = ReadFile(m_dir / "mid");
    ASSERT_GE(wave.size(), 46u);
    EXPECT_EQ(static_cast<unsigned char>(wave[22]), 1u);
}

TEST_F(CliConvert, WriteOnlyCodeFormats) {
    CliResult r = Run({"convert", "--complex", "in.txt", "table.c", "--to", "Text:C", "--c-name", "taps", "--c-type",
                       "double", "--c-suffix", ""});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string c = ReadFile(m_dir / "table.c");
    EXPECT_TRUE(Contains(c, "#define TAPS_LENGTH 100\r\n"));
    EXPECT_TRUE(Contains(c, "double taps_I[TAPS_LENGTH] = {\r\n"));
    EXPECT_TRUE(Contains(c, "double taps_Q[TAPS_LENGTH] = {\r\n"));

    // Without --c-name the array takes the name of the file written.
    r = Run({"convert", "real.txt", "coeffs.c", "--to", "text:c"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(ReadFile(m_dir / "coeffs.c"), "float coeffs[COEFFS_LENGTH] = {"));

    r = Run({"convert", "real.txt", "table.asm", "--to", "Asm:TI Asm", "--asm-name", "FIR"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string asmText = ReadFile(m_dir / "table.asm");
    EXPECT_TRUE(Contains(asmText, "FIR_LENGTH   .equ   100\r\n"));
    EXPECT_TRUE(Contains(asmText, "FIR_COEFFS:\r\n"));
}

TEST_F(CliConvert, AnalyzerFilesAreRead) {
    std::string text = "h1\r\nh2\r\nh3\r\nh4\r\nh5\r\nh6\r\nh7\r\n";
    text += "0 0.5 -0.5\r\n1 0.25 0.125\r\n";
    WriteFile(m_dir / "an.txt", text);
    CliResult r = Run({"convert", "--complex", "an.txt", "out.txt", "--from", "Text:Analyzer"});
    ASSERT_EQ(r.status, 0) << r.err;
    CKalvoData data;
    ASSERT_TRUE(ReadSignal(m_dir / "out.txt", FMT_TEXT_DECIMAL, true, data));
    ASSERT_EQ(data.GetCount(), 2);
    EXPECT_DOUBLE_EQ(data.Inphase()[0], 0.5);
    EXPECT_DOUBLE_EQ(data.Quadrature()[1], 0.125);
}

TEST_F(CliConvert, SeparateQuadratureFilesAndInterleaving) {
    // Complex in, two files out, then back into one complex file.
    CliResult r = Run({"convert", "--complex", "in.txt", "i.bin", "--to", "Binary:double", "--q-out", "q.txt",
                       "--q-to", "Text:Decimal"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(m_dir / "i.bin").size(), 100u * 8);
    r = Run({"convert", "i.bin", "back.txt", "--from", "Binary:double", "--q-in", "q.txt", "--q-from", "Text:Decimal"});
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectInput(m_dir / "back.txt", true, 0.0, "two files");

    // Forward interleaving by 2 writes the even samples, then the odd ones.
    WriteDecimal(m_dir / "six.txt", {0, 1, 2, 3, 4, 5});
    r = Run({"convert", "six.txt", "fwd.txt", "--interleave", "forward:2"});
    ASSERT_EQ(r.status, 0) << r.err;
    CKalvoData data;
    ASSERT_TRUE(ReadSignal(m_dir / "fwd.txt", FMT_TEXT_DECIMAL, false, data));
    std::vector<double> order;
    for (int32_t k = 0; k < data.GetCount(); ++k) order.push_back(data.Inphase()[k]);
    EXPECT_EQ(order, (std::vector<double>{0, 2, 4, 1, 3, 5}));
    r = Run({"convert", "six.txt", "rev.txt", "--interleave", "reverse:2"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(ReadSignal(m_dir / "rev.txt", FMT_TEXT_DECIMAL, false, data));
    order.clear();
    for (int32_t k = 0; k < data.GetCount(); ++k) order.push_back(data.Inphase()[k]);
    EXPECT_EQ(order, (std::vector<double>{4, 2, 0, 5, 3, 1}));

    // Real data has no Quadrature values to write.
    r = Run({"convert", "real.txt", "a.txt", "--q-out", "b.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(Exists(m_dir / "a.txt"));
    EXPECT_FALSE(Exists(m_dir / "b.txt"));
}

TEST_F(CliConvert, ComplexDataNeedsAComplexFileOrAQuadratureFile) {
    // The data read from two files is complex: it is written as one complex
    // file when no Quadrature file is named.
    WriteDecimal(m_dir / "i.txt", {0.1, 0.2});
    WriteDecimal(m_dir / "q.txt", {0.3, 0.4});
    CliResult r = Run({"convert", "i.txt", "iq.txt", "--q-in", "q.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    CKalvoData data;
    ASSERT_TRUE(ReadSignal(m_dir / "iq.txt", FMT_TEXT_DECIMAL, true, data));
    EXPECT_DOUBLE_EQ(data.Quadrature()[1], 0.4);
}

TEST_F(CliConvert, OverflowIsAskedAndNoAnswersNo) {
    WriteDecimal(m_dir / "loud.txt", {0.5, 1.5, -2.0});
    WriteFile(m_dir / "old.hex", "keep me\r\n");
    CliResult r = Run({"convert", "loud.txt", "old.hex", "--to", "Text:Hex"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "The current data will overflow the write data format.  Write anyway? [No]")) << r.err;
    // The refused write left the old file as it was, and no stray file.
    EXPECT_EQ(ReadFile(m_dir / "old.hex"), "keep me\r\n");
    EXPECT_EQ(m_dir.Files(), (std::vector<std::string>{"in.txt", "loud.txt", "old.hex", "real.txt"}));

    r = Run({"convert", "loud.txt", "old.hex", "--to", "Text:Hex", "--yes"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "[Yes]"));
    EXPECT_EQ(ReadFile(m_dir / "old.hex"), "4000\r\nBFFF\r\n0002\r\n");
}

TEST_F(CliConvert, MalformedInputsFailWithTheProgramsMessageAndNoOutput) {
    std::string riffHeader = std::string("RIFF") + std::string(4, '\0') + "WAVEfmt ";
    auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    // 16-bit floats: an encoding without a sample layout.
    const std::string floatFmt = riffHeader + u32(16) + u16(3) + u16(1) + u32(8000) + u32(16000) + u16(2) + u16(16);
    const std::string noData = riffHeader + u32(16) + u16(1) + u16(1) + u32(8000) + u32(16000) + u16(2) + u16(16);
    const std::string zeroChannels = riffHeader + u32(16) + u16(1) + u16(0) + u32(8000) + u32(16000) + u16(2) +
                                     u16(16) + "data" + u32(4) + "abcd";
    const struct {
        const char* name;
        std::string bytes;
        const char* format;
        const char* message;
    } cases[] = {
        {"empty.txt", "", "Text:Decimal", "The file(s) read are not formatted correctly, or contain no data."},
        {"words.txt", "no numbers here\r\n1 2\r\n", "Text:Decimal",
         "The file(s) read are not formatted correctly, or contain no data."},
        {"binary.txt", std::string("\0\1\2\3\xff\xfe", 6), "Text:Decimal",
         "The file(s) read are not formatted correctly, or contain no data."},
        {"short.wav", "RIFF", "Binary:Wave", "Input file does not have a valid header."},
        {"text.wav", "1 2\r\n3 4\r\n5 6\r\n7 8\r\n9 10\r\n", "Binary:Wave", "This is not a valid WAVE file."},
        {"float.wav", floatFmt, "Binary:Wave", "This file uses an unsupported WAVE sub-format."},
        {"nodata.wav", noData, "Binary:Wave", "Error in WAVE header.  The chunk named 'data' was not found."},
        {"mono0.wav", zeroChannels, "Binary:Wave", "Input file does not have a valid header."},
        {"hex.txt", "xyz\r\n", "Text:Hex", "The file(s) read are not formatted correctly, or contain no data."},
        {"odd.bin", "abc", "Binary:double", "The file(s) read are not formatted correctly, or contain no data."},
    };
    for (const auto& c : cases) {
        WriteFile(m_dir / c.name, c.bytes);
        for (bool complex : {false, true}) {
            std::vector<std::string> args = {"convert", c.name, "out.txt", "--from", c.format};
            if (complex) args.push_back("--complex");
            CliResult r = Run(args);
            EXPECT_EQ(r.status, 1) << c.name << "\n" << r.err;
            EXPECT_TRUE(Contains(r.err, c.message)) << c.name << "\n" << r.err;
            EXPECT_FALSE(Exists(m_dir / "out.txt")) << c.name;
        }
    }
    // A directory and a file that is not there.
    std::filesystem::create_directory(m_dir / "folder");
    for (const char* name : {"folder", "missing.txt"}) {
        CliResult r = Run({"convert", name, "out.txt"});
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_TRUE(Contains(r.err, "does not exist or is in use by another process.")) << name << r.err;
        EXPECT_FALSE(Exists(m_dir / "out.txt"));
    }
    // A pipe would never end (or never start): it is refused at once.
    ASSERT_EQ(mkfifo((m_dir / "pipe").c_str(), 0600), 0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"convert", "pipe", "out.txt"}, std::vector<std::string>{"convert", "real.txt", "out.txt", "--q-in", "pipe"},
          std::vector<std::string>{"project", "info", "pipe"}, std::vector<std::string>{"signal", "--audio-file", "pipe", "out.txt"}}) {
        CliResult r = Run(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_TRUE(Contains(r.err, "is not a regular file")) << r.err;
        EXPECT_FALSE(Exists(m_dir / "out.txt"));
    }
    // An output that cannot be created.
    CliResult r = Run({"convert", "in.txt", "no/such/dir/out.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "Cannot open file")) << r.err;
}

}  // namespace
}  // namespace kv::test

namespace kv::test {
namespace {

std::string Fixture(const std::string& name) { return std::string(KALVORA_TEST_DATA_DIR) + "/formats/" + name; }

}  // namespace

TEST(CliFormats, CatalogueListsTheFormatsOfOtherProgramsAfterTheProgramsOwn) {
    CTempDir dir;
    CliResult r = RunCli({"formats"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "10\tBinary:Wave\tyes\tyes\n13\tBinary:int8\tyes\tyes\n14\tBinary:uint8\tyes\tyes\n"
                                "15\tBinary:int16\tyes\tyes\n16\tBinary:int32\tyes\tyes\n17\tBinary:npy\tyes\tyes\n"
                                "18\tBinary:SigMF\tyes\tyes\n19\tText:CSV\tyes\tyes\n"))
        << r.out;
}

TEST(CliFormats, A48kHzWaveFileConvertsToItselfWithoutQuestions) {
    CTempDir dir;
    CliResult r = RunCli({"convert", "--complex", Fixture("pcm16-stereo-48k.wav"), "out.wav", "--from", "Binary:Wave",
                          "--to", "Binary:Wave"},
                         dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string in = ReadFile(Fixture("pcm16-stereo-48k.wav"));
    const std::string out = ReadFile(dir / "out.wav");
    ASSERT_EQ(out.size(), in.size() + 2);  // the program's fmt chunk has 18 bytes
    EXPECT_EQ(out.substr(46), in.substr(44));
    EXPECT_EQ(out.substr(22, 14), in.substr(22, 14));  // channels, 48000 Hz, block size, 16 bits
    // The written file, -32768 among its words, converts to itself byte for
    // byte, and the overflow question (answered No without --yes) never comes.
    r = RunCli({"convert", "--complex", "out.wav", "again.wav", "--from", "Binary:Wave", "--to", "Binary:Wave"},
               dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "again.wav"), out);
    r = RunCli({"convert", Fixture("pcm16-mono-22k.wav"), "mono.wav", "--from", "Binary:Wave", "--to", "Binary:Wave"},
               dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    r = RunCli({"convert", "mono.wav", "mono-again.wav", "--from", "Binary:Wave", "--to", "Binary:Wave"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "mono-again.wav"), ReadFile(dir / "mono.wav"));
    EXPECT_EQ(ReadFile(dir / "mono.wav").substr(46), ReadFile(Fixture("pcm16-mono-22k.wav")).substr(44));
    // Its sampling frequency goes on to a SigMF recording.
    r = RunCli({"convert", "--complex", Fixture("pcm16-stereo-48k.wav"), "rec.sigmf-meta", "--from", "Binary:Wave",
                "--to", "Binary:SigMF"},
               dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(ReadFile(dir / "rec.sigmf-meta"), "\"core:sample_rate\": 48000.0")) << ReadFile(dir / "rec.sigmf-meta");
}

TEST(CliFormats, ReceiverCapturesWithAHeaderAndCsvColumns) {
    CTempDir dir;
    CliResult r = RunCli({"convert", "--complex", Fixture("iq-int16-header.bin"), "out.csv", "--from", "Binary:int16",
                          "--skip-bytes", "16", "--to", "Text:CSV"},
                         dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "out.csv"), "Inphase,Quadrature\r\n0.25,-0.25\r\n0.125,-0.125\r\n");
    WriteFile(dir / "scope.csv", "time;ch1;ch2\r\n0;0,5;-0,25\r\n1;0,1;0,2\r\n");
    r = RunCli({"convert", "--complex", "scope.csv", "out.npy", "--from", "Text:CSV", "--columns", "3,2", "--to",
                "Binary:npy"},
               dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    r = RunCli({"convert", "--complex", "out.npy", "back.csv", "--from", "Binary:npy", "--to", "Text:CSV"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "back.csv"), "Inphase,Quadrature\r\n-0.25,0.5\r\n0.2,0.1\r\n");
    // A column number the dialog refuses is the dialog's message.
    r = RunCli({"convert", "--complex", Fixture("spreadsheet.csv"), "x.csv", "--from", "Text:CSV", "--columns", "0",
                "--to", "Text:CSV"},
               dir.Path());
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(Contains(r.err, "Enter one or two column numbers")) << r.err;
    EXPECT_FALSE(Exists(dir / "x.csv"));
}

// Without --from and --to the extensions name the formats; other extensions
// mean Text:Decimal, and an explicit option wins over the extension.
TEST(CliFormats, ExtensionsNameTheFormatsWhenNoneIsGiven) {
    CTempDir dir;
    CliResult r = RunCli({"convert", "--complex", Fixture("pcm16-stereo-48k.wav"), "out.wav"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "out.wav").substr(46), ReadFile(Fixture("pcm16-stereo-48k.wav")).substr(44));
    r = RunCli({"convert", "--complex", "out.wav", "out.npy"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "out.npy").substr(0, 6), "\x93NUMPY");
    // WAVE words are read as w / 32767, raw integers written as x * 32768:
    // the full-scale words overflow, and --yes saturates them.
    r = RunCli({"convert", "--complex", "out.npy", "out.cs16", "--yes"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    // Raw 16-bit I/Q: four bytes a complex sample, no header.
    EXPECT_EQ(ReadFile(dir / "out.cs16").size(), ReadFile(Fixture("pcm16-stereo-48k.wav")).size() - 44);
    r = RunCli({"convert", "--complex", "out.cs16", "out.csv"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "out.csv").substr(0, 19), "Inphase,Quadrature\r");
    r = RunCli({"convert", "--complex", "out.csv", "out.sigmf-meta"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Exists(dir / "out.sigmf-data"));
    r = RunCli({"convert", "--complex", "out.sigmf-data", "plain.out"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    CKalvoData data;
    ASSERT_TRUE(ReadSignal(dir / "plain.out", FMT_TEXT_DECIMAL, true, data));
    EXPECT_EQ(data.GetCount(), static_cast<int32_t>((ReadFile(dir / "out.cs16").size()) / 4));
    // --from wins: a .wav that holds text is read as text when told so.
    WriteFile(dir / "text.wav", "0.5\n0.25\n");
    r = RunCli({"convert", "text.wav", "copy.txt", "--from", "Text:Decimal"}, dir.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    r = RunCli({"convert", "text.wav", "copy2.txt"}, dir.Path());
    EXPECT_NE(r.status, 0);
    EXPECT_FALSE(Exists(dir / "copy2.txt"));
}

}  // namespace kv::test
