#include "app/CShellMenus.h"

#include <cctype>
#include <map>

#include "app/CCommandTable.h"
#include "platform/StringTable.h"
#include "plot/PlotCommands.h"
#include "plot/PlotMenus.h"

namespace kv {

namespace {

using T = CCommandTable;
using S = CShellMenus;

CMenuItem Cmd(int id, StringId text) { return CMenuItem::Command(id, LoadString(text)); }

CMenuItem TableCmd(int id) {
    const CCommand* c = CCommandTable::Find(id);
    return CMenuItem::Command(id, c ? LoadString(c->m_nText) : std::string());
}

// The commands of one top-level menu of the command table, with their
// submenus, in table order.
CMenuItem TableMenu(StringId menu) {
    CMenuItem popup = CMenuItem::Popup(LoadString(menu), {});
    std::map<int, size_t> subMenus;
    for (const CCommand& c : CCommandTable::Commands()) {
        if (c.m_nMenu != menu) continue;
        CMenuItem item = CMenuItem::Command(c.m_nId, LoadString(c.m_nText));
        if (c.m_nSubMenu == 0) {
            popup.m_items.push_back(item);
            continue;
        }
        auto it = subMenus.find(c.m_nSubMenu);
        if (it == subMenus.end()) {
            popup.m_items.push_back(CMenuItem::Popup(LoadString(static_cast<StringId>(c.m_nSubMenu)), {}));
            it = subMenus.emplace(c.m_nSubMenu, popup.m_items.size() - 1).first;
        }
        popup.m_items[it->second].m_items.push_back(item);
    }
    return popup;
}

CMenuItem ViewTail(CMenuItem view) {
    view.m_items.push_back(Cmd(S::ID_VIEW_STATUS_BAR, IDS_SHELL_STATUS_BAR));
    view.m_items.push_back(Cmd(S::ID_VIEW_TOOLBAR, IDS_SHELL_TOOLBAR));
    view.m_items.push_back(Cmd(S::ID_VIEW_PREFERENCES, IDS_SHELL_PREFERENCES));
    return view;
}

}  // namespace

const std::vector<S::Popup>& CShellMenus::AllPopups() {
    static const std::vector<Popup> all = {Popup::FileEmpty, Popup::File,      Popup::Signal, Popup::Time,
                                           Popup::Frequency, Popup::Plot,      Popup::List,   Popup::ViewEmpty,
                                           Popup::View,      Popup::Window,    Popup::Help};
    return all;
}

std::vector<S::Popup> CShellMenus::MenuBar(Frame frame) {
    switch (frame) {
        case Frame::Empty: return {Popup::FileEmpty, Popup::Signal, Popup::ViewEmpty, Popup::Help};
        case Frame::Plot:
            return {Popup::File, Popup::Signal, Popup::Time, Popup::Frequency,
                    Popup::Plot, Popup::View,   Popup::Window, Popup::Help};
        case Frame::List:
            return {Popup::File, Popup::Signal, Popup::Time, Popup::Frequency,
                    Popup::List, Popup::View,   Popup::Window, Popup::Help};
    }
    return {};
}

CMenuItem CShellMenus::Menu(Popup popup) {
    switch (popup) {
        case Popup::FileEmpty:
            return CMenuItem::Popup(LoadString(IDS_MENU_FILE),
                                    {Cmd(ID_FILE_NEW, IDS_SHELL_NEW_PROJECT), Cmd(ID_FILE_OPEN, IDS_SHELL_OPEN_PROJECT),
                                     Cmd(ID_FILE_GENERATE, IDS_SHELL_GENERATE), CMenuItem::Separator(),
                                     Cmd(ID_APP_EXIT, IDS_SHELL_EXIT)});
        case Popup::File: {
            CMenuItem write = CMenuItem::Popup(
                LoadString(IDS_MENU_WRITE),
                {TableCmd(T::ID_WRITE_TIME), TableCmd(T::ID_WRITE_FREQ), Cmd(ID_PLOT_WRITE_DATA, IDS_SHELL_GRAPH_DATA),
                 TableCmd(T::ID_WRITE_LIST), TableCmd(T::ID_WRITE_AM), TableCmd(T::ID_WRITE_FM)});
            return CMenuItem::Popup(
                LoadString(IDS_MENU_FILE),
                {Cmd(ID_FILE_NEW, IDS_SHELL_NEW_PROJECT), Cmd(ID_FILE_OPEN, IDS_SHELL_OPEN_PROJECT),
                 TableCmd(T::ID_CLOSE_PROJECT), TableCmd(T::ID_SAVE_PROJECT), Cmd(ID_FILE_SAVE_AS, IDS_SHELL_SAVE_AS),
                 CMenuItem::Separator(), TableCmd(T::ID_READ_TIME), TableCmd(T::ID_READ_FREQ), write,
                 TableCmd(T::ID_CONVERT), CMenuItem::Separator(), Cmd(ID_FILE_PRINT, IDS_SHELL_PRINT),
                 Cmd(ID_FILE_PRINT_PREVIEW, IDS_SHELL_PRINT_PREVIEW), Cmd(ID_FILE_PRINT_SETUP, IDS_SHELL_PRINT_SETUP),
                 CMenuItem::Separator(), Cmd(ID_APP_EXIT, IDS_SHELL_EXIT)});
        }
        case Popup::Signal: return TableMenu(IDS_MENU_SIGNAL);
        case Popup::Time: return TableMenu(IDS_MENU_TIME);
        case Popup::Frequency: return TableMenu(IDS_MENU_FREQUENCY);
        case Popup::Plot: {
            CMenuItem plot = PlotMenu();
            plot.m_strText = LoadString(IDS_SHELL_MENU_PLOT);
            return plot;
        }
        case Popup::List: {
            CMenuItem list = TableMenu(IDS_MENU_LIST);
            list.m_items.push_back(Cmd(ID_LIST_FONT, IDS_SHELL_LIST_FONT));
            list.m_items.push_back(CMenuItem::Separator());
            list.m_items.push_back(Cmd(ID_EDIT_UNDO_TEXT, IDS_SHELL_EDIT_UNDO));
            list.m_items.push_back(Cmd(ID_EDIT_CUT, IDS_SHELL_EDIT_CUT));
            list.m_items.push_back(Cmd(ID_EDIT_COPY, IDS_SHELL_EDIT_COPY));
            list.m_items.push_back(Cmd(ID_EDIT_PASTE, IDS_SHELL_EDIT_PASTE));
            return list;
        }
        case Popup::ViewEmpty: return ViewTail(CMenuItem::Popup(LoadString(IDS_MENU_VIEW), {}));
        case Popup::View: {
            CMenuItem view = TableMenu(IDS_MENU_VIEW);
            view.m_items.push_back(CMenuItem::Separator());
            return ViewTail(view);
        }
        case Popup::Window:
            return CMenuItem::Popup(LoadString(IDS_SHELL_MENU_WINDOW),
                                    {Cmd(ID_WINDOW_CASCADE, IDS_SHELL_CASCADE), Cmd(ID_WINDOW_TILE, IDS_SHELL_TILE),
                                     Cmd(ID_WINDOW_ARRANGE, IDS_SHELL_ARRANGE)});
        case Popup::Help:
            return CMenuItem::Popup(LoadString(IDS_SHELL_MENU_HELP),
                                    {Cmd(ID_HELP_CONTENTS, IDS_SHELL_CONTENTS), Cmd(ID_HELP_INDEX, IDS_SHELL_INDEX),
                                     Cmd(ID_HELP_SEARCH, IDS_SHELL_SEARCH), Cmd(ID_CONTEXT_HELP, IDS_SHELL_CONTEXT_HELP),
                                     CMenuItem::Separator(), Cmd(ID_APP_ABOUT, IDS_SHELL_ABOUT)});
    }
    return {};
}

CMenuItem CShellMenus::EditorContextMenu() {
    return CMenuItem::Popup(
        {}, {Cmd(ID_LIST_FONT, IDS_SHELL_LIST_FONT), CMenuItem::Separator(),
             Cmd(ID_EDIT_UNDO_TEXT, IDS_SHELL_EDITOR_UNDO), CMenuItem::Separator(),
             Cmd(ID_EDIT_CUT, IDS_SHELL_EDITOR_CUT), Cmd(ID_EDIT_COPY, IDS_SHELL_EDITOR_COPY),
             Cmd(ID_EDIT_PASTE, IDS_SHELL_EDITOR_PASTE), Cmd(ID_EDIT_CLEAR, IDS_SHELL_EDITOR_CLEAR),
             CMenuItem::Separator(), Cmd(ID_EDIT_SELECT_ALL, IDS_SHELL_EDITOR_SELECT_ALL), CMenuItem::Separator(),
             Cmd(ID_EDIT_FIND, IDS_SHELL_EDITOR_FIND), Cmd(ID_EDIT_REPLACE, IDS_SHELL_EDITOR_REPLACE),
             Cmd(ID_EDIT_REPEAT, IDS_SHELL_EDITOR_REPEAT), CMenuItem::Separator(),
             Cmd(ID_FILE_PRINT, IDS_SHELL_EDITOR_PRINT)});
}

const std::vector<int>& CShellMenus::Toolbar() {
    static const std::vector<int> ids = [] {
        std::vector<int> v = CCommandTable::ToolbarIds();
        v.push_back(0);
        v.push_back(ID_FILE_PRINT);
        v.push_back(ID_CONTEXT_HELP);
        return v;
    }();
    return ids;
}

const std::vector<S::Accelerator>& CShellMenus::Accelerators() {
    static const std::vector<Accelerator> keys = {
        {"Ctrl+N", ID_FILE_NEW},       {"Ctrl+O", ID_FILE_OPEN},        {"Ctrl+S", T::ID_SAVE_PROJECT},
        {"Ctrl+P", ID_FILE_PRINT},     {"Ctrl+Z", T::ID_UNDO},          {"Alt+Backspace", T::ID_UNDO},
        {"Ctrl+Y", T::ID_REDO},        {"Ctrl+C", ID_EDIT_COPY},        {"Ctrl+Ins", ID_EDIT_COPY},
        {"Ctrl+X", ID_EDIT_CUT},       {"Shift+Del", ID_EDIT_CUT},      {"Ctrl+V", ID_EDIT_PASTE},
        {"Shift+Ins", ID_EDIT_PASTE},  {"F1", ID_HELP},                 {"Shift+F1", ID_CONTEXT_HELP},
        {"F6", ID_NEXT_PANE},          {"Shift+F6", ID_PREV_PANE},
    };
    return keys;
}

char CShellMenus::Mnemonic(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

}  // namespace kv
