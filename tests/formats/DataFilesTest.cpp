#include <gtest/gtest.h>

#include "formats/CDataFiles.h"
#include "data/CWavFmt.h"
#include "formats/CWriteCol.h"
#include "formats/DataFilesIO.h"
#include "formats/FormatHelpers.h"
#include "formats/SignalFiles.h"
#include "formats/FormatsTestSupport.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::CrLfLines;
using kv::test::FileExists;
using kv::test::ReadBytes;
using kv::test::Values;
using kv::test::WriteBytes;

namespace {

using D = CDataFiles;

CKalvoData TimeData(const std::vector<double>& i, const std::vector<double>& q) {
    CKalvoData data;
    for (double v : i) data.Inphase().Append(v);
    for (double v : q) data.Quadrature().Append(v);
    data.EqualizeColumns(0.0);
    return data;
}

bool Enabled(CDataFiles& d, int id) { return d.Control(id).m_bEnabled; }
bool Visible(CDataFiles& d, int id) { return d.Control(id).m_bVisible; }

int IndexOf(CDataFiles& d, int list, const std::string& name) {
    const auto& items = d.Control(list).m_items;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == name) return static_cast<int>(i);
    return -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// The dialog

TEST(DataFilesDialog, EnablingWhenReading) {
    CScriptedPlatform platform;
    CDataFiles files;
    CKalvoData data;
    platform.OnDialog<CDataFiles>([](CDataFiles& d) {
        EXPECT_EQ(d.m_strTitle, "Read Time Data sig.kvp");
        EXPECT_TRUE(Enabled(d, D::IDC_COMPLEX));
        EXPECT_TRUE(Enabled(d, D::IDC_QNAME));
        EXPECT_TRUE(Enabled(d, D::IDC_QBROWSE));
        EXPECT_TRUE(Enabled(d, D::IDC_QFORMAT));
        EXPECT_FALSE(Enabled(d, D::IDC_OPTIONS));   // Text:Decimal has none
        EXPECT_FALSE(Enabled(d, D::IDC_QOPTIONS));
        EXPECT_FALSE(Visible(d, D::IDC_NONE));
        EXPECT_FALSE(Visible(d, D::IDC_FACTOR));
        EXPECT_TRUE(Visible(d, D::IDC_RESET_RANGES));
        EXPECT_EQ(IndexOf(d, D::IDC_FORMAT, "Text:C"), -1);
        EXPECT_GE(IndexOf(d, D::IDC_FORMAT, "Text:Analyzer"), 0);
        d.SimulateSelect(D::IDC_FORMAT, IndexOf(d, D::IDC_FORMAT, "Text:Hex"));
        EXPECT_TRUE(Enabled(d, D::IDC_OPTIONS));
        d.SimulateSelect(D::IDC_QFORMAT, IndexOf(d, D::IDC_QFORMAT, "Binary:Wave"));
        EXPECT_TRUE(Enabled(d, D::IDC_QOPTIONS));
        d.SimulateClick(D::IDC_COMPLEX);
        EXPECT_FALSE(Enabled(d, D::IDC_QNAME));
        EXPECT_FALSE(Enabled(d, D::IDC_QBROWSE));
        EXPECT_FALSE(Enabled(d, D::IDC_QFORMAT));
        EXPECT_FALSE(Enabled(d, D::IDC_QOPTIONS));
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(ReadDataFiles(files, data, "Read Time Data", "sig.kvp"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.unfinishedDialogs, 0);
}

TEST(DataFilesDialog, EnablingWhenWritingRealAndComplexData) {
    CScriptedPlatform platform;
    CDataFiles files;
    CKalvoData real = TimeData({1, 2}, {0, 0});
    platform.OnDialog<CDataFiles>([](CDataFiles& d) {
        EXPECT_FALSE(Enabled(d, D::IDC_COMPLEX));
        EXPECT_FALSE(Enabled(d, D::IDC_QNAME));
        EXPECT_FALSE(Enabled(d, D::IDC_QFORMAT));
        EXPECT_TRUE(Visible(d, D::IDC_NONE));
        EXPECT_TRUE(Visible(d, D::IDC_FACTOR));
        EXPECT_FALSE(Enabled(d, D::IDC_FACTOR));
        EXPECT_FALSE(Visible(d, D::IDC_RESET_RANGES));
        EXPECT_EQ(IndexOf(d, D::IDC_FORMAT, "Text:Analyzer"), -1);
        EXPECT_GE(IndexOf(d, D::IDC_FORMAT, "Asm:TI Asm"), 0);
        d.SimulateClick(D::IDC_FORWARD);
        EXPECT_TRUE(Enabled(d, D::IDC_FACTOR));
        d.SimulateClick(D::IDC_NONE);
        EXPECT_FALSE(Enabled(d, D::IDC_FACTOR));
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(WriteDataFiles(files, real, "Write Time Data", "p"));

    CKalvoData complex = TimeData({1, 2}, {3, 4});
    platform.OnDialog<CDataFiles>([](CDataFiles& d) {
        EXPECT_TRUE(Enabled(d, D::IDC_COMPLEX));
        EXPECT_TRUE(Enabled(d, D::IDC_QNAME));
        d.SimulateClick(D::IDC_COMPLEX);
        EXPECT_FALSE(Enabled(d, D::IDC_QNAME));
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(WriteDataFiles(files, complex, "Write Time Data", "p"));
    EXPECT_EQ(platform.unfinishedDialogs, 0);
}

TEST(DataFilesDialog, OkTakesNamesPathsFormatsAndChecksTheFactor) {
    CScriptedPlatform platform;
    CDataFiles files;
    files.m_strPath = "/data/old/first.txt";
    files.m_strName = "first.txt";
    files.m_Format.m_AsmOpts.m_strName = "keep";
    CKalvoData data = TimeData({1}, {2});
    platform.OnDialog<CDataFiles>([](CDataFiles& d) {
        d.SimulateText(D::IDC_NAME, "  second.txt ");
        d.SimulateText(D::IDC_QNAME, "/abs/q.txt");
        d.SimulateSelect(D::IDC_FORMAT, IndexOf(d, D::IDC_FORMAT, "Text:Fract"));
        d.SimulateClick(D::IDC_REVERSE);
        d.SimulateText(D::IDC_FACTOR, "two");
        d.SimulateClick(IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SimulateText(D::IDC_FACTOR, "3");
        d.SimulateClick(IDCANCEL);
    });
    WriteDataFiles(files, data, "Write Time Data", "my.project.kvp");
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"Enter an integer."}));
    // Default code names from the title; a name already set stays.
    EXPECT_EQ(files.m_Format.m_OptionsC.m_strName, "my_project_kvp");
    EXPECT_EQ(files.m_Format.m_AsmOpts.m_strName, "keep");
    EXPECT_EQ(files.m_QFormat.m_AsmOpts.m_strName, "my_project_kvp");
    // Cancel keeps the paths, though the controls changed the shown values.
    EXPECT_EQ(files.m_strPath, "/data/old/first.txt");

    platform.OnDialog<CDataFiles>([](CDataFiles& d) {
        d.SimulateText(D::IDC_NAME, "  second.txt ");
        d.SimulateText(D::IDC_QNAME, "/abs/q.txt");
        d.SimulateSelect(D::IDC_FORMAT, IndexOf(d, D::IDC_FORMAT, "Text:Fract"));
        d.SimulateClick(D::IDC_REVERSE);
        d.SimulateText(D::IDC_FACTOR, "3");
        d.SimulateClick(IDOK);
    });
    platform.AnswerNo();  // any question ends nothing here: the write itself fails on the missing folder
    WriteDataFiles(files, data, "Write Time Data", "p");
    EXPECT_EQ(files.m_strName, "second.txt");
    EXPECT_EQ(files.m_strPath, "/data/old/second.txt");
    EXPECT_EQ(files.m_strQPath, "/abs/q.txt");
    EXPECT_EQ(files.m_Format.m_nFormat, FMT_TEXT_FRACT);
    EXPECT_EQ(files.m_nInterleave, CDataFiles::INTERLEAVE_REVERSE);
    EXPECT_EQ(files.m_nFactor, 3);
}

TEST(DataFilesDialog, BrowseChoosesAPathAndOptionsOpenTheFormatDialog) {
    kv::test::CCurrentDirectoryGuard cwd;
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFiles files;
    files.m_strPath = dir / "old.txt";
    files.m_strName = "old.txt";
    CKalvoData data;
    platform.AnswerOpenFile(dir / "picked.wav");
    platform.OnDialog<CDataFiles>([&](CDataFiles& d) {
        d.SimulateClick(D::IDC_BROWSE);
        EXPECT_EQ(d.GetDlgItemText(D::IDC_NAME), "picked.wav");
        d.SimulateSelect(D::IDC_FORMAT, IndexOf(d, D::IDC_FORMAT, "Text:Binary"));
        d.SimulateClick(D::IDC_OPTIONS);
        d.SimulateClick(IDCANCEL);
    });
    platform.OnDialog<CFixedPointOpts>([](CFixedPointOpts& d) {
        d.SimulateText(CFixedPointOpts::IDC_BITS, "12");
        d.SimulateClick(IDOK);
    });
    ReadDataFiles(files, data, "Read Time Data", "p");
    ASSERT_EQ(platform.fileRequests.size(), 1u);
    EXPECT_FALSE(platform.fileRequests[0].save);
    EXPECT_EQ(platform.fileRequests[0].initialPath, dir / "old.txt");
    EXPECT_EQ(platform.fileRequests[0].filter,
              "All Files (*.*)|*.*|Text Files (*.txt;*.hex)|*.txt;*.hex|Assembly Files (*.asm;*.dsp;*.pm)|"
              "*.asm;*.dsp;*.pm|Binary Files (*.bin;*.dat)|*.bin; *.dat|Wave Files (*.wav)|*.wav|NumPy Files (*.npy)|*.npy|"
              "SigMF Recordings (*.sigmf-meta;*.sigmf-data)|*.sigmf-meta;*.sigmf-data|CSV Files (*.csv)|*.csv||");
    EXPECT_EQ(files.m_strPath, dir / "picked.wav");
    EXPECT_EQ(files.m_Format.m_FixedPoint.m_nBits, 12);
}

// ---------------------------------------------------------------------------
// Reading

namespace {

void ScriptRead(CScriptedPlatform& platform, const std::string& name, const std::string& qname, bool complex) {
    platform.OnDialog<CDataFiles>([=](CDataFiles& d) {
        d.SimulateText(D::IDC_NAME, name);
        d.SimulateText(D::IDC_QNAME, qname);
        if (d.IsDlgButtonChecked(D::IDC_COMPLEX) != (complex ? 1 : 0)) d.SimulateClick(D::IDC_COMPLEX);
        d.SimulateClick(IDOK);
    });
}

}  // namespace

TEST(ReadDataFiles, OneComplexFileOrTwoFiles) {
    CScriptedPlatform platform;
    CTempDir dir;
    WriteBytes(dir / "c.txt", "1 2\n3 4\n");
    std::string i100, q80;
    for (int k = 0; k < 100; ++k) i100 += std::to_string(k) + "\n";
    for (int k = 0; k < 80; ++k) q80 += std::to_string(-k) + "\n";
    WriteBytes(dir / "i.txt", i100);
    WriteBytes(dir / "q.txt", q80);

    CDataFiles files;
    files.m_strPath = dir / "x";
    files.m_strQPath = dir / "y";
    CKalvoData data;
    ScriptRead(platform, "c.txt", "", true);
    ASSERT_TRUE(ReadDataFiles(files, data, "Read Time Data", "p"));
    EXPECT_EQ(Values(data.Inphase()), (std::vector<double>{1, 3}));
    EXPECT_EQ(Values(data.Quadrature()), (std::vector<double>{2, 4}));
    EXPECT_FALSE(data.IsReal());
    EXPECT_EQ(DataFilesDescription(files), "Data from file: c.txt");

    ScriptRead(platform, "i.txt", "q.txt", false);
    ASSERT_TRUE(ReadDataFiles(files, data, "Read Time Data", "p"));
    EXPECT_EQ(data.Inphase().GetSize(), 100);
    EXPECT_EQ(data.Quadrature().GetSize(), 100);
    EXPECT_EQ(data.GetValue(1, 79), -79.0);
    EXPECT_EQ(data.GetValue(1, 80), 0.0);
    EXPECT_EQ(data.m_nStop, 99);
    EXPECT_EQ(DataFilesDescription(files), "Data from files: i.txt and q.txt");

    ScriptRead(platform, "", "q.txt", false);
    ASSERT_TRUE(ReadDataFiles(files, data, "Read Time Data", "p"));
    EXPECT_EQ(data.Inphase().GetSize(), 80);
    EXPECT_EQ(data.GetValue(0, 5), 0.0);
    EXPECT_EQ(data.GetValue(1, 5), -5.0);
    EXPECT_EQ(DataFilesDescription(files), "Data from file: q.txt");
    EXPECT_TRUE(platform.messages.empty());
}

TEST(ReadDataFiles, ChecksAndFailures) {
    CScriptedPlatform platform;
    CTempDir dir;
    WriteBytes(dir / "good.txt", "1\n2\n");
    WriteBytes(dir / "bad.txt", "not numbers\n");
    CDataFiles files;
    files.m_strPath = dir / "x";
    files.m_strQPath = dir / "x";
    CKalvoData data = TimeData({9, 9}, {9, 9});

    ScriptRead(platform, "   ", "", false);
    EXPECT_FALSE(ReadDataFiles(files, data, "Read Time Data", "p"));
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"No input files were specified."}));
    EXPECT_EQ(data.Inphase().GetSize(), 2);  // untouched

    platform.messages.clear();
    ScriptRead(platform, "good.txt", "gone.txt", true);  // a Quadrature name is tested even for complex reads
    EXPECT_FALSE(ReadDataFiles(files, data, "Read Time Data", "p"));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"File \"" + (dir / "gone.txt") + "\" does not exist or is in use by another process."}));
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);

    platform.messages.clear();
    ScriptRead(platform, "bad.txt", "good.txt", false);
    EXPECT_FALSE(ReadDataFiles(files, data, "Read Time Data", "p"));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"The file(s) read are not formatted correctly, or contain no data."}));
    EXPECT_EQ(data.GetCount(), 0);  // the failing Inphase read stopped the Quadrature read

    platform.messages.clear();
    ScriptRead(platform, "good.txt", "bad.txt", false);
    EXPECT_FALSE(ReadDataFiles(files, data, "Read Time Data", "p"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Values(data.Inphase()), (std::vector<double>{1, 2}));
    EXPECT_EQ(Values(data.Quadrature()), (std::vector<double>{0, 0}));
    EXPECT_EQ(platform.waitCursorDepth, 0);
}

