#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/CCommandTable.h"
#include "app/CModDoc.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

class DataReadWiring : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kv_read_" + std::to_string(getpid()));
        fs::create_directories(dir);
        char buf[4096];
        if (getcwd(buf, sizeof buf)) cwd = buf;
        // The user types bare names in the project's directory.
        if (chdir(dir.c_str()) != 0) ADD_FAILURE();
        windows.CreatePlotView(doc);
        doc.NewProject();
    }
    void TearDown() override {
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) ADD_FAILURE();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream((dir / name).string(), std::ios::binary) << text;
        return name;
    }
    void ScriptRead(const std::string& path) {
        platform.OnDialog<CDataFiles>([path](CDataFiles& d) {
            d.SimulateText(CDataFiles::IDC_NAME, path);
            d.SimulateClick(IDOK);
        });
    }

    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
    CModDoc doc;
    fs::path dir;
    std::string cwd;
};

TEST_F(DataReadWiring, ReadingTimeDataFillsNamesAndTakesOneSnapshot) {
    doc.m_Fs = CFs(8.0);
    doc.m_TimeData.ApplyFs(doc.m_Fs);
    ScriptRead(Write("ramp.txt", "1 0\r\n2 0\r\n3 0\r\n4 0\n"));
    doc.RunOperation(OP_READ_TIME);
    ASSERT_EQ(doc.m_TimeData.GetCount(), 4);
    EXPECT_EQ(doc.m_TimeData.Inphase()[3], 4.0);
    EXPECT_TRUE(doc.m_TimeData.IsReal());
    EXPECT_EQ(doc.m_TimeData.m_strName, "Data from file: ramp.txt");
    EXPECT_EQ(doc.m_TimeData.m_dStep, 0.125);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_bReadFailed, 0);
    EXPECT_EQ(doc.UndoCount(), 2u);
    EXPECT_EQ(platform.dialogTitles.back(), "Read Time Data Kalvora");
    // "Reset ranges and plots" is on by default: the zoom resets.
    auto& updates = windows.views[0]->updates;
    EXPECT_EQ(updates.back().hint, 5 + 4096);
    EXPECT_EQ(updates.back().object, &doc.m_TimeData);
    EXPECT_EQ(doc.m_TimeFiles.m_strName, "ramp.txt");
}

TEST_F(DataReadWiring, AFailedReadKeepsTheDataItReplacedWouldHave) {
    ScriptRead(Write("ramp.txt", "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n"));
    doc.RunOperation(OP_READ_TIME);
    ASSERT_EQ(doc.m_TimeData.GetCount(), 6);
    size_t snapshots = doc.UndoCount();
    // A file without a single number fails to read.
    ScriptRead(Write("words.txt", "no numbers here\n"));
    doc.RunOperation(OP_READ_TIME);
    EXPECT_EQ(doc.m_bReadFailed, 1);
    EXPECT_EQ(doc.m_TimeData.GetCount(), 6);
    EXPECT_EQ(doc.m_TimeData.Inphase()[5], 6.0);
    EXPECT_EQ(doc.UndoCount(), snapshots);
}

TEST_F(DataReadWiring, FrequencyDataGetsTheSpacingOfItsOwnPointCount) {
    doc.m_Fs = CFs(48.0);
    doc.m_TimeData.ApplyFs(doc.m_Fs);
    doc.m_FreqData.ApplyFs(doc.m_Fs);
    ScriptRead(Write("spectrum.txt", "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n7 0\n8 0\n"));
    doc.RunOperation(OP_READ_FREQ);
    ASSERT_EQ(doc.m_FreqData.GetCount(), 8);
    EXPECT_EQ(doc.m_FreqData.m_dStep, 6.0);
    EXPECT_EQ(doc.m_FreqData.m_strName, "Data from file: spectrum.txt");
    EXPECT_EQ(doc.m_FreqData.m_strDbLabel, "dBc");
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST(EngineWiring, GeneratingWithTransformOnFillsTheSpectrumAndItsReference) {
    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
    CModDoc doc;
    windows.CreatePlotView(doc);
    doc.NewProject();
    doc.m_ProcDlg.m_bProcToFreq = 1;
    doc.m_ProcDlg.m_bProcWindow = 1;
    platform.AcceptDialog();  // generator: 1024 samples, 4 cycles
    platform.OnDialog<CWndDlg>([](CWndDlg& d) {
        d.SimulateClick(CWndDlg::IDC_HANNING);
        d.SimulateClick(IDOK);
    });
    doc.RunOperation(OP_GENERATE);
    EXPECT_EQ(platform.unscriptedDialogs, 0);
    ASSERT_EQ(doc.m_TimeData.GetCount(), 1024);
    EXPECT_EQ(doc.m_TimeData.m_nWindow, CWndDlg::kHanning);
    ASSERT_EQ(doc.m_FreqData.GetCount(), 1024);
    // The strongest bin away from DC is the fourth, and it is the 0 dBc reference.
    double best = 0;
    int bestBin = -1;
    for (int k = 1; k < 512; ++k) {
        double p = doc.m_FreqData.GetComponent(k, 2);
        if (p > best) {
            best = p;
            bestBin = k;
        }
    }
    EXPECT_EQ(bestBin, 4);
    EXPECT_EQ(doc.m_FreqData.m_strDbLabel, "dBc");
    EXPECT_NEAR(doc.m_FreqData.ToDb(doc.m_FreqData.PeakPower(), true), 0.0, 1e-5);
    EXPECT_EQ(doc.UndoCount(), 2u);  // one snapshot for the whole run
    EXPECT_TRUE(CCommandTable::IsEnabled(doc, CCommandTable::ID_FREQ_TO_TIME));
    EXPECT_TRUE(CCommandTable::IsChecked(doc, CCommandTable::ID_TIME_WINDOW));
}

}  // namespace
}  // namespace kv
