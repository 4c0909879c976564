#include <gtest/gtest.h>

#include <cmath>

#include "app/CKalvoraDoc.h"
#include "app/CModDoc.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"

namespace kv {
namespace {

class DocumentBasics : public ::testing::Test {
protected:
    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
};

void FillTime(CKalvoraDoc& doc, int n) {
    for (int i = 0; i < n; ++i) {
        doc.m_TimeData.Inphase().Append(std::sin(i * 0.3));
        doc.m_TimeData.Quadrature().Append(0.0);
    }
    doc.m_TimeData.ResetRange();
}

TEST_F(DocumentBasics, ANewProjectIsEmptyWithDefaultsAndOneSnapshot) {
    CModDoc doc;
    windows.CreatePlotView(doc);
    EXPECT_TRUE(doc.NewProject());
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
    EXPECT_TRUE(doc.m_FreqData.IsEmpty());
    EXPECT_EQ(doc.m_TimeData.GetColumnCount(), 2);
    EXPECT_EQ(doc.m_TimeData.m_nStart, 0);
    EXPECT_EQ(doc.m_TimeData.m_nStop, 0);
    EXPECT_TRUE(doc.m_TimeData.IsTime());
    EXPECT_FALSE(doc.m_FreqData.IsTime());
    EXPECT_EQ(doc.m_Fs.m_dValue, 1.0);
    EXPECT_EQ(doc.m_Fs.GetUnit(), 0);
    EXPECT_EQ(doc.m_TimeData.m_dStep, 1.0);
    EXPECT_EQ(doc.m_nListLength, 50);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.UndoCount(), 1u);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(windows.requests.back(), "maximize 0");
}

TEST_F(DocumentBasics, LiveProjectsAreCountedAndTheLastOneIsEmptiedOnClose) {
    const int before = CKalvoraDoc::LiveProjectCount();
    ASSERT_EQ(before, 0) << "a project outlived its test";
    {
        auto first = std::make_unique<CModDoc>();
        CModDoc second;
        EXPECT_EQ(CKalvoraDoc::LiveProjectCount(), before + 2);
        {
            first->CloseProject();
            ASSERT_EQ(windows.closed.size(), 1u);
            EXPECT_EQ(windows.closed[0], first.get());
            first.reset();  // the platform destroys it with its windows
            EXPECT_EQ(CKalvoraDoc::LiveProjectCount(), 1);

            windows.CreatePlotView(second);
            second.NewProject();
            FillTime(second, 20);
            second.SetPathName("/tmp/a.kvp");
            second.SetModified(true);
            second.CloseProject();
            EXPECT_EQ(windows.closed.size(), 1u);  // not closed: emptied
            EXPECT_TRUE(second.m_TimeData.IsEmpty());
            EXPECT_EQ(second.GetPathName(), "/tmp/a.kvp");
            EXPECT_TRUE(second.IsModified());
            auto& updates = windows.views.back()->updates;
            ASSERT_FALSE(updates.empty());
            EXPECT_EQ(updates.back().hint, 0);
            EXPECT_EQ(updates.back().object, nullptr);
        }
    }
    EXPECT_EQ(CKalvoraDoc::LiveProjectCount(), before);
}

TEST_F(DocumentBasics, OpenPlotSendsThePreferredTypeAndStyle) {
    CModDoc doc;
    windows.CreatePlotView(doc);
    FillTime(doc, 16);
    platform.SetInt("Preferences", "TimePlotStyle", 2);
    doc.OpenPlot(1, false, doc.m_TimeData);
    // The one plot without data is reused and brought forward.
    EXPECT_EQ(windows.views.size(), 1u);
    EXPECT_EQ(windows.requests.back(), "activate 0");
    EXPECT_EQ(doc.m_strSourceTitle, "Generated Sine");
    EXPECT_EQ(doc.m_TimeData.m_strName, "Generated Sine");
    auto& updates = windows.views[0]->updates;
    ASSERT_FALSE(updates.empty());
    // Automatic type of real Time Data is 1 (Inphase).
    EXPECT_EQ(updates.back().hint, 769 + 16 * 1 + 4096 * 2);
    EXPECT_EQ(updates.back().object, &doc.m_TimeData);

    // Complex data shows I and Q (type 3).
    doc.m_TimeData.m_bReal = 0;
    doc.OpenPlot(0, false, doc.m_TimeData);
    EXPECT_EQ(updates.back().hint, 769 + 16 * 3 + 4096 * 2);

    // The Frequency Data has no plot yet: a new window is created.
    platform.SetInt("Preferences", "FreqPlotType", 4);
    doc.OpenPlot(0, false, doc.m_FreqData);
    EXPECT_EQ(windows.views.size(), 2u);
    EXPECT_EQ(windows.views[1]->updates.back().hint, 769 + 16 * 4);
    EXPECT_EQ(windows.views[1]->GetGraphData(), &doc.m_FreqData);
    // Add Plot always makes another one; other codes keep the source title.
    doc.OpenPlot(0, true, doc.m_FreqData);
    EXPECT_EQ(windows.views.size(), 3u);
    EXPECT_EQ(doc.m_FreqData.m_strName, "Generated Sine");
}

TEST_F(DocumentBasics, DecibelReferenceFollowsThePeakOfTheFrequencyData) {
    CModDoc doc;
    doc.m_RefDlg.m_fMinDb = -100.0f;
    doc.UpdateDbReference();  // empty: the peak counts as 1.0
    EXPECT_EQ(doc.m_FreqData.m_dDbOffset, 0.0);
    EXPECT_EQ(doc.m_FreqData.m_strDbLabel, "dBc");
    EXPECT_EQ(doc.m_FreqData.m_fMinDb, -100.0f);

    for (int i = 0; i < 8; ++i) {
        doc.m_FreqData.Inphase().Append(i == 0 ? 5.0 : (i == 2 ? 10.0 : 0.0));
        doc.m_FreqData.Quadrature().Append(0.0);
    }
    doc.m_FreqData.ResetRange();
    doc.UpdateDbReference();
    EXPECT_FLOAT_EQ(static_cast<float>(doc.m_FreqData.m_dDbOffset), -20.0f);
    EXPECT_NEAR(doc.m_FreqData.ToDb(100.0, true), 0.0, 1e-6);

    doc.m_RefDlg.m_nRefType = 3;
    doc.UpdateDbReference();
    EXPECT_EQ(doc.m_FreqData.m_strDbLabel, "dBFS");
    // The Time Data keeps its own settings.
    EXPECT_EQ(doc.m_TimeData.m_strDbLabel, "dB");
}

TEST_F(DocumentBasics, UndoBringsBackTheDataOfAnEmptiedProject) {
    CModDoc doc;
    windows.CreatePlotView(doc);
    doc.NewProject();
    FillTime(doc, 10);
    doc.SaveUndoState();
    EXPECT_TRUE(doc.CanUndo());
    doc.ClearData();
    doc.UpdateViews(0, nullptr);
    doc.Undo();  // back to the empty new project
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
    EXPECT_TRUE(doc.CanRedo());
    doc.Redo();
    EXPECT_EQ(doc.m_TimeData.GetCount(), 10);
    EXPECT_EQ(&doc.m_TimeData.Inphase(), &doc.m_TimeData.GetColumn(0));
    auto& updates = windows.views[0]->updates;
    ASSERT_GE(updates.size(), 2u);
    EXPECT_EQ(updates[updates.size() - 2].object, &doc.m_TimeData);
    EXPECT_EQ(updates.back().object, &doc.m_FreqData);
    EXPECT_EQ(updates.back().hint, 5);
}

}  // namespace
}  // namespace kv

