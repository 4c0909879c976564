#pragma once
#include <string>

namespace kv {

// Numbers of the program's user-visible texts. Each subsystem has its own
// block of numbers; the texts themselves are in StringTable.cpp.
enum StringId : int {
    // ---- general ----------------------------------------------------------
    IDS_APP_NAME = 100,
    IDS_COMPANY_NAME,
    IDS_READY,
    IDS_ENTER_NUMBER,
    IDS_ENTER_INTEGER,
    IDS_ENTER_INTEGER_BETWEEN,
    IDS_ENTER_NUMBER_BETWEEN,
    IDS_OUT_OF_MEMORY,
    IDS_FAILED_TO_OPEN_DOCUMENT,
    IDS_UNEXPECTED_FILE_FORMAT,
    IDS_SAVE_CHANGES,

    // ---- signal data model --------------------------------------------------
    IDS_UNIT_HZ = 1000,
    IDS_UNIT_KHZ,
    IDS_UNIT_MHZ,
    IDS_UNIT_GHZ,
    IDS_UNIT_SEC,
    IDS_UNIT_MS,
    IDS_UNIT_US,
    IDS_UNIT_NS,
    IDS_DB_LABEL_DEFAULT,
    IDS_DBC,
    IDS_DBM,
    IDS_DBFS,
    IDS_REFDLG_TITLE,
    IDS_REFDLG_REFTYPE,
    IDS_REFDLG_PEAK_DBC,
    IDS_REFDLG_ONE_DB,
    IDS_REFDLG_VOLTS,
    IDS_REFDLG_DBFS,
    IDS_REFDLG_MIN_DB,
    IDS_REFDLG_WAVEFORM,
    IDS_REFDLG_DC_OR_COMPLEX,
    IDS_REFDLG_REAL_SINE,

    // ---- signal file formats ------------------------------------------------
    IDS_FORMATS_FIRST = 2000,
    IDS_CANNOT_CHANGE_TO,

    // ---- transforms and filtering -------------------------------------------
    IDS_DSP_FIRST = 3000,

    // ---- analysis -----------------------------------------------------------
    IDS_ANALYSIS_FIRST = 4000,

    // ---- signal generation --------------------------------------------------
    IDS_GENERATE_FIRST = 5000,