// ---------------------------------------------------------------------------
// Writing

namespace {

void ScriptWrite(CScriptedPlatform& platform, const std::string& name, const std::string& qname, bool complex,
                 int mode = 0, const std::string& factor = "0") {
    platform.OnDialog<CDataFiles>([=](CDataFiles& d) {
        d.SimulateText(D::IDC_NAME, name);
        if (d.Control(D::IDC_COMPLEX).m_bEnabled && d.IsDlgButtonChecked(D::IDC_COMPLEX) != (complex ? 1 : 0))
            d.SimulateClick(D::IDC_COMPLEX);
        if (d.Control(D::IDC_QNAME).m_bEnabled) d.SimulateText(D::IDC_QNAME, qname);
        d.SimulateClick(mode == 0 ? D::IDC_NONE : mode == 1 ? D::IDC_FORWARD : D::IDC_REVERSE);
        d.SimulateText(D::IDC_FACTOR, factor);
        d.SimulateClick(IDOK);
    });
}

}  // namespace

TEST(WriteDataFiles, ChecksKeepTheDialogOpenUntilTheEntriesPass) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFiles files;
    files.m_strPath = "";
    CKalvoData complex = TimeData({0.5, 0.25}, {0.125, 0.0});
    ScriptWrite(platform, "", "", true);
    ScriptWrite(platform, "", "", false);
    ScriptWrite(platform, "", "q.txt", false);
    ScriptWrite(platform, dir / "i.txt", "", false);
    ScriptWrite(platform, dir / "i.txt", "", true, 1, "1");
    platform.CancelDialog();
    EXPECT_FALSE(WriteDataFiles(files, complex, "Write Time Data", "p"));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"Please specify the Complex file name.",
                                        "Please specify the Real and Quadrature file names.",
                                        "Please specify the Inphase file name.",
                                        "This time data is complex.  Please check the 'Is Complex'\nbox or specify "
                                        "the Quadrature file name.",
                                        "Interleave factor must be greater than 1."}));
    for (const auto& m : platform.messages) {
        EXPECT_EQ(m.icon, MsgIcon::Question);
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
    }
    EXPECT_FALSE(FileExists(dir / "i.txt"));

    platform.messages.clear();
    CKalvoData real = TimeData({0.5}, {0.0});
    CDataFiles realFiles;
    ScriptWrite(platform, "", "", false);
    platform.CancelDialog();
    EXPECT_FALSE(WriteDataFiles(realFiles, real, "Write Time Data", "p"));
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"Please specify the Inphase file name."}));
}

