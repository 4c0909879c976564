#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

#include "app/CModDoc.h"
#include "app/ProjectBytes.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

class ProjectFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kv_project_" + std::to_string(getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        char buf[4096];
        if (getcwd(buf, sizeof buf)) cwd = buf;
    }
    void TearDown() override {
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) ADD_FAILURE() << "cannot restore the directory";
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<uint8_t> ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
    fs::path dir;
    std::string cwd;
};

// The leading records (version word to sampling frequency) of a version 20
// project with default options.
Bytes& DefaultHead(Bytes& b) {
    b.u16(20);
    test::DefaultDataFiles(b);                                      // Time Data files
    test::DefaultDataFiles(b);                                      // Frequency Data files
    for (int i = 0; i < 14; ++i) b.u16(0);                          // automatic processing
    b.u16(0).i32(256).u16(0).u16(0);                                // transform options
    b.u16(0).f32(32767.0f).f32(1.0f).f32(-130.0f).i32(0);           // decibel reference
    b.i32(1024).f32(4.0f).i32(1).i32(1).f64(0.0).i32(0);            // generator
    b.f64(1.0).text("Hz,sec");                                      // sampling frequency
    b.u16(3).f32(4.0f).f32(40.0f);                                  // window settings
    return b;
}

Bytes& EmptyData(Bytes& b, bool time) {
    b.text("").i32(2).i32(0).i32(0);
    test::DefaultDescriptor(b);
    b.text("").i32(0).i32(time ? 1 : 0).i32(1).f64(1.0).f64(0.5).f64(time ? 1.0 : 0.0).i16(-1);
    b.i32(0).i32(0).i32(0).i32(0).text("Hz,sec");
    return b;
}

TEST_F(ProjectFile, ANewProjectSavedAtOnceHasTheseBytes) {
    CModDoc doc;
    doc.NewProject();
    Bytes expected;
    DefaultHead(expected);
    EmptyData(expected, true);
    EmptyData(expected, false);
    expected.f64(1.0).i32(0);  // scale settings
    test::DefaultPages(expected);
    EXPECT_EQ(test::Store(doc), expected.b);

    ASSERT_TRUE(doc.SaveProject(Path("new.kvp")));
    EXPECT_EQ(ReadFile(Path("new.kvp")), expected.b);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_nVersion, 20);
}

TEST_F(ProjectFile, ThreeRealPointsAreStoredAsTheWorkedExampleSays) {
    CModDoc doc;
    doc.m_Fs = CFs(8.0);
    doc.m_Fs.ParseUnits("kHz,ms");
    doc.m_TimeData.ApplyFs(doc.m_Fs);
    doc.m_FreqData.ApplyFs(doc.m_Fs);
    for (double v : {1.0, 2.0, 3.0}) {
        doc.m_TimeData.Inphase().Append(v);
        doc.m_TimeData.Quadrature().Append(0.0);
    }
    doc.m_TimeData.ResetRange();
    doc.m_TimeData.m_strName = "ramp";
    doc.m_nVersionHigh = 0x0102;  // only the low byte survives
    std::vector<uint8_t> bytes = test::Store(doc);

    Bytes time;
    time.text("ramp").i32(2).i32(3).f64(1.0).f64(2.0).f64(3.0).i32(3).f64(0.0).f64(0.0).f64(0.0);
    test::DefaultDescriptor(time);
    time.text("").i32(0).i32(1).i32(1).f64(8.0).f64(4.0).f64(0.125).u16(0xFFFF).i32(0).i32(2).i32(3).i32(1);
    time.text("kHz,ms");
    EXPECT_EQ(bytes[0], 20);
    EXPECT_EQ(bytes[1], 0x02);
    auto at = std::search(bytes.begin(), bytes.end(), time.b.begin(), time.b.end());
    ASSERT_NE(at, bytes.end()) << "the Time Data record is not in the file";
    // It follows the sampling frequency and window records directly.
    Bytes head;
    head.f64(8.0).text("kHz,ms").u16(3).f32(4.0f).f32(40.0f);
    EXPECT_TRUE(std::equal(head.b.begin(), head.b.end(), at - static_cast<long>(head.b.size())));
}

