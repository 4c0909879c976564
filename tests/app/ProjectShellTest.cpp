// What the shell's commands do to a project: saving under a name without
// an extension, closing and undoing, the generator's undo step, the names of
// plots after Undo, and reading a file handed to the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/CCommandTable.h"
#include "app/EngineDoc.h"
#include "data/CDataFormat.h"
#include "formats/CDataFiles.h"
#include "formats/FileNameFormats.h"
#include "formats/FormatCatalogue.h"
#include "generate/CSamp.h"
#include "platform/CPropertySheetModel.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"
#include "support/CTempDir.h"

namespace kv {
namespace {

using T = CCommandTable;
using test::EngineDoc;

class ProjectShell : public ::testing::Test {
protected:
    void SetUp() override {
        windows.CreatePlotView(doc);
        doc.NewProject();
    }
    void Generate(int samples) {
        platform.OnDialog<CGenerate>([samples](CGenerate& d) {
            d.SimulateText(CGenerate::IDC_SAMPLES, std::to_string(samples));
            d.SimulateClick(IDOK);
        });
        doc.RunOperation(OP_GENERATE);
    }

    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
    EngineDoc doc;
    test::CTempDir dir;
};

TEST(ProjectExtension, IsAddedOnlyToANameWithoutOne) {
    EXPECT_EQ(CKalvoraDoc::WithProjectExtension("/tmp/x/run1"), "/tmp/x/run1.kvp");
    EXPECT_EQ(CKalvoraDoc::WithProjectExtension("/tmp/x/run1.kvp"), "/tmp/x/run1.kvp");
    EXPECT_EQ(CKalvoraDoc::WithProjectExtension("/tmp/x/run1.old"), "/tmp/x/run1.old");
    // A dot in a folder's name is not the file's extension.
    EXPECT_EQ(CKalvoraDoc::WithProjectExtension("/tmp/x.d/run1"), "/tmp/x.d/run1.kvp");
    EXPECT_EQ(CKalvoraDoc::WithProjectExtension("run1"), "run1.kvp");
}

TEST_F(ProjectShell, SaveProjectOfAnUntitledProjectAddsTheExtension) {
    Generate(8);
    platform.AnswerSaveFile(dir / "first");
    ASSERT_TRUE(T::Execute(doc, T::ID_SAVE_PROJECT));
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"first.kvp"}));
    EXPECT_EQ(doc.GetPathName(), dir / "first.kvp");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ProjectShell, YesToSaveChangesOfAnUntitledProjectAddsTheExtension) {
    Generate(8);
    doc.SetModified(true);
    platform.AnswerYes();
    platform.AnswerSaveFile(dir / "second");
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"second.kvp"}));
}

TEST_F(ProjectShell, OneUndoAfterCloseProjectBringsTheDataBack) {
    Generate(32);
    const double first = doc.m_TimeData.Inphase()[1];
    doc.SetModified(false);
    ASSERT_TRUE(T::Execute(doc, T::ID_CLOSE_PROJECT));
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
    ASSERT_TRUE(T::IsEnabled(doc, T::ID_UNDO));
    ASSERT_TRUE(T::Execute(doc, T::ID_UNDO));
    ASSERT_EQ(doc.m_TimeData.GetCount(), 32);
    EXPECT_EQ(doc.m_TimeData.Inphase()[1], first);
    // And Redo empties it again.
    ASSERT_TRUE(T::Execute(doc, T::ID_REDO));
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
}

TEST_F(ProjectShell, SignalGeneratorOutputIsAnUndoStepWithItsOwnTitle) {
    // Data read from a file first: its name is the source title.
    doc.reader = test::RampReader(10);
    doc.RunOperation(OP_READ_TIME);
    ASSERT_EQ(doc.m_TimeData.GetCount(), 10);
    doc.m_Fs.SetValue(8.0);
    doc.m_TimeData.ApplyFs(doc.m_Fs);
    const std::string readName = doc.m_TimeData.m_strName;

    platform.OnPropertySheet([](CPropertySheetModel& sheet) {
        sheet.Page(0).SimulateText(CSamp::IDC_SAMPLE_COUNT, "64");
        sheet.PressOK();
    });
    ASSERT_TRUE(T::Execute(doc, T::ID_GENERATE_SIGNAL));
    ASSERT_EQ(doc.m_TimeData.GetCount(), 64);
    EXPECT_EQ(doc.m_TimeData.m_strName, "Generated Signal");
    EXPECT_NE(doc.m_TimeData.m_strName, readName);

    // Undo brings back what the generator replaced.
    ASSERT_TRUE(T::IsEnabled(doc, T::ID_UNDO));
    doc.Undo();
    EXPECT_EQ(doc.m_TimeData.GetCount(), 10);
    EXPECT_EQ(doc.m_TimeData.m_strName, readName);
    doc.Redo();
    EXPECT_EQ(doc.m_TimeData.GetCount(), 64);
}