TEST(WriteDataFiles, ComplexFileSeparateFilesAndInterleaving) {
    CScriptedPlatform platform;
    CTempDir dir;
    std::vector<double> i, q;
    for (int k = 0; k < 8; ++k) {
        i.push_back(k / 32767.0);
        q.push_back(-k / 32767.0);
    }
    CKalvoData data = TimeData(i, q);
    CDataFiles files;
    files.m_Format.m_nFormat = FMT_TEXT_FRACT;
    files.m_QFormat.m_nFormat = FMT_TEXT_FRACT;

    ScriptWrite(platform, dir / "c.txt", "", true);
    ASSERT_TRUE(WriteDataFiles(files, data, "Write Time Data", "p"));
    EXPECT_EQ(CrLfLines(ReadBytes(dir / "c.txt"))[1], "     1     -1");

    ScriptWrite(platform, dir / "i.txt", dir / "q.txt", false, 1, "4");
    ASSERT_TRUE(WriteDataFiles(files, data, "Write Time Data", "p"));
    EXPECT_EQ(CrLfLines(ReadBytes(dir / "i.txt")),
              (std::vector<std::string>{"     0", "     4", "     1", "     5", "     2", "     6", "     3", "     7"}));
    EXPECT_EQ(CrLfLines(ReadBytes(dir / "q.txt"))[1], "    -4");

    ScriptWrite(platform, dir / "i.txt", dir / "q.txt", false, 2, "4");
    ASSERT_TRUE(WriteDataFiles(files, data, "Write Time Data", "p"));
    EXPECT_EQ(CrLfLines(ReadBytes(dir / "i.txt")),
              (std::vector<std::string>{"     4", "     0", "     5", "     1", "     6", "     2", "     7", "     3"}));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.waitCursorDepth, 0);
}