TEST_F(ProjectFile, EverythingStoredComesBack) {
    std::string longName(300, 'x');
    {
        CModDoc doc;
        doc.m_ProcDlg.m_bProcScale = 1;
        doc.m_ProcDlg.m_bProcRemoveDc = 1;
        doc.m_RefDlg.m_nRefType = 3;
        doc.m_RefDlg.m_nRefWaveform = 1;
        doc.m_Generate.m_nSamples = 77;
        doc.m_Generate.m_nWaveform = 2;
        doc.m_Generate.m_dPhase = 12.5;
        doc.m_Generate.m_fFrequency = 0.3f;  // not stored
        doc.m_Fs = CFs(48.0);
        doc.m_Fs.ParseUnits("kHz,ms");
        doc.m_TimeData.ApplyFs(doc.m_Fs);
        for (int i = 0; i < 10; ++i) {
            doc.m_TimeData.Inphase().Append(i);
            doc.m_TimeData.Quadrature().Append(-i);
        }
        doc.m_TimeData.m_bReal = 0;
        doc.m_TimeData.ResetRange();
        doc.m_TimeData.SetRangeByIndex(2, 7, true);
        doc.m_TimeData.m_nWindow = 3;
        doc.m_ScaleDlg.m_dScale = -6.0;
        doc.m_ScaleDlg.m_bDb = 1;
        doc.m_Audio.m_strAudioFile = longName;
        doc.m_Noise.m_nSeed = 9;          // not stored
        doc.m_QuadErr.m_bDisableDc = 0;   // not stored
        doc.m_nListLength = 20;           // not stored
        doc.m_ZeroPad.m_nStuff = 3;       // not stored
        ASSERT_TRUE(doc.SaveProject(Path("all.kvp")));
    }
    CModDoc doc;
    ASSERT_TRUE(doc.OpenProject(Path("all.kvp")));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(doc.m_ProcDlg.m_bProcScale, 1);
    EXPECT_EQ(doc.m_ProcDlg.m_bProcRemoveDc, 1);
    EXPECT_EQ(doc.m_ProcDlg.m_bProcMix, 0);
    EXPECT_EQ(doc.m_RefDlg.m_nRefType, 3);
    EXPECT_EQ(doc.m_RefDlg.m_nRefWaveform, 1);
    EXPECT_EQ(doc.m_Generate.m_nSamples, 77);
    EXPECT_EQ(doc.m_Generate.m_nWaveform, 2);
    EXPECT_EQ(doc.m_Generate.m_dPhase, 12.5);
    EXPECT_EQ(doc.m_Generate.m_fFrequency, 0.125f);
    EXPECT_EQ(doc.m_Fs.m_dValue, 48.0);
    EXPECT_EQ(doc.m_Fs.GetUnit(), 1);
    ASSERT_EQ(doc.m_TimeData.GetCount(), 10);
    EXPECT_EQ(doc.m_TimeData.Quadrature()[9], -9.0);
    EXPECT_EQ(doc.m_TimeData.m_nStart, 2);
    EXPECT_EQ(doc.m_TimeData.m_nStop, 7);
    EXPECT_EQ(doc.m_TimeData.m_nWindow, 3);
    EXPECT_EQ(doc.m_TimeData.m_bReal, 0);
    EXPECT_EQ(doc.m_TimeData.m_dFs, 48.0);
    EXPECT_EQ(doc.m_ScaleDlg.m_dScale, -6.0);
    EXPECT_EQ(doc.m_ScaleDlg.m_bDb, 1);
    EXPECT_EQ(doc.m_Audio.m_strAudioFile, longName);
    EXPECT_EQ(doc.m_Noise.m_nSeed, 0u);
    EXPECT_EQ(doc.m_QuadErr.m_bDisableDc, 1);
    EXPECT_EQ(doc.m_nListLength, 50);
    EXPECT_EQ(doc.m_ZeroPad.m_nStuff, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.UndoCount(), 1u);
    EXPECT_EQ(doc.GetPathName(), Path("all.kvp"));
    // The project's directory became the current one.
    EXPECT_EQ(fs::current_path(), fs::canonical(dir));
}