TEST_F(ProjectShell, AStepAfterUndoIsNamedAfterTheDataUndoBroughtBack) {
    Generate(16);
    ASSERT_EQ(doc.m_TimeData.m_strName, "Generated Sine");
    doc.reader = test::RampReader(12);
    doc.RunOperation(OP_READ_TIME);
    const std::string readName = doc.m_TimeData.m_strName;
    ASSERT_NE(readName, "Generated Sine");
    doc.Undo();
    ASSERT_EQ(doc.m_TimeData.GetCount(), 16);
    // A step that names its result after the project's source (here a scale
    // that opens the Time plot again) uses the name of the data now shown.
    doc.OpenPlot(OP_SCALE, false, doc.m_TimeData);
    EXPECT_EQ(doc.m_TimeData.m_strName, "Generated Sine");
    doc.OpenPlot(OP_TO_FREQ, false, doc.m_FreqData);
    EXPECT_EQ(doc.m_FreqData.m_strName, "Generated Sine");
}

TEST(FileNameFormats, ExtensionsSuggestAReadableFormat) {
    EXPECT_EQ(FormatForFileName("/a/b/tone.wav"), FMT_BINARY_WAVE);
    EXPECT_EQ(FormatForFileName("TONE.WAV"), FMT_BINARY_WAVE);
    EXPECT_EQ(FormatForFileName("graph.plt"), FMT_TEXT_PLOT);
    EXPECT_EQ(FormatForFileName("data.hex"), FMT_TEXT_HEX);
    EXPECT_EQ(FormatForFileName("table.dsp"), FMT_ASM_ADI_PM);
    EXPECT_EQ(FormatForFileName("raw.bin"), FMT_BINARY_FLOAT);
    EXPECT_EQ(FormatForFileName("sig.txt"), FMT_TEXT_DECIMAL);
    EXPECT_EQ(FormatForFileName("sig.csv"), FMT_TEXT_CSV);
    EXPECT_EQ(FormatForFileName("a.NPY"), FMT_BINARY_NPY);
    EXPECT_EQ(FormatForFileName("rec.sigmf-meta"), FMT_BINARY_SIGMF);
    EXPECT_EQ(FormatForFileName("rec.sigmf-data"), FMT_BINARY_SIGMF);
    EXPECT_EQ(FormatForFileName("rtl.cu8"), FMT_BINARY_UINT8);
    EXPECT_EQ(FormatForFileName("hackrf.cs8"), FMT_BINARY_INT8);
    EXPECT_EQ(FormatForFileName("iq.cs16"), FMT_BINARY_INT16);
    EXPECT_EQ(FormatForFileName("gnuradio.cfile"), FMT_BINARY_FLOAT);
    // Every format an extension names can be read and written.
    for (const char* name : {"a.wav", "a.plt", "a.hex", "a.asm", "a.bin", "a.txt", "a.csv", "a.npy", "a.sigmf-meta",
                             "a.cu8", "a.cs8", "a.cs16", "a.cf32"}) {
        EXPECT_TRUE(CanReadFormat(FormatForFileName(name))) << name;
        EXPECT_TRUE(CanWriteFormat(FormatForFileName(name))) << name;
    }
    EXPECT_EQ(FormatForFileName("sig"), FMT_NONE);
    EXPECT_EQ(FormatForFileName("sig."), FMT_NONE);
    EXPECT_EQ(FormatForFileName("notes.doc"), FMT_NONE);
    EXPECT_EQ(FormatForFileName("/a.wav/sig"), FMT_NONE);
}

// A file dropped on the program: the Data Files dialog opens with its name
// and the format its extension suggests, as the one (Inphase) file.
TEST(DroppedFile, OpensTheDataFilesDialogWithTheNameAndGuessedFormat) {
    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
    test::CTempDir dir;
    CModDoc doc;
    windows.CreatePlotView(doc);
    doc.NewProject();
    doc.m_TimeFiles.m_strQName = "q.txt";
    doc.m_TimeFiles.m_strQPath = dir / "q.txt";
    doc.m_TimeFiles.m_bComplex = 1;
    const std::string path = dir / "tone.plt";
    std::ofstream(path) << "0 0.5\n1 -0.25\n2 1\n";
    std::string shownName;
    std::string shownFormat;
    int complexShown = -1;
    platform.OnDialog<CDataFiles>([&](CDataFiles& d) {
        shownName = d.GetDlgItemText(CDataFiles::IDC_NAME);
        const CControl& list = d.Control(CDataFiles::IDC_FORMAT);
        if (list.m_nSel >= 0) shownFormat = list.m_items[static_cast<size_t>(list.m_nSel)];
        complexShown = d.IsDlgButtonChecked(CDataFiles::IDC_COMPLEX);
        d.SimulateClick(IDOK);
    });
    doc.ReadTimeDataFile(path);
    EXPECT_EQ(shownName, "tone.plt");
    EXPECT_EQ(shownFormat, "Text:Plot");
    EXPECT_EQ(complexShown, 0);
    ASSERT_EQ(doc.m_TimeData.GetCount(), 3);
    EXPECT_EQ(doc.m_TimeData.Inphase()[1], -0.25);
    EXPECT_EQ(doc.m_TimeFiles.m_strPath, path);
    EXPECT_TRUE(doc.m_TimeFiles.m_strQName.empty());
}

}  // namespace
}  // namespace kv