TEST(WriteDataFiles, AQuadraturePathNotInUseIsNotOverwritten) {
    CScriptedPlatform platform;
    CTempDir dir;
    WriteBytes(dir / "q.txt", "keep me\r\n");
    CDataFiles files;
    files.m_strQPath = dir / "q.txt";
    files.m_strQName = "q.txt";
    CKalvoData real = TimeData({0.5, 0.25}, {0, 0});
    ScriptWrite(platform, dir / "i.txt", "", false);
    ASSERT_TRUE(WriteDataFiles(files, real, "Write Time Data", "p"));
    EXPECT_TRUE(FileExists(dir / "i.txt"));
    EXPECT_EQ(ReadBytes(dir / "q.txt"), "keep me\r\n");

    CKalvoData complex = TimeData({0.5}, {0.25});
    ScriptWrite(platform, dir / "c.txt", "", true);
    ASSERT_TRUE(WriteDataFiles(files, complex, "Write Time Data", "p"));
    EXPECT_EQ(ReadBytes(dir / "q.txt"), "keep me\r\n");
}

TEST(WriteDataFiles, AClearedNameLeavesTheDirectoryAndTheWriteFailsLater) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataFiles files;
    files.m_strPath = dir / "old.txt";
    CKalvoData real = TimeData({0.5}, {0});
    ScriptWrite(platform, "", "", false);
    EXPECT_FALSE(WriteDataFiles(files, real, "Write Time Data", "p"));
    EXPECT_EQ(files.m_strPath, dir.Path() + "/");
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"Cannot open file \"" + dir.Path() + "/\"."}));
}

