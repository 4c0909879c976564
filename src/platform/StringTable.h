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
    IDS_DSSTATS_TITLE,
    IDS_DSSTATS_MINIMUM,
    IDS_DSSTATS_MAXIMUM,
    IDS_DSSTATS_INPHASE_MEAN,
    IDS_DSSTATS_QUADRATURE_MEAN,
    IDS_DSSTATS_MAGNITUDE_RMS,
    IDS_GATHERING_TIME_STATS,
    IDS_FSTAT_TITLE,
    IDS_FSTAT_POWERS,
    IDS_FSTAT_RATIOS,
    IDS_FSTAT_FUNDAMENTAL_FREQUENCY,
    IDS_FSTAT_FUNDAMENTAL,
    IDS_FSTAT_DC,
    IDS_FSTAT_DISTORTION,
    IDS_FSTAT_NOISE,
    IDS_FSTAT_TOTAL,
    IDS_FSTAT_SFDR,
    IDS_FSTAT_SINAD,
    IDS_FSTAT_SNR,
    IDS_FSTAT_POWER_FORMAT,
    IDS_FSTAT_RATIO_FORMAT,
    IDS_GATHERING_FREQ_STATS,
    IDS_WRITING_FREQ_LIST,
    IDS_FREQLIST_DEFAULT_NAME,
    IDS_FREQLIST_FILTER,
    IDS_FREQLIST_SAVE_TITLE,
    IDS_FREQLIST_CANNOT_OPEN,
    IDS_FREQLIST_CANNOT_WRITE,
    IDS_FREQLIST_TEMP_FILE,
    IDS_FREQLIST_FUNDAMENTAL,
    IDS_FREQLIST_SFDR,
    IDS_FREQLIST_SINAD,
    IDS_FREQLIST_SNR,
    IDS_FREQLIST_HEADER,
    IDS_FREQLIST_RULE,
    IDS_FREQLIST_ENTRY_FREQUENCY,
    IDS_FREQLIST_ENTRY_BIN,
    IDS_FREQLIST_ENTRY_HARMONIC,
    IDS_FREQLIST_ENTRY_DB,
    IDS_FREQLIST_ENTRY_SMALLER,

    // ---- signal generation --------------------------------------------------
    IDS_GENERATE_FIRST = 5000,

    // ---- plotting -------------------------------------------------------------
    IDS_PLOT_FIRST = 6000,

    // ---- project and application --------------------------------------------
    IDS_APP_FIRST = 7000,
    IDS_GENERATED_SINE,
    IDS_DEFAULT_DOC_NAME,
    IDS_PREFERENCES_TITLE,
    IDS_PREFERENCES_TIME_PLOT,
    IDS_PREFERENCES_FREQ_PLOT,
    IDS_PREFERENCES_TYPE,
    IDS_PREFERENCES_STYLE,
    IDS_PLOT_TYPE_AUTO,
    IDS_PLOT_TYPE_INPHASE,
    IDS_PLOT_TYPE_QUADRATURE,
    IDS_PLOT_TYPE_IQ,
    IDS_PLOT_TYPE_MAGNITUDE,
    IDS_PLOT_TYPE_PHASE,
    IDS_PLOT_TYPE_POLAR,
    IDS_PLOT_TYPE_HISTOGRAM,
    IDS_PLOT_STYLE_AUTO,
    IDS_PLOT_STYLE_LINE,
    IDS_PLOT_STYLE_DOT,
    IDS_PLOT_STYLE_LINE_DOT,
    IDS_PLOT_STYLE_BAR,
    IDS_PLOT_STYLE_STEM,
    IDS_PLOT_STYLE_VLINE,
    IDS_PLOT_STYLE_STAIR,
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
