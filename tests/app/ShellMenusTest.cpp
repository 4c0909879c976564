// The shell's menus, toolbar, keys and command prompts as the core
// describes them.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/CCommandPrompts.h"
#include "app/CCommandTable.h"
#include "app/CShellMenus.h"
#include "platform/StringTable.h"
#include "plot/PlotCommands.h"

namespace kv {
namespace {

using S = CShellMenus;
using T = CCommandTable;

std::vector<std::string> Texts(const CMenuItem& popup) {
    std::vector<std::string> texts;
    for (const CMenuItem& item : popup.m_items)
        if (!item.IsSeparator()) texts.push_back(item.m_strText);
    return texts;
}

std::vector<std::string> TopTexts(S::Frame frame) {
    std::vector<std::string> texts;
    for (S::Popup p : S::MenuBar(frame)) texts.push_back(S::Menu(p).m_strText);
    return texts;
}

// Every command number in a menu description and its submenus.
void CollectIds(const CMenuItem& popup, std::set<int>& ids) {
    for (const CMenuItem& item : popup.m_items) {
        if (item.IsPopup())
            CollectIds(item, ids);
        else if (!item.IsSeparator())
            ids.insert(item.m_nId);
    }
}

size_t IndexOf(const std::vector<std::string>& texts, const std::string& text) {
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == text) return i;
    return texts.size();
}

TEST(ShellMenus, TheEmptyFrameHasFileSignalViewAndHelpAndGeneratesInANewProject) {
    EXPECT_EQ(TopTexts(S::Frame::Empty), (std::vector<std::string>{"&File", "&Signal", "&View", "&Help"}));
    const std::vector<std::string> file = Texts(S::Menu(S::Popup::FileEmpty));
    EXPECT_EQ(file, (std::vector<std::string>{"&New Project...\tCtrl+N", "&Open Project...\tCtrl+O", "&Generate...",
                                              "E&xit"}));
    EXPECT_EQ(S::Menu(S::Popup::FileEmpty).m_items[2].m_nId, S::ID_FILE_GENERATE);
    // The empty frame's View menu has no plot submenus.
    EXPECT_EQ(Texts(S::Menu(S::Popup::ViewEmpty)),
              (std::vector<std::string>{"&Status Bar", "&Toolbar", "&Preferences"}));
}

TEST(ShellMenus, PlotAndListFramesDifferOnlyInThePlotAndListMenus) {
    EXPECT_EQ(TopTexts(S::Frame::Plot), (std::vector<std::string>{"&File", "&Signal", "&Time", "Fre&quency", "&Plot",
                                                                   "&View", "&Window", "&Help"}));
    EXPECT_EQ(TopTexts(S::Frame::List), (std::vector<std::string>{"&File", "&Signal", "&Time", "Fre&quency", "&List ",
                                                                   "&View", "&Window", "&Help"}));
    // The List menu: length and font, then the text's own commands.
    std::set<int> list;
    CollectIds(S::Menu(S::Popup::List), list);
    EXPECT_EQ(list, (std::set<int>{T::ID_LIST_LENGTH, S::ID_LIST_FONT, S::ID_EDIT_UNDO_TEXT, S::ID_EDIT_CUT,
                                   S::ID_EDIT_COPY, S::ID_EDIT_PASTE}));
    // The text's Undo is not the project's Undo: the Signal menu's item
    // always reaches the project.
    EXPECT_NE(int{S::ID_EDIT_UNDO_TEXT}, int{T::ID_UNDO});
    std::set<int> signal;
    CollectIds(S::Menu(S::Popup::Signal), signal);
    EXPECT_TRUE(signal.count(T::ID_UNDO));
    EXPECT_FALSE(signal.count(S::ID_EDIT_UNDO_TEXT));
}

TEST(ShellMenus, ViewMenuHasItsSubmenusThenStatusBarToolbarAndPreferences) {
    const std::vector<std::string> view = Texts(S::Menu(S::Popup::View));
    ASSERT_EQ(view.size(), 5u);
    EXPECT_EQ(view[2], "&Status Bar");
    EXPECT_EQ(view[3], "&Toolbar");
    EXPECT_EQ(view[4], "&Preferences");
    EXPECT_TRUE(S::Menu(S::Popup::View).m_items[0].IsPopup());
    EXPECT_TRUE(S::Menu(S::Popup::View).m_items[1].IsPopup());
    const std::vector<std::string> file = Texts(S::Menu(S::Popup::File));
    EXPECT_LT(IndexOf(file, "Read &Time Data..."), IndexOf(file, "&Write"));
    EXPECT_LT(IndexOf(file, "P&rint Setup..."), IndexOf(file, "E&xit"));
    EXPECT_EQ(file.back(), "E&xit");
    EXPECT_EQ(Texts(S::Menu(S::Popup::Window)), (std::vector<std::string>{"&Cascade", "&Tile", "&Arrange Icons"}));
}

TEST(ShellMenus, TheListTextsContextMenuHasTheEditorsCommands) {
    const std::vector<std::string> items = Texts(S::EditorContextMenu());
    std::vector<std::string> plain;
    for (const std::string& t : items) plain.push_back(t.substr(0, t.find('\t')));
    EXPECT_EQ(plain, (std::vector<std::string>{"Chose &Font...", "&Undo Edit", "Cu&t", "&Copy", "&Paste", "C&lear",
                                               "Select &All", "&Find...", "Replace...", "&Repeat Last Find/Replace",
                                               "&Print..."}));
}

// Two items of one menu share a mnemonic letter only where both texts are
// the program's own as specified (their letters are fixed).
TEST(ShellMenus, NoMenuHasTwoItemsWithTheSameMnemonicUnlessBothTextsAreFixed) {
    const std::set<std::string> fixed = {
        "&Close Project", "&Convert...",        // File
        "&Scale...",      "Show &Statistics...", // Time
        "Chose &Font...", "&Find...",            // list context menu
        "&Paste",         "&Print...",
    };
    auto isFixed = [&](const std::string& text) { return fixed.count(text.substr(0, text.find('\t'))) > 0; };
    std::vector<std::string> clashes;
    std::function<void(const CMenuItem&, const std::string&)> check = [&](const CMenuItem& popup,
                                                                           const std::string& where) {
        std::map<char, std::string> seen;
        for (const CMenuItem& item : popup.m_items) {
            if (item.IsSeparator()) continue;
            if (item.IsPopup()) check(item, where + " > " + item.m_strText);
            const char letter = S::Mnemonic(item.m_strText);
            if (!letter) continue;
            auto [it, fresh] = seen.emplace(letter, item.m_strText);
            if (!fresh && !(isFixed(it->second) && isFixed(item.m_strText)))
                clashes.push_back(where + ": \"" + it->second + "\" and \"" + item.m_strText + "\"");
        }
    };
    for (S::Popup p : S::AllPopups()) check(S::Menu(p), S::Menu(p).m_strText);
    check(S::EditorContextMenu(), "list context menu");
    for (S::Frame frame : {S::Frame::Empty, S::Frame::Plot, S::Frame::List}) {
        CMenuItem bar = CMenuItem::Popup("menu bar", {});
        for (S::Popup p : S::MenuBar(frame)) bar.m_items.push_back(CMenuItem::Command(1, S::Menu(p).m_strText));
        check(bar, "menu bar");
    }
    EXPECT_TRUE(clashes.empty()) << [&] {
        std::string all;
        for (const std::string& c : clashes) all += c + "\n";
        return all;
    }();
}

TEST(ShellMenus, MnemonicIsTheLetterAfterTheAmpersand) {
    EXPECT_EQ(S::Mnemonic("Fre&quency"), 'q');
    EXPECT_EQ(S::Mnemonic("&Undo\tCtrl+Z"), 'u');
    EXPECT_EQ(S::Mnemonic("Salt && &Pepper"), 'p');
    EXPECT_EQ(S::Mnemonic("Process..."), 0);
    EXPECT_EQ(S::Mnemonic("trailing&"), 0);
}

TEST(ShellMenus, ToolbarFollowsTheCommandTableThenPrintAndContextHelp) {
    EXPECT_EQ(S::Toolbar(), (std::vector<int>{T::ID_READ_TIME, T::ID_WRITE_TIME, 0, T::ID_SAMPLING_FREQ,
                                              T::ID_TRANSFORM_OPTIONS, T::ID_PROCESS, 0, T::ID_TIME_SET_RANGE,
                                              T::ID_TIME_TO_FREQ, T::ID_TIME_SCALE, T::ID_TIME_WINDOW,
                                              T::ID_GENERATE_WAVEFORM, 0, T::ID_FREQ_SET_RANGE, T::ID_FREQ_TO_TIME,
                                              T::ID_FREQ_SHOW_LIST, 0, ID_FILE_PRINT, S::ID_CONTEXT_HELP}));
}

TEST(ShellMenus, AcceleratorKeysOfTheProjectWindow) {
    std::map<std::string, int> keys;
    for (const S::Accelerator& a : S::Accelerators()) {
        EXPECT_TRUE(keys.emplace(a.m_strKeys, a.m_nId).second) << a.m_strKeys << " twice";
    }
    const std::map<std::string, int> expected = {
        {"Ctrl+N", S::ID_FILE_NEW},   {"Ctrl+O", S::ID_FILE_OPEN},    {"Ctrl+S", T::ID_SAVE_PROJECT},
        {"Ctrl+P", ID_FILE_PRINT},    {"Ctrl+Z", T::ID_UNDO},         {"Alt+Backspace", T::ID_UNDO},
        {"Ctrl+Y", T::ID_REDO},       {"Ctrl+C", S::ID_EDIT_COPY},    {"Ctrl+Ins", S::ID_EDIT_COPY},
        {"Ctrl+X", S::ID_EDIT_CUT},   {"Shift+Del", S::ID_EDIT_CUT},  {"Ctrl+V", S::ID_EDIT_PASTE},
        {"Shift+Ins", S::ID_EDIT_PASTE}, {"F1", S::ID_HELP},          {"Shift+F1", S::ID_CONTEXT_HELP},
        {"F6", S::ID_NEXT_PANE},      {"Shift+F6", S::ID_PREV_PANE},
    };
    EXPECT_EQ(keys, expected);
}

TEST(CommandPrompts, EveryCommandOfTheMenusAndToolbarHasAPromptAndATooltip) {
    std::set<int> ids;
    for (S::Popup p : S::AllPopups()) CollectIds(S::Menu(p), ids);
    CollectIds(S::EditorContextMenu(), ids);
    for (int id : S::Toolbar())
        if (id) ids.insert(id);
    for (const CCommand& c : CCommandTable::Commands()) ids.insert(c.m_nId);
    for (int i = 0; i < 4; ++i) ids.insert(S::ID_FILE_MRU_FIRST + i);
    ASSERT_GT(ids.size(), 80u);
    for (int id : ids) {
        const std::string& text = CCommandPrompts::Text(id);
        EXPECT_NE(text.find('\n'), std::string::npos) << "command " << id << " has no prompt and tooltip";
        EXPECT_FALSE(CCommandPrompts::StatusPrompt(id).empty()) << id;
        EXPECT_FALSE(CCommandPrompts::ToolTip(id).empty()) << id;
        EXPECT_EQ(CCommandPrompts::StatusPrompt(id) + "\n" + CCommandPrompts::ToolTip(id), text) << id;
    }
    EXPECT_EQ(CCommandPrompts::StatusPrompt(T::ID_READ_TIME), "Read Time Data from a file");
    EXPECT_EQ(CCommandPrompts::ToolTip(T::ID_READ_TIME), "Read Time");
    EXPECT_EQ(CCommandPrompts::Text(12345), "");
    EXPECT_EQ(CCommandPrompts::ToolTip(12345), "");
}

}  // namespace
}  // namespace kv