// ---------------------------------------------------------------------------
// Project record and description

TEST(DataFilesRecord, StoresAndLoadsByVersion) {
    CDataFiles files;
    files.m_strPath = "C:\\signals\\in.txt";
    files.m_strQPath = "/home/u/q.dat";
    files.m_bComplex = 1;
    files.m_nInterleave = 2;
    files.m_nFactor = 4;
    files.m_Format.m_nFormat = FMT_WAVE_16;
    files.m_QFormat.m_nFormat = FMT_TEXT_HEX;
    files.m_QFormat.m_FixedPoint.m_nBits = 12;
    CMemFile mem;
    {
        CArchive ar(mem, CArchive::Mode::Store);
        files.Serialize(ar, 20);
        ar.Close();
    }
    mem.SeekToBegin();
    CDataFiles back;
    {
        CArchive ar(mem, CArchive::Mode::Load);
        back.Serialize(ar, 20);
    }
    EXPECT_EQ(back.m_strPath, files.m_strPath);
    EXPECT_EQ(back.m_strName, "in.txt");
    EXPECT_EQ(back.m_strQName, "q.dat");
    EXPECT_EQ(back.m_bComplex, 1);
    EXPECT_EQ(back.m_nInterleave, 2);
    EXPECT_EQ(back.m_nFactor, 4);
    EXPECT_EQ(back.m_Format.m_nFormat, FMT_WAVE_16);
    EXPECT_EQ(back.m_QFormat.m_FixedPoint.m_nBits, 12);

    // A new state: empty paths are single zero bytes, then complex flag,
    // interleave mode and factor.
    CMemFile fresh;
    {
        CArchive ar(fresh, CArchive::Mode::Store);
        CDataFiles empty;
        empty.Serialize(ar, 20);
        ar.Close();
    }
    fresh.SeekToBegin();
    std::vector<uint8_t> head(12);
    ASSERT_EQ(fresh.Read(head.data(), head.size()), head.size());
    EXPECT_EQ(head, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    // Version 8 has no interleaving and version 5 no complex flag.
    for (int version : {5, 8}) {
        CMemFile old;
        {
            CArchive ar(old, CArchive::Mode::Store);
            files.Serialize(ar, version);
            ar.Close();
        }
        old.SeekToBegin();
        CDataFiles o;
        CArchive ar(old, CArchive::Mode::Load);
        o.Serialize(ar, version);
        EXPECT_EQ(o.m_bComplex, version >= 6 ? 1 : 0);
        EXPECT_EQ(o.m_nFactor, 0);
        EXPECT_EQ(o.m_Format.m_nFormat, FMT_WAVE_16);
        EXPECT_EQ(ar.Remaining(), 0u);
    }
}

TEST(DataFilesRecord, Description) {
    CDataFiles files;
    files.m_strName = "a.txt";
    EXPECT_EQ(DataFilesDescription(files), "Data from file: a.txt");
    files.m_strQName = "b.txt";
    EXPECT_EQ(DataFilesDescription(files), "Data from files: a.txt and b.txt");
    files.m_bComplex = 1;  // a complex read does not use the Quadrature file
    EXPECT_EQ(DataFilesDescription(files), "Data from file: a.txt");
    files.m_bComplex = 0;
    files.m_strName.clear();
    EXPECT_EQ(DataFilesDescription(files), "Data from file: b.txt");
}

// ---------------------------------------------------------------------------
// Write-column dialog

TEST(WriteColumn, CancelEmptyNameWriteAndMemory) {
    kv::test::CCurrentDirectoryGuard cwd;
    CScriptedPlatform platform;
    CTempDir dir;
    CWriteCol state;
    CDataColumn column;
    for (double v : {0.5, -0.5, 2.0}) column.Append(v);

    platform.CancelDialog();
    EXPECT_FALSE(WriteColumnDialog(state, "Write AM Data", column));
    EXPECT_EQ(platform.dialogTitles.back(), "Write AM Data");

    platform.AcceptDialog();
    EXPECT_FALSE(WriteColumnDialog(state, "Write AM Data", column));

    platform.OnDialog<CWriteCol>([&](CWriteCol& d) {
        d.SimulateText(CWriteCol::IDC_NAME, dir / "am.txt");
        const auto& items = d.Control(CWriteCol::IDC_FORMAT).m_items;
        int fract = static_cast<int>(std::find(items.begin(), items.end(), "Text:Fract") - items.begin());
        d.SimulateSelect(CWriteCol::IDC_FORMAT, fract);
        d.SimulateClick(IDOK);
    });
    platform.AnswerYes();
    EXPECT_TRUE(WriteColumnDialog(state, "Write AM Data", column));
    EXPECT_TRUE(platform.SawMessage("The current data will overflow the write data format.  Write anyway?"));
    EXPECT_EQ(ReadBytes(dir / "am.txt"), " 16384\r\n-16384\r\n 65534\r\n");

    // Next time the dialog opens with the last name, directory and format.
    platform.OnDialog<CWriteCol>([&](CWriteCol& d) {
        EXPECT_EQ(d.GetDlgItemText(CWriteCol::IDC_FORMAT), "Text:Fract");
        d.SimulateText(CWriteCol::IDC_NAME, "fm.txt");
        d.SimulateClick(IDOK);
    });
    platform.AnswerNo();
    EXPECT_FALSE(WriteColumnDialog(state, "Write FM Data", column));
    EXPECT_EQ(state.m_strPath, dir / "fm.txt");
    EXPECT_FALSE(FileExists(dir / "fm.txt"));

    platform.AnswerSaveFile(dir / "browsed.txt");
    platform.OnDialog<CWriteCol>([&](CWriteCol& d) {
        d.SimulateClick(CWriteCol::IDC_BROWSE);
        EXPECT_EQ(d.GetDlgItemText(CWriteCol::IDC_NAME), "browsed.txt");
        d.SimulateClick(IDOK);
    });
    platform.AnswerYes();
    EXPECT_TRUE(WriteColumnDialog(state, "Write FM Data", column));
    EXPECT_TRUE(FileExists(dir / "browsed.txt"));
    EXPECT_EQ(platform.fileRequests.back().filter, "All Files (*.*)|*.*|TextFiles (*.txt)|*.txt||");
}

// ---------------------------------------------------------------------------
// Sampling rates that files state

TEST(DataFilesRates, AReadKeepsTheRateOfTheFileThatStatesOne) {
    CScriptedPlatform platform;
    CTempDir dir;
    WriteBytes(dir / "plain.txt", "0.5\n0.25\n");
    WriteBytes(dir / "s.wav", ReadBytes(kv::test::Fixture("pcm16-mono-22k.wav")));
    CDataFiles files;
    files.m_strPath = dir / "x";
    files.m_strQPath = dir / "y";
    files.m_Format.m_nFormat = FMT_BINARY_WAVE;
    CKalvoData data;
    ScriptRead(platform, "s.wav", "", true);
    ASSERT_TRUE(ReadDataFiles(files, data, "Read Time Data", "p"));
    EXPECT_EQ(files.m_dReadRate, 22050.0);
    // A text Inphase file states none; the WAVE Quadrature file does.
    files.m_Format.m_nFormat = FMT_TEXT_DECIMAL;
    files.m_QFormat.m_nFormat = FMT_BINARY_WAVE;
    ScriptRead(platform, "plain.txt", "s.wav", false);
    ASSERT_TRUE(ReadDataFiles(files, data, "Read Time Data", "p"));
    EXPECT_EQ(files.m_dReadRate, 22050.0);
    // Text alone: no rate, whatever an earlier read found.
    ScriptRead(platform, "plain.txt", "", false);
    ASSERT_TRUE(ReadDataFiles(files, data, "Read Time Data", "p"));
    EXPECT_EQ(files.m_dReadRate, 0.0);
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"File contains only one channel: quadrature data will not be read."}));
}