TEST_F(ProjectFile, AZeroLengthFileOpensAsANewEmptyProject) {
    WriteFile(Path("empty.kvp"), {});
    CModDoc doc;
    ASSERT_TRUE(doc.OpenProject(Path("empty.kvp")));
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_Generate.m_nSamples, 1024);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ProjectFile, AFileThatCannotBeOpenedIsReported) {
    CModDoc doc;
    EXPECT_FALSE(doc.OpenProject(Path("missing.kvp")));
    // The message names the file and the reason.
    EXPECT_TRUE(platform.SawMessage("Failed to open document.\n\"" + Path("missing.kvp") +
                                    "\": No such file or directory"))
        << platform.MessageTexts()[0];
    EXPECT_FALSE(doc.OpenProject(dir.string()));  // a directory
    EXPECT_TRUE(platform.SawMessage("Failed to open document.\n\"" + dir.string() + "\": Is a directory"));
}

// A version 14 file: options, no signal data records, no scale settings.
Bytes Version14() {
    Bytes b;
    b.u16(14);
    test::DefaultDataFiles(b, 14);
    test::DefaultDataFiles(b, 14);
    for (int i = 0; i < 14; ++i) b.u16(i == 4 ? 1 : 0);             // Transform to Frequency on
    b.u16(2).i32(1000).u16(0).u16(1);                               // transform options
    b.u16(1).f32(10.0f).f32(2.0f).f32(-90.0f).i32(1);               // decibel reference with waveform
    b.i32(512).f32(8.0f).i32(0).i32(0).f64(45.0);                   // generator without waveform
    b.f32(44.1f).text("kHz,ms");
    b.u16(2).f32(7.5f).f32(55.0f);                                  // window settings with gamma
    test::DefaultPages(b);
    return b;
}

