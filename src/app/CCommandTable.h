#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/StringTable.h"

namespace kv {

class CKalvoraDoc;

// One command of a project window, as the desktop program binds it to a menu
// item, a toolbar button or an accelerator.
struct CCommand {
    int m_nId = 0;
    StringId m_nMenu = IDS_MENU_FILE;  // top-level menu that holds the item
    int m_nSubMenu = 0;                // submenu inside it (a StringId), 0 for none
    StringId m_nText = IDS_APP_NAME;   // menu text; "\t" separates the accelerator shown
    std::string m_strStatus;           // status-bar and tooltip text (may be empty)
    // Runs the command. Empty while the code behind it is not part of the
    // program yet: such a command is shown greyed.
    std::function<void(CKalvoraDoc&)> m_handler;
    // Enable rule; empty means always enabled.
    std::function<bool(const CKalvoraDoc&)> m_enabled;
    // Check-mark rule; empty means never checked.
    std::function<bool(const CKalvoraDoc&)> m_checked;
    bool m_bListMenuOnly = false;  // only in the menu bar of a frequency-list window
};

// The commands a project document handles. The desktop program iterates
// Commands() to build its menus (grouped by m_nMenu and m_nSubMenu, in table
// order) and ToolbarIds() to build the toolbar, and calls IsEnabled/IsChecked
// to update them and Execute when the user picks one.
class CCommandTable {
public:
    // Command ids of the project window.
    enum Id : int {
        ID_CLOSE_PROJECT = 57602,
        ID_SAVE_PROJECT = 57603,
        ID_READ_TIME = 34059,
        ID_READ_FREQ = 34009,
        ID_WRITE_TIME = 34066,
        ID_WRITE_FREQ = 34014,
        ID_WRITE_LIST = 34015,
        ID_WRITE_AM = 34000,
        ID_WRITE_FM = 34003,
        ID_CONVERT = 34002,
        ID_UNDO = 57643,
        ID_REDO = 57644,
        ID_SAMPLING_FREQ = 34058,
        ID_TRANSFORM_OPTIONS = 34068,
        ID_DECIBELS = 34038,
        ID_PROCESS = 34040,
        ID_TIME_SET_RANGE = 34057,
        ID_TIME_REMOVE_DC = 34061,
        ID_TIME_RECTIFY = 34060,
        ID_TIME_ZERO_PAD = 34067,
        ID_TIME_CONJUGATE = 34050,
        ID_TIME_SCALE = 34062,
        ID_TIME_MIX = 34055,
        ID_TIME_FILTER = 34052,
        ID_TIME_WINDOW = 34065,
        ID_TIME_TO_FREQ = 34064,
        ID_TIME_STATISTICS = 34063,
        ID_GENERATE_WAVEFORM = 34054,
        ID_GENERATE_SIGNAL = 34053,
        ID_TIME_COPY = 32906,
        ID_FREQ_SET_RANGE = 34008,
        ID_FREQ_TO_TIME = 34013,
        ID_FREQ_SQUARE_ROOT = 34011,
        ID_FREQ_PAD = 34007,
        ID_FREQ_STATISTICS = 34012,
        ID_FREQ_SHOW_LIST = 34010,
        ID_FREQ_CONVERTER_METRICS = 34090,
        ID_FREQ_COPY = 34005,
        ID_VIEW_TIME_FRONT = 34080,
        ID_VIEW_TIME_ADD = 34078,
        ID_VIEW_FREQ_FRONT = 34085,
        ID_VIEW_FREQ_ADD = 34086,
        ID_LIST_LENGTH = 34006,
        ID_SEPARATOR = 0,
    };

    static const std::vector<CCommand>& Commands();
    static const CCommand* Find(int id);
    // The top-level menus of a project window, in order; the list window's
    // menu bar has the List menu and no View menu.
    static std::vector<StringId> Menus(bool listWindow);
    // Toolbar buttons of the document, left to right; ID_SEPARATOR marks a gap.
    // (Print and context help follow; they belong to the application.)
    static const std::vector<int>& ToolbarIds();

    static bool IsAvailable(int id);  // the command has a handler
    static bool IsEnabled(const CKalvoraDoc& doc, int id);
    static bool IsChecked(const CKalvoraDoc& doc, int id);
    // Runs a command if it is available and enabled; an allocation failure is
    // reported as the out-of-memory message. Returns whether it ran. The
    // document may be gone when this returns (Close Project).
    static bool Execute(CKalvoraDoc& doc, int id);
};

}  // namespace kv