#include "app/CPreferences.h"

namespace kv {
namespace {

TEST(Preferences, OkWritesTheChoicesToTheSettingsStoreAtOnce) {
    test::CScriptedPlatform platform;
    CPreferences prefs;
    prefs.Load();
    EXPECT_EQ(prefs.m_nTimePlotStyle, 0);
    platform.OnDialog<CPreferences>([](CPreferences& d) {
        EXPECT_EQ(d.GetDlgItemText(CPreferences::IDC_TIME_TYPE), "Auto");
        EXPECT_EQ(d.Control(CPreferences::IDC_FREQ_TYPE).m_items.size(), 8u);
        d.SimulateSelect(CPreferences::IDC_TIME_STYLE, 1);
        d.SimulateSelect(CPreferences::IDC_FREQ_TYPE, 6);
        d.SimulateClick(IDOK);
    });
    ASSERT_TRUE(RunDialog(prefs));
    EXPECT_EQ(platform.dialogTitles.back(), "Preferences");
    EXPECT_EQ(platform.GetInt("Preferences", "TimePlotStyle", -1), 1);
    EXPECT_EQ(platform.GetInt("Preferences", "FreqPlotType", -1), 6);
    EXPECT_EQ(platform.GetInt("Preferences", "TimePlotType", -1), 0);
    EXPECT_EQ(CPreferences::PlotTypeChoices()[6], "Polar (I vs. Q)");

    // Cancel changes nothing.
    platform.OnDialog<CPreferences>([](CPreferences& d) {
        d.SimulateSelect(CPreferences::IDC_TIME_STYLE, 7);
        d.SimulateClick(IDCANCEL);
    });
    EXPECT_FALSE(RunDialog(prefs));
    EXPECT_EQ(prefs.m_nTimePlotStyle, 1);
    EXPECT_EQ(platform.GetInt("Preferences", "TimePlotStyle", -1), 1);
}

}  // namespace
}  // namespace kv

#include "app/CRecentFileList.h"

namespace kv {
namespace {

TEST(RecentFileList, KeepsFourDistinctFilesMostRecentFirst) {
    test::CScriptedPlatform platform;
    platform.SetString("Recent File List", "File1", "/a.kvp");
    platform.SetString("Recent File List", "File2", "/b.kvp");
    CRecentFileList list;
    list.Load();
    EXPECT_EQ(list.Files(), (std::vector<std::string>{"/a.kvp", "/b.kvp"}));
    for (const char* p : {"/c.kvp", "/d.kvp", "/e.kvp", "/b.kvp"}) list.Add(p);
    EXPECT_EQ(list.Files(), (std::vector<std::string>{"/b.kvp", "/e.kvp", "/d.kvp", "/c.kvp"}));
    EXPECT_EQ(platform.GetString("Recent File List", "File1", ""), "/b.kvp");
    EXPECT_EQ(platform.GetString("Recent File List", "File4", ""), "/c.kvp");
    list.Remove("/e.kvp");
    EXPECT_EQ(platform.GetString("Recent File List", "File4", "x"), "");
    CRecentFileList again;
    again.Load();
    EXPECT_EQ(again.Files(), (std::vector<std::string>{"/b.kvp", "/d.kvp", "/c.kvp"}));
}

}  // namespace
}  // namespace kv