TEST_F(ProjectFile, OlderVersionsReadTheFieldsTheyHave) {
    WriteFile(Path("v14.kvp"), Version14().b);
    CModDoc doc;
    doc.m_Generate.m_nWaveform = 3;  // absent in v14: keeps its value
    ASSERT_TRUE(doc.OpenProject(Path("v14.kvp")));
    EXPECT_TRUE(platform.messages.empty());
    // The undo snapshot taken on opening is written as version 20; the
    // file's own version stays known.
    EXPECT_EQ(doc.m_nVersion, 20);
    EXPECT_EQ(doc.m_nFileVersion, 14);
    EXPECT_EQ(doc.m_ProcDlg.m_bProcToFreq, 1);
    EXPECT_EQ(doc.m_RefDlg.m_nRefType, 1);
    EXPECT_EQ(doc.m_RefDlg.m_fMinDb, -90.0f);
    EXPECT_EQ(doc.m_RefDlg.m_nRefWaveform, 1);
    EXPECT_EQ(doc.m_Generate.m_nSamples, 512);
    EXPECT_EQ(doc.m_Generate.m_nRateType, 0);
    EXPECT_EQ(doc.m_Generate.m_bComplex, 0);
    EXPECT_EQ(doc.m_Generate.m_dPhase, 45.0);
    EXPECT_EQ(doc.m_Generate.m_nWaveform, 3);
    EXPECT_EQ(doc.m_Fs.m_dValue, static_cast<double>(44.1f));
    EXPECT_EQ(doc.m_Fs.GetUnit(), 1);
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
    EXPECT_EQ(doc.m_TimeData.m_dFs, static_cast<double>(44.1f));
    EXPECT_EQ(doc.m_ScaleDlg.m_dScale, 1.0);
    EXPECT_EQ(doc.m_TransOpt.m_nLengthType, 2);
    EXPECT_EQ(doc.m_TransOpt.m_nLength, 1000);
    EXPECT_EQ(doc.m_TransOpt.m_bShowOptions, 1);
    EXPECT_EQ(doc.m_WndDlg.m_nWindowType, 2);
    EXPECT_EQ(doc.m_WndDlg.m_fAlpha, 7.5f);
    EXPECT_EQ(doc.m_WndDlg.m_fGamma, 55.0f);

    // Version 0: eleven processing flags, no reference waveform, only the
    // sample count and cycles of the generator.
    Bytes v0;
    v0.u16(0);
    test::DefaultDataFiles(v0, 0);
    test::DefaultDataFiles(v0, 0);
    for (int i = 0; i < 11; ++i) v0.u16(1);
    v0.u16(1).i32(128).u16(0).u16(0);
    v0.u16(2).f32(1.0f).f32(1.0f).f32(-100.0f);
    v0.i32(64).f32(2.0f);
    v0.f32(1000.0f).text("Hz,sec");
    v0.u16(5).f32(6.0f);  // window without gamma
    test::DefaultPages(v0);
    WriteFile(Path("v0.kvp"), v0.b);
    CModDoc old;
    ASSERT_TRUE(old.OpenProject(Path("v0.kvp")));
    EXPECT_EQ(old.m_ProcDlg.m_bProcWriteList, 1);
    EXPECT_EQ(old.m_ProcDlg.m_bProcMix, 0);
    EXPECT_EQ(old.m_ProcDlg.m_bProcRemoveDc, 0);
    EXPECT_EQ(old.m_RefDlg.m_nRefType, 2);
    EXPECT_EQ(old.m_RefDlg.m_nRefWaveform, 0);
    EXPECT_EQ(old.m_Generate.m_nSamples, 64);
    EXPECT_EQ(old.m_Generate.m_nRateType, 1);
    EXPECT_EQ(old.m_Fs.m_dValue, 1000.0);
    EXPECT_EQ(old.m_TransOpt.m_nLength, 128);
    EXPECT_EQ(old.m_WndDlg.m_nWindowType, 5);
    EXPECT_EQ(old.m_WndDlg.m_fGamma, 40.0f);
}

TEST_F(ProjectFile, Version19HasAnF32SamplingFrequencyAndData) {
    CModDoc doc;
    for (int i = 0; i < 4; ++i) {
        doc.m_TimeData.Inphase().Append(i);
        doc.m_TimeData.Quadrature().Append(0.0);
    }
    doc.m_TimeData.ResetRange();
    doc.m_TimeData.m_nWindow = 2;
    std::vector<uint8_t> v20 = test::Store(doc);
    // Turn it into version 19: the f64 sampling frequency becomes an f32.
    Bytes head;
    DefaultHead(head);
    size_t fsAt = head.b.size() - 10 - 8 - 7;  // f64 1.0, "Hz,sec" with its prefix, window
    std::vector<uint8_t> v19(v20.begin(), v20.begin() + static_cast<long>(fsAt));
    v19[0] = 19;
    Bytes f;
    f.f32(1.0f);
    v19.insert(v19.end(), f.b.begin(), f.b.end());
    v19.insert(v19.end(), v20.begin() + static_cast<long>(fsAt + 8), v20.end());
    WriteFile(Path("v19.kvp"), v19);
    CModDoc back;
    ASSERT_TRUE(back.OpenProject(Path("v19.kvp")));
    EXPECT_EQ(back.m_TimeData.GetCount(), 4);
    EXPECT_EQ(back.m_TimeData.m_nWindow, 2);
    EXPECT_EQ(back.m_Generate.m_nWaveform, 0);
}

