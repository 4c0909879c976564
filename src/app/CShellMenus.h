#pragma once
#include <string>
#include <vector>

#include "platform/CMenuItem.h"

namespace kv {

// The menus of the main window as the shell shows them: the menu bar of the
// empty frame (no project open), of a plot window and of a frequency-list
// window, the list text's context menu, the toolbar and the accelerator
// keys, with the numbers of the commands that the application and the views
// handle themselves (the project's commands are those of CCommandTable).
class CShellMenus {
public:
    enum Id : int {
        ID_FILE_NEW = 57600,
        ID_FILE_OPEN = 57601,
        ID_FILE_SAVE_AS = 57604,
        ID_FILE_MRU_FIRST = 57616,  // four entries
        ID_APP_ABOUT = 57664,
        ID_APP_EXIT = 57665,
        ID_HELP_INDEX = 57667,
        ID_HELP_CONTENTS = 57668,
        ID_HELP_SEARCH = 57669,
        ID_CONTEXT_HELP = 57670,
        ID_HELP = 57671,  // F1: help for the active window
        ID_VIEW_TOOLBAR = 59392,
        ID_VIEW_STATUS_BAR = 59393,
        ID_VIEW_PREFERENCES = 32771,
        ID_WINDOW_ARRANGE = 57649,
        ID_WINDOW_CASCADE = 57650,
        ID_WINDOW_TILE = 57651,
        ID_NEXT_PANE = 57680,
        ID_PREV_PANE = 57681,
        // The edit commands of the active view (the list window's text; in a
        // plot window Copy copies the picture).
        ID_EDIT_CLEAR = 57632,
        ID_EDIT_COPY = 57634,
        ID_EDIT_CUT = 57635,
        ID_EDIT_FIND = 57636,
        ID_EDIT_PASTE = 57637,
        ID_EDIT_REPEAT = 57640,
        ID_EDIT_REPLACE = 57641,
        ID_EDIT_SELECT_ALL = 57642,
        // The list text's own undo: a number of its own, so that the
        // project's Undo (57643) always reaches the project.
        ID_EDIT_UNDO_TEXT = 32774,
        ID_LIST_FONT = 32772,
        // "&Generate..." of the empty frame: the waveform generator in a new project.
        ID_FILE_GENERATE = 32773,
        // The entries of the Window menu's list of open windows.
        ID_WINDOW_FIRST = 65280,
    };

    // The frames the menu bar follows.
    enum class Frame { Empty, Plot, List };
    // The top-level menus, in the order they stand in the menu bar.
    enum class Popup { FileEmpty, File, Signal, Time, Frequency, Plot, List, ViewEmpty, View, Window, Help };

    static const std::vector<Popup>& AllPopups();
    // The menus a frame shows, in order.
    static std::vector<Popup> MenuBar(Frame frame);
    static CMenuItem Menu(Popup popup);
    // The list text's context menu (its first popup).
    static CMenuItem EditorContextMenu();
    // Toolbar buttons left to right; 0 marks a gap.
    static const std::vector<int>& Toolbar();

    // One accelerator key: the keys as text ("Ctrl+Z") and the command.
    struct Accelerator {
        std::string m_strKeys;
        int m_nId;
    };
    static const std::vector<Accelerator>& Accelerators();

    // The letter after "&" in a menu text, in lower case; 0 when there is none.
    static char Mnemonic(const std::string& text);
};

}  // namespace kv
