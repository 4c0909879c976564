#include <gtest/gtest.h>

#include <set>

#include "app/CCommandTable.h"
#include "app/EngineDoc.h"
#include "support/CScriptedPlatform.h"
#include "support/CScriptedWindows.h"

namespace kv {
namespace {

using T = CCommandTable;

TEST(CommandTable, EveryCommandHasAUniqueIdAndAText) {
    std::set<int> ids;
    for (const CCommand& c : T::Commands()) {
        EXPECT_TRUE(ids.insert(c.m_nId).second) << c.m_nId;
        EXPECT_FALSE(LoadString(c.m_nText).empty()) << c.m_nId;
        EXPECT_FALSE(LoadString(c.m_nMenu).empty()) << c.m_nId;
    }
    EXPECT_EQ(ids.size(), 43u);
    for (int id : T::ToolbarIds())
        if (id != T::ID_SEPARATOR) {
            EXPECT_NE(T::Find(id), nullptr) << id;
        }
    EXPECT_EQ(LoadString(T::Find(T::ID_UNDO)->m_nText), "&Undo\tCtrl+Z");
    EXPECT_EQ(LoadString(T::Find(T::ID_FREQ_SET_RANGE)->m_nMenu), "Fre&quency");
    EXPECT_TRUE(T::Find(T::ID_LIST_LENGTH)->m_bListMenuOnly);
    EXPECT_EQ(T::Menus(true).back(), IDS_MENU_LIST);
}

TEST(CommandTable, EnableAndCheckRules) {
    test::CScriptedPlatform platform;
    test::EngineDoc doc;
    doc.NewProject();
    for (int id : {T::ID_TIME_SET_RANGE, T::ID_TIME_SCALE, T::ID_TIME_CONJUGATE, T::ID_WRITE_TIME, T::ID_FREQ_PAD,
                   T::ID_FREQ_SQUARE_ROOT, T::ID_VIEW_FREQ_ADD, T::ID_UNDO, T::ID_REDO})
        EXPECT_FALSE(T::IsEnabled(doc, id)) << id;
    for (int id : {T::ID_READ_TIME, T::ID_GENERATE_WAVEFORM, T::ID_SAMPLING_FREQ, T::ID_VIEW_TIME_ADD,
                   T::ID_LIST_LENGTH, T::ID_CLOSE_PROJECT})
        EXPECT_TRUE(T::IsEnabled(doc, id)) << id;
    EXPECT_FALSE(T::Execute(doc, T::ID_TIME_SCALE));
    EXPECT_TRUE(platform.dialogTitles.empty());

    doc.reader = test::RampReader(8);
    doc.RunOperation(OP_READ_TIME);
    EXPECT_TRUE(T::IsEnabled(doc, T::ID_TIME_SCALE));
    EXPECT_FALSE(T::IsEnabled(doc, T::ID_TIME_CONJUGATE)) << "real data";
    EXPECT_FALSE(T::IsChecked(doc, T::ID_TIME_WINDOW));
    platform.AcceptDialog();
    ASSERT_TRUE(T::Execute(doc, T::ID_TIME_MIX));
    EXPECT_TRUE(T::IsEnabled(doc, T::ID_TIME_CONJUGATE));
    doc.m_TimeData.m_nWindow = 2;
    EXPECT_TRUE(T::IsChecked(doc, T::ID_TIME_WINDOW));

    // Commands whose code is not in the program yet are greyed.
    for (const CCommand& c : T::Commands()) {
        if (!c.m_handler) {
            EXPECT_FALSE(T::IsEnabled(doc, c.m_nId)) << c.m_nId;
        }
    }
    EXPECT_TRUE(T::IsAvailable(T::ID_TIME_SCALE));
}

TEST(CommandTable, ConvertWritesOnlyAfterASuccessfulRead) {
    struct ConvertDoc : test::EngineDoc {
        int writes = 0;
        void WriteTimeData() override { ++writes; }
    };
    test::CScriptedPlatform platform;
    ConvertDoc doc;
    T::Execute(doc, T::ID_CONVERT);
    EXPECT_EQ(doc.writes, 0);
    doc.reader = test::RampReader(3);
    T::Execute(doc, T::ID_CONVERT);
    EXPECT_EQ(doc.writes, 1);
}

TEST(CommandTable, CloseProjectAsksForAModifiedProject) {
    test::CScriptedPlatform platform;
    test::CScriptedWindows windows;
    test::EngineDoc doc;
    doc.reader = test::RampReader(3);
    doc.NewProject();
    doc.RunOperation(OP_READ_TIME);
    ASSERT_TRUE(doc.IsModified());
    platform.Answer(MsgAnswer::Cancel);
    T::Execute(doc, T::ID_CLOSE_PROJECT);
    EXPECT_EQ(platform.messages.back().text, "Save changes to Kalvora?");
    EXPECT_EQ(platform.messages.back().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(doc.m_TimeData.GetCount(), 3);
    platform.AnswerNo();
    T::Execute(doc, T::ID_CLOSE_PROJECT);
    EXPECT_TRUE(doc.m_TimeData.IsEmpty()) << "the last project is emptied";
    EXPECT_TRUE(windows.closed.empty());
    // The history stays: Undo goes to the state before the read, Redo back
    // to the read data.
    doc.Undo();
    EXPECT_TRUE(doc.m_TimeData.IsEmpty());
    doc.Redo();
    EXPECT_EQ(doc.m_TimeData.GetCount(), 3);
    // Yes without a path asks for one; no answer means nothing is closed.
    platform.AnswerYes();
    T::Execute(doc, T::ID_CLOSE_PROJECT);
    ASSERT_FALSE(platform.fileRequests.empty());
    EXPECT_TRUE(platform.fileRequests.back().save);
    EXPECT_EQ(doc.m_TimeData.GetCount(), 3);
}

}  // namespace
}  // namespace kv