TEST(DataFilesRates, AWaveWriteOffersAndWritesTheDataRate) {
    CScriptedPlatform platform;
    CTempDir dir;
    CKalvoData data = TimeData({0.5, -0.5}, {});
    CFs fs(48.0);
    fs.SetUnit(1);  // kHz
    data.ApplyFs(fs);
    CDataFiles files;
    files.m_Format.m_nFormat = FMT_BINARY_WAVE;
    platform.OnDialog<CDataFiles>([&](CDataFiles& d) {
        d.SimulateText(D::IDC_NAME, dir / "o.wav");
        platform.OnDialog<CWavFmt>([](CWavFmt& w) {
            EXPECT_EQ(w.Control(CWavFmt::IDC_RATE_PROJECT).m_strCaption, "48 (project)");
            w.SimulateClick(CWavFmt::IDC_RATE_PROJECT);
            w.SimulateClick(CWavFmt::IDC_SIZE_16);
            w.SimulateClick(IDOK);
        });
        d.SimulateClick(D::IDC_OPTIONS);
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(WriteDataFiles(files, data, "Write Time Data", "p"));
    EXPECT_EQ(ReadBytes(dir / "o.wav").substr(24, 4), std::string("\x80\xBB\x00\x00", 4));  // 48000
    // SigMF states the rate in its metadata.
    files.m_Format.m_nFormat = FMT_BINARY_SIGMF;
    ScriptWrite(platform, dir / "o.sigmf-meta", "", false);
    ASSERT_TRUE(WriteDataFiles(files, data, "Write Time Data", "p"));
    EXPECT_NE(ReadBytes(dir / "o.sigmf-meta").find("\"core:sample_rate\": 48000.0"), std::string::npos);
    EXPECT_TRUE(platform.messages.empty());
}