TEST_F(ProjectFile, ANewerVersionIsAnnouncedThenReadAsTheCurrentOne) {
    CModDoc doc;
    doc.m_Generate.m_nSamples = 99;
    std::vector<uint8_t> bytes = test::Store(doc);
    bytes[0] = 25;
    WriteFile(Path("v25.kvp"), bytes);
    CModDoc back;
    ASSERT_TRUE(back.OpenProject(Path("v25.kvp")));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "This Project file is for a newer version of this program. Please download\nthe latest version of the "
              "program from the Quellin Web Site at:\nwww.quellin.com.");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(back.m_Generate.m_nSamples, 99);
}

// Every prefix of a valid file is refused, and the project keeps the options
// it had before the attempt.
TEST_F(ProjectFile, ATruncatedFileIsRefusedAndLeavesNothingBehind) {
    CModDoc source;
    source.m_Generate.m_nSamples = 5;
    source.m_ProcDlg.m_bProcMix = 1;
    for (int i = 0; i < 3; ++i) {
        source.m_TimeData.Inphase().Append(i);
        source.m_TimeData.Quadrature().Append(i);
    }
    source.m_TimeData.ResetRange();
    std::vector<uint8_t> bytes = test::Store(source);
    CModDoc doc;
    doc.m_Generate.m_nSamples = 321;
    for (size_t n = 1; n < bytes.size(); ++n) {
        WriteFile(Path("cut.kvp"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n)));
        ASSERT_FALSE(doc.OpenProject(Path("cut.kvp"))) << n;
        ASSERT_EQ(platform.messages.back().text, "Unexpected file format.") << n;
        ASSERT_EQ(doc.m_Generate.m_nSamples, 321) << n;
        ASSERT_EQ(doc.m_ProcDlg.m_bProcMix, 0) << n;
        ASSERT_TRUE(doc.m_TimeData.IsEmpty()) << n;
        ASSERT_EQ(doc.m_TimeData.GetColumnCount(), 2) << n;
    }
    EXPECT_EQ(platform.messages.size(), bytes.size() - 1);
    EXPECT_EQ(doc.UndoCount(), 0u);
}

TEST_F(ProjectFile, HostileCountsAreRefusedWithoutAllocating) {
    CModDoc doc;
    Bytes head;
    DefaultHead(head);
    auto expectRefused = [&](const Bytes& tail, const char* what) {
        Bytes file = head;
        file.raw(tail.b);
        WriteFile(Path("bad.kvp"), file.b);
        EXPECT_FALSE(doc.OpenProject(Path("bad.kvp"))) << what;
        EXPECT_EQ(platform.messages.back().text, "Unexpected file format.") << what;
        EXPECT_EQ(doc.m_TimeData.GetColumnCount(), 2) << what;
    };
    Bytes text16;
    text16.u8(0xFF).u16(0xFFFD);  // a 65533-byte name in a short file
    expectRefused(text16, "u16 text length");
    Bytes text32;
    text32.u8(0xFF).u16(0xFFFF).u32(0x7FFFFFF0u);
    expectRefused(text32, "u32 text length");
    Bytes text64;
    text64.u8(0xFF).u16(0xFFFF).u32(0xFFFFFFFFu).u32(0).u32(1);
    expectRefused(text64, "u64 text length");
    Bytes wide;
    wide.u8(0xFF).u16(0xFFFE).u8(0xFF).u16(0x8000);
    expectRefused(wide, "wide text length");
    Bytes threeColumns;
    threeColumns.text("").i32(3).i32(0).i32(0).i32(0);
    expectRefused(threeColumns, "three columns");
    Bytes oneColumn;
    oneColumn.text("").i32(1).i32(0);
    expectRefused(oneColumn, "one column");
    Bytes manyColumns;
    manyColumns.text("").i32(0x7FFFFFFF);
    expectRefused(manyColumns, "column count");
    Bytes values;
    values.text("").i32(2).i32(0x10000000).f64(1.0);
    expectRefused(values, "value count");
    Bytes negative;
    negative.text("").i32(2).i32(-5);
    expectRefused(negative, "negative value count");
}