    // ---- plotting -------------------------------------------------------------
    IDS_PLOT_FIRST = 6000,
    IDS_PLOT_MAIN_TITLE,
    IDS_PLOT_X_TITLE,
    IDS_PLOT_Y_TITLE,
    IDS_PLOT_POLAR_LOG_OFF,
    IDS_PLOT_AXIS_TOO_MANY_LABELS,
    IDS_PLOT_AXIS_TOO_MANY_TICS,
    IDS_PLOT_TOO_MANY_LABELS,
    IDS_PLOT_GRID_TOO_MANY_TICS,
    IDS_PLOT_X_AXIS,
    IDS_PLOT_Y_AXIS,
    IDS_PLOT_POWER_SUFFIX,
    IDS_PLOT_CANNOT_ZOOM,
    IDS_PLOT_TOP_ZOOM_LEVEL,
    IDS_PLOT_ZOOM_LEVEL,
    IDS_PLOT_TITLE_INPHASE_AMPLITUDE,
    IDS_PLOT_TITLE_QUADRATURE_AMPLITUDE,
    IDS_PLOT_TITLE_I_AND_Q,
    IDS_PLOT_TITLE_MAGNITUDE,
    IDS_PLOT_TITLE_POWER,
    IDS_PLOT_TITLE_PHASE,
    IDS_PLOT_TITLE_QUADRATURE,
    IDS_PLOT_TITLE_INPHASE,
    IDS_PLOT_TITLE_AMPLITUDE,
    IDS_PLOT_TITLE_TIME,
    IDS_PLOT_TITLE_FREQUENCY,
    IDS_PLOT_TITLE_IN_UNIT,
    IDS_PLOT_TITLE_NUMBER_OF_SAMPLES,
    IDS_PLOT_TITLE_HISTOGRAM_OF,
    IDS_PLOT_TRACE_I,
    IDS_PLOT_TRACE_Q,
    IDS_PLOT_LEAVE_POLAR,
    IDS_PLOT_ENTER_POLAR,
    IDS_PLOT_READOUT_X,
    IDS_PLOT_READOUT_Y1,
    IDS_PLOT_READOUT_Y,
    IDS_PLOT_READOUT_WIDTH,
    IDS_PLOT_READOUT_MAX_BIN,
    IDS_PLOT_READOUT_BIN,
    IDS_PLOT_READOUT_Q,
    IDS_PLOT_READOUT_MAG,
    IDS_PLOT_READOUT_PHASE,
    IDS_PLOT_NOTE_RATIO,
    IDS_PLOT_NOTE_GROUP,
    IDS_PLOT_NOTE_LINE_SPACING,
    IDS_PLOT_NOTE_VARIABLE_SPACING,
    IDS_PLOT_NOTE_SUM_MODE,
    IDS_PLOT_NOTE_PEAK_MODE,
    IDS_PLOT_NOTE_CLOSE,
    IDS_PLOT_PICTURE_DESCRIPTION,
    IDS_PLOT_FILE_FILTER,
    IDS_PLOT_FILE_DEFAULT,
    IDS_PLOT_FILE_TITLE,
    IDS_PLOT_CANNOT_OPEN_FILE,
    IDS_PLOT_CANNOT_WRITE_FILE,
    IDS_PLOT_WRITE_TITLES,
    IDS_PLOT_AXISDLG_AXIS_MAX,
    IDS_PLOT_AXISDLG_AXIS_MIN,
    IDS_PLOT_AXISDLG_LOG,
    IDS_PLOT_AXISDLG_TIC_SPACING,
    IDS_PLOT_AXISDLG_AUTOMATIC_AXIS,
    IDS_PLOT_AXISDLG_AXIS_SCALING,
    IDS_PLOT_AXISDLG_AUTOMATIC,
    IDS_PLOT_AXISDLG_LABEL_SCALING,
    IDS_PLOT_AXISDLG_POWER,
    IDS_PLOT_AXISDLG_LABEL_SPACING,
    IDS_PLOT_AXISDLG_GRID_NONE,
    IDS_PLOT_AXISDLG_GRID_TICS,
    IDS_PLOT_AXISDLG_GRID_LABELS,
    IDS_PLOT_AXISDLG_GRID_ZERO,
    IDS_PLOT_AXISDLG_GRID,
    IDS_PLOT_AXISDLG_MAX_DIGITS,
    IDS_PLOT_AXISDLG_AUTOSCALE_ONCE,
    IDS_PLOT_OPTIONS_TITLE,
    IDS_PLOT_OPTIONS_DB,
    IDS_PLOT_OPTIONS_AUTO_TITLES,
    IDS_PLOT_OPTIONS_INTEGER_REDUCTION,
    IDS_PLOT_OPTIONS_SUM_MODE,
    IDS_PLOT_OPTIONS_FULL_DECADE,
    IDS_PLOT_OPTIONS_ORIGIN_ZERO,
    IDS_PLOT_OPTIONS_LEGEND,
    IDS_PLOT_OPTIONS_AUTO,
    IDS_PLOT_OPTIONS_NUM_BINS,
    IDS_PLOT_OPTIONS_MIN,
    IDS_PLOT_OPTIONS_MAX,
    IDS_PLOT_OPTIONS_DISPLAY_FORMAT,
    IDS_PLOT_OPTIONS_DATA_REDUCTION,
    IDS_PLOT_OPTIONS_ZOOMING,
    IDS_PLOT_OPTIONS_HISTOGRAM,
    IDS_PLOT_OPTIONS_MIN_MAX,
    IDS_PLOT_OPTIONS_BINS,
    IDS_PLOT_TITLES_CAPTION,
    IDS_PLOT_MENU_PLOT,
    IDS_PLOT_MENU_TYPE,
    IDS_PLOT_MENU_STYLE,
    IDS_PLOT_MENU_INPHASE,
    IDS_PLOT_MENU_QUADRATURE,
    IDS_PLOT_MENU_I_AND_Q,
    IDS_PLOT_MENU_MAGNITUDE,
    IDS_PLOT_MENU_PHASE,
    IDS_PLOT_MENU_POLAR,
    IDS_PLOT_MENU_HISTOGRAM,
    IDS_PLOT_MENU_STYLE_AUTO,
    IDS_PLOT_MENU_STYLE_LINE,
    IDS_PLOT_MENU_STYLE_DOT,
    IDS_PLOT_MENU_STYLE_LINE_DOT,
    IDS_PLOT_MENU_STYLE_BAR,
    IDS_PLOT_MENU_STYLE_STEM,
    IDS_PLOT_MENU_STYLE_VLINE,
    IDS_PLOT_MENU_STYLE_STAIR,
    IDS_PLOT_MENU_ZOOM_NEXT,
    IDS_PLOT_MENU_ZOOM_IN,
    IDS_PLOT_MENU_ZOOM_OUT,
    IDS_PLOT_MENU_ZOOM_TOP,
    IDS_PLOT_MENU_ZOOM_BOTTOM,
    IDS_PLOT_MENU_PROPERTIES,
    IDS_PLOT_MENU_TITLES,
    IDS_PLOT_MENU_X_AXIS,
    IDS_PLOT_MENU_Y_AXIS,
    IDS_PLOT_MENU_FONT,
    IDS_PLOT_MENU_COPY_IMAGE,
    IDS_PLOT_MENU_COPY_DATA,
    IDS_PLOT_MENU_WRITE_DATA,
    IDS_PLOT_MENU_PRINT,
    IDS_PLOT_MENU_PRINT_PREVIEW,
    IDS_PLOT_MENU_PRINT_SETUP,

    // ---- project and application --------------------------------------------
    IDS_APP_FIRST = 7000,
    IDS_GENERATED_SINE,
    IDS_DEFAULT_DOC_NAME,
};

// The string table: texts by number, with "%1" and "%2" substitution.
class CStringTable {
public:
    static const std::string& Get(StringId id);
    // Replaces "%1" and "%2" in the text by the arguments.
    static std::string Format(StringId id, const std::string& arg1, const std::string& arg2 = {});
    // Replaces "%1" and "%2" in any text by the arguments.
    static std::string Substitute(const std::string& text, const std::string& arg1, const std::string& arg2 = {});
};

inline const std::string& LoadString(StringId id) { return CStringTable::Get(id); }
inline std::string FormatString(StringId id, const std::string& arg1, const std::string& arg2 = {}) {
    return CStringTable::Format(id, arg1, arg2);
}
// printf-style formatting of a text from the table (for texts holding %li, %s ...).
std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatPrintf(int id, ...);

}  // namespace kv
