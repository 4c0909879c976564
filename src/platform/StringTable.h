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
    IDS_FMT_TEXT_DECIMAL,
    IDS_FMT_TEXT_PLOT,
    IDS_FMT_TEXT_FIR,
    IDS_FMT_TEXT_FRACT,
    IDS_FMT_TEXT_HEX,
    IDS_FMT_TEXT_BINARY,
    IDS_FMT_TEXT_ANALYZER,
    IDS_FMT_TEXT_C,
    IDS_FMT_BINARY_FLOAT,
    IDS_FMT_BINARY_DOUBLE,
    IDS_FMT_BINARY_WAVE,
    IDS_FMT_ASM_TI,
    IDS_FMT_ASM_ADI_PM,
    IDS_NO_FORMAT_OPTIONS,
    IDS_CANNOT_OPEN_FILE,
    IDS_INVALID_HEADER,
    IDS_ONE_CHANNEL_ONLY,
    IDS_OVERFLOW_QUESTION,
    IDS_WAVE_NOT_VALID,
    IDS_WAVE_UNKNOWN_FORMAT,
    IDS_WAVE_UNSUPPORTED,
    IDS_WAVE_NO_DATA,
    IDS_WAVE_TOO_LONG,
    IDS_READ_ERROR,
    IDS_WRITE_ERROR,
    IDS_FORMAT_NOT_READABLE,
    IDS_FORMAT_NOT_WRITABLE,
    IDS_TOO_MANY_VALUES,
    IDS_FIXEDPOINT_TITLE,
    IDS_FIXEDPOINT_BITS,
    IDS_WAVFMT_TITLE,
    IDS_WAVFMT_SIZE,
    IDS_WAVFMT_8,
    IDS_WAVFMT_16,
    IDS_WAVFMT_RATE,
    IDS_WAVFMT_11K,
    IDS_WAVFMT_22K,
    IDS_WAVFMT_44K,
    IDS_OPTIONSC_TITLE,
    IDS_OPTIONSC_NAME,
    IDS_OPTIONSC_TYPE,
    IDS_OPTIONSC_SUFFIX,
    IDS_ASMOPTS_TITLE,
    IDS_ASMOPTS_VARIABLE,
    IDS_ASMOPTS_NAME,
    IDS_ASMOPTS_SHOW_LENGTH,
    IDS_ASMOPTS_SHOW_RATIO,
    IDS_ASMOPTS_DATA_FORMAT,
    IDS_ASMOPTS_DECIMAL_INT,
    IDS_ASMOPTS_HEX_INT,
    IDS_ASMOPTS_FLOAT,
    IDS_ASMOPTS_COMMENTS,
    IDS_ASMOPTS_SHOW_OTHER,
    IDS_ASMOPTS_SHOW_FLOAT,
    IDS_ASMOPTS_SHOW_GRAPH,
    IDS_ASMOPTS_INITIAL_TEXT,
    IDS_ASMOPTS_FINAL_TEXT,
    IDS_ASMOPTS_NAME_EMPTY,
    IDS_ASMOPTS_DEFAULT_NAME,
    IDS_DATAFILES_TITLE,
    IDS_DATAFILES_INPHASE_GROUP,
    IDS_DATAFILES_QUADRATURE_GROUP,
    IDS_DATAFILES_FILE_NAME,
    IDS_DATAFILES_FORMAT,
    IDS_DATAFILES_BROWSE,
    IDS_DATAFILES_COMPLEX,
    IDS_DATAFILES_OPTIONS,
    IDS_DATAFILES_INTERLEAVE_GROUP,
    IDS_DATAFILES_NONE,
    IDS_DATAFILES_FORWARD,
    IDS_DATAFILES_REVERSE,
    IDS_DATAFILES_FACTOR,
    IDS_DATAFILES_RESET_RANGES,
    IDS_DATAFILES_FILTER,
    IDS_NO_INPUT_FILES,
    IDS_FILE_NOT_AVAILABLE,
    IDS_FILES_NOT_FORMATTED,
    IDS_SPECIFY_COMPLEX_FILE,
    IDS_SPECIFY_INPHASE_FILE,
    IDS_SPECIFY_BOTH_FILES,
    IDS_DATA_IS_COMPLEX,
    IDS_INTERLEAVE_FACTOR,
    IDS_DATA_FROM_FILE,
    IDS_DATA_FROM_FILES_SEPARATOR,
    IDS_DATA_FROM_FILES_AND,
    IDS_DATA_FROM_FILE_SEPARATOR,
    IDS_WRITECOL_TITLE,
    IDS_WRITECOL_FILTER,

    // ---- transforms and filtering -------------------------------------------
    IDS_DSP_FIRST = 3000,
    IDS_FIR_FILTER_FILTER,
    IDS_FIR_NO_NAME,
    IDS_FIR_FILTERING,
    IDS_FIR_BAD_FILE,
    IDS_FIR_NO_TAP_COUNT,
    IDS_FIR_NO_MEMORY,
    IDS_FIR_FEWER_TAPS,

    // ---- analysis -----------------------------------------------------------
    IDS_ANALYSIS_FIRST = 4000,

    // ---- signal generation --------------------------------------------------
    IDS_GENERATE_FIRST = 5000,

    // ---- plotting -------------------------------------------------------------
    IDS_PLOT_FIRST = 6000,

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