TEST_F(ProjectFile, TextLengthPrefixesInAllTheirForms) {
    auto roundTrip = [](size_t n) {
        CMemFile file;
        {
            CArchive ar(file, CArchive::Mode::Store);
            ar.WriteString(std::string(n, 'a'));
        }
        std::vector<uint8_t> bytes(file.Data(), file.Data() + file.GetLength());
        file.SeekToBegin();
        CArchive in(file, CArchive::Mode::Load);
        EXPECT_EQ(in.ReadString().size(), n);
        return std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() - n));
    };
    EXPECT_EQ(roundTrip(0), (std::vector<uint8_t>{0}));
    EXPECT_EQ(roundTrip(254), (std::vector<uint8_t>{254}));
    EXPECT_EQ(roundTrip(255), (std::vector<uint8_t>{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(roundTrip(300), (std::vector<uint8_t>{0xFF, 0x2C, 0x01}));
    EXPECT_EQ(roundTrip(65533), (std::vector<uint8_t>{0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(roundTrip(65534), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));

    // The wide form: 0xFF 0xFFFE, then the length again, then UTF-16 units.
    Bytes wide;
    wide.u8(0xFF).u16(0xFFFE).u8(3).u16('H').u16(0x00E9).u16('z');
    wide.u8(0xFF).u16(0xFFFE).u8(0xFF).u16(0xFFFF).u32(1).u16('x');
    wide.u8(0xFF).u16(0xFFFF).u32(0xFFFFFFFFu).u32(2).u32(0).u8('o').u8('k');
    CMemFile file;
    file.Write(wide.b.data(), wide.b.size());
    file.SeekToBegin();
    CArchive in(file, CArchive::Mode::Load);
    EXPECT_EQ(in.ReadString(), "H\xC3\xA9z");
    EXPECT_EQ(in.ReadString(), "x");
    EXPECT_EQ(in.ReadString(), "ok");
}

TEST_F(ProjectFile, ASaveThatFailsHalfWayKeepsTheOldFile) {
    CModDoc doc;
    doc.NewProject();
    ASSERT_TRUE(doc.SaveProject(Path("keep.kvp")));
    std::vector<uint8_t> before = ReadFile(Path("keep.kvp"));
    // Big enough data that the write runs into the file size limit.
    for (int i = 0; i < 100000; ++i) {
        doc.m_TimeData.Inphase().Append(i);
        doc.m_TimeData.Quadrature().Append(0.0);
    }
    doc.m_TimeData.ResetRange();
    doc.SetModified(false);

    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool saved = doc.SaveProject(Path("keep.kvp"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back().icon, MsgIcon::Error);
    EXPECT_NE(platform.messages.back().text.find(Path("keep.kvp")), std::string::npos);
    EXPECT_EQ(ReadFile(Path("keep.kvp")), before);
    // No temporary file is left behind.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(ProjectFile, ASaveIntoAMissingDirectoryIsReported) {
    CModDoc doc;
    doc.SetModified(false);
    EXPECT_FALSE(doc.SaveProject(Path("no/such/dir.kvp")));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("No such file or directory"), std::string::npos);
}

TEST_F(ProjectFile, SavingThroughALinkReplacesTheTarget) {
    CModDoc doc;
    doc.SaveProject(Path("real.kvp"));
    fs::create_symlink(Path("real.kvp"), Path("link.kvp"));
    doc.m_Generate.m_nSamples = 4;
    ASSERT_TRUE(doc.SaveProject(Path("link.kvp")));
    EXPECT_TRUE(fs::is_symlink(Path("link.kvp")));
    CModDoc back;
    ASSERT_TRUE(back.OpenProject(Path("real.kvp")));
    EXPECT_EQ(back.m_Generate.m_nSamples, 4);
}

}  // namespace
}  // namespace kv
