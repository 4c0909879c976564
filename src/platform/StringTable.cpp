#include "platform/StringTable.h"

#include <cstdarg>
#include <cstdio>
#include <unordered_map>
#include <vector>

namespace kv {

namespace {

struct Entry {
    StringId id;
    const char* text;
};

// The program's texts. Keep each subsystem's texts in its own block.
const Entry kEntries[] = {
    // ---- general ----------------------------------------------------------
    {IDS_APP_NAME, "Kalvora"},
    {IDS_COMPANY_NAME, "Quellin"},
    {IDS_READY, "Ready"},
    {IDS_ENTER_NUMBER, "Enter a number."},
    {IDS_ENTER_INTEGER, "Enter an integer."},
    {IDS_ENTER_INTEGER_BETWEEN, "Enter an integer between %1 and %2."},
    {IDS_ENTER_NUMBER_BETWEEN, "Enter a number between %1 and %2."},
    {IDS_OUT_OF_MEMORY, "Insufficient memory available to complete the operation."},
    {IDS_FAILED_TO_OPEN_DOCUMENT, "Failed to open document."},
    {IDS_UNEXPECTED_FILE_FORMAT, "Unexpected file format."},
    {IDS_SAVE_CHANGES, "Save changes to %1?"},

    // ---- signal data model --------------------------------------------------
    {IDS_UNIT_HZ, "Hz"},
    {IDS_UNIT_KHZ, "kHz"},
    {IDS_UNIT_MHZ, "MHz"},
    {IDS_UNIT_GHZ, "GHz"},
    {IDS_UNIT_SEC, "sec"},
    {IDS_UNIT_MS, "ms"},
    {IDS_UNIT_US, "us"},
    {IDS_UNIT_NS, "ns"},
    {IDS_DB_LABEL_DEFAULT, "dB"},
    {IDS_DBC, "dBc"},
    {IDS_DBM, "dBm"},
    {IDS_DBFS, "dBFS"},
    {IDS_REFDLG_TITLE, "Decibel Options"},
    {IDS_REFDLG_REFTYPE, "Reference Type"},
    {IDS_REFDLG_PEAK_DBC, "Peak component represents 0 dBc"},
    {IDS_REFDLG_ONE_DB, "1.0 represents 0 dB"},
    {IDS_REFDLG_VOLTS, "represents Volts into 50 Ohms"},
    {IDS_REFDLG_DBFS, "represents 0 dBFS"},
    {IDS_REFDLG_MIN_DB, "Minimum dB"},
    {IDS_REFDLG_WAVEFORM, "Reference Waveform"},
    {IDS_REFDLG_DC_OR_COMPLEX, "DC or complex sine"},
    {IDS_REFDLG_REAL_SINE, "Real sine"},
    {IDS_SCALE_ZERO_QUESTION, "Scale value is 0.0 (linear).\nTherefore, scaling will clear all data.\nScale anyway?"},

    // ---- signal file formats ------------------------------------------------
    {IDS_CANNOT_CHANGE_TO, "Cannot change to "},

    // ---- transforms and filtering -------------------------------------------

    // ---- analysis -----------------------------------------------------------
    {IDS_DSSTATS_TITLE, "Time Data Statistics"},
    {IDS_DSSTATS_MINIMUM, "Minimum"},
    {IDS_DSSTATS_MAXIMUM, "Maximum"},
    {IDS_DSSTATS_INPHASE_MEAN, "Inphase Mean"},
    {IDS_DSSTATS_QUADRATURE_MEAN, "Quadrature Mean"},
    {IDS_DSSTATS_MAGNITUDE_RMS, "Magnitude RMS"},
    {IDS_GATHERING_TIME_STATS, "Gathering Time Data Statistics..."},
    {IDS_FSTAT_TITLE, "Frequency Data Statistics"},
    {IDS_FSTAT_POWERS, "Powers"},
    {IDS_FSTAT_RATIOS, "Ratios"},
    {IDS_FSTAT_FUNDAMENTAL_FREQUENCY, "Fundamental Frequency: %f"},
    {IDS_FSTAT_FUNDAMENTAL, "Fundamental:"},
    {IDS_FSTAT_DC, "DC:"},
    {IDS_FSTAT_DISTORTION, "Distortion:"},
    {IDS_FSTAT_NOISE, "Noise:"},
    {IDS_FSTAT_TOTAL, "Total:"},
    {IDS_FSTAT_SFDR, "SFDR:"},
    {IDS_FSTAT_SINAD, "SINAD:"},
    {IDS_FSTAT_SNR, "SNR:"},
    {IDS_FSTAT_POWER_FORMAT, "%7.2f %s"},
    {IDS_FSTAT_RATIO_FORMAT, "%7.2f dB"},
    {IDS_GATHERING_FREQ_STATS, "Gathering Frequency Statistics..."},
    {IDS_WRITING_FREQ_LIST, "Writing Frequency Statistics List..."},
    {IDS_FREQLIST_DEFAULT_NAME, "FREQSTAT.LST"},
    {IDS_FREQLIST_FILTER, "All Files (*.*)|*.*|Frequency Files (*.frq)|*.frq||"},
    {IDS_FREQLIST_SAVE_TITLE, "Save As"},
    {IDS_FREQLIST_CANNOT_OPEN, "Cannot open file \"%1\"."},
    {IDS_FREQLIST_CANNOT_WRITE, "Cannot write file \"%1\"."},
    {IDS_FREQLIST_TEMP_FILE, "Temporary data file cannot be written."},
    {IDS_FREQLIST_FUNDAMENTAL, " Fundamental = %f %s"},
    {IDS_FREQLIST_SFDR, " SFDR        = %f dB"},
    {IDS_FREQLIST_SINAD, " SINAD       = %f dB"},
    {IDS_FREQLIST_SNR, " SNR         = %f dB"},
    {IDS_FREQLIST_HEADER, " Frequency    Bin    Harm   Bin Power  dB Below Peak  Total Smaller Power"},
    {IDS_FREQLIST_RULE, " ---------  -------  ----  ----------  -------------  -------------------"},
    {IDS_FREQLIST_ENTRY_FREQUENCY, "   %7.3f"},
    {IDS_FREQLIST_ENTRY_BIN, "  %7i"},
    {IDS_FREQLIST_ENTRY_HARMONIC, " %4i"},
    {IDS_FREQLIST_ENTRY_DB, "  %8.2f dB"},
    {IDS_FREQLIST_ENTRY_SMALLER, "       %8.2f dB"},

    // ---- signal generation --------------------------------------------------
    {IDS_GENERATE_TITLE, "Waveform Generator"},
    {IDS_GEN_SAMPLES, "Number of Samples"},
    {IDS_GEN_RATE, "Rate"},
    {IDS_GEN_FREQUENCY, "Frequency"},
    {IDS_GEN_CYCLES, "Number of Cycles"},
    {IDS_GEN_COMPLEX, "Complex"},
    {IDS_GEN_PHASE, "Initial phase in degrees"},
    {IDS_GEN_WAVEFORM, "Waveform"},
    {IDS_GEN_SINE, "Sine"},
    {IDS_GEN_SQUARE, "Square"},
    {IDS_GEN_TRIANGLE, "Triangle"},
    {IDS_GEN_SAWTOOTH, "Sawtooth"},
    {IDS_GENERATING_TIME_DATA, "Generating time data"},
    {IDS_PAGE_SAMPLE, "Sample"},
    {IDS_PAGE_MODULATION, "Modulation"},
    {IDS_PAGE_AUDIO, "Audio"},
    {IDS_PAGE_NOISE, "Noise"},
    {IDS_PAGE_IF_ERRORS, "IF Errors"},
    {IDS_PAGE_IF_FILTER, "IF Filter"},

    // ---- plotting -------------------------------------------------------------
    {IDS_PLOT_MAIN_TITLE, "Main Title"},
    {IDS_PLOT_X_TITLE, "X-Title"},
    {IDS_PLOT_Y_TITLE, "Y-Title"},
    {IDS_PLOT_POLAR_LOG_OFF, "Log mode will be turned off for Polar Plot."},
    {IDS_PLOT_AXIS_TOO_MANY_LABELS, "%1: Specified Label Spacing will result in too many labels.\nTen labels will be used."},
    {IDS_PLOT_AXIS_TOO_MANY_TICS, "%1: Specified Tic Spacing will result in too many tics.\nFive tics per label will be used."},
    {IDS_PLOT_TOO_MANY_LABELS, "Label increment results in too many labels.\nTen labels will be made."},
    {IDS_PLOT_GRID_TOO_MANY_TICS, "Tic increment will result in too many tics.\nTwo tics per label will be made."},
    {IDS_PLOT_X_AXIS, "X-Axis"},
    {IDS_PLOT_Y_AXIS, "Y-Axis"},
    {IDS_PLOT_POWER_SUFFIX, " * 10^%i"},
    {IDS_PLOT_CANNOT_ZOOM, "Cannot zoom: horizontal range is too narrow."},
    {IDS_PLOT_TOP_ZOOM_LEVEL, "Top Zoom Level of %1"},
    {IDS_PLOT_ZOOM_LEVEL, "Zoom Level %1 of %2"},
    {IDS_PLOT_TITLE_INPHASE_AMPLITUDE, "Inphase Amplitude"},
    {IDS_PLOT_TITLE_QUADRATURE_AMPLITUDE, "Quadrature Amplitude"},
    {IDS_PLOT_TITLE_I_AND_Q, "I and Q Amplitudes"},
    {IDS_PLOT_TITLE_MAGNITUDE, "Complex Magnitude"},
    {IDS_PLOT_TITLE_POWER, "Complex Power"},
    {IDS_PLOT_TITLE_PHASE, "Complex Phase in Degrees"},
    {IDS_PLOT_TITLE_QUADRATURE, "Quadrature"},
    {IDS_PLOT_TITLE_INPHASE, "Inphase"},
    {IDS_PLOT_TITLE_AMPLITUDE, "Amplitude"},
    {IDS_PLOT_TITLE_TIME, "Time"},
    {IDS_PLOT_TITLE_FREQUENCY, "Frequency"},
    {IDS_PLOT_TITLE_IN_UNIT, "%1 in %2"},
    {IDS_PLOT_TITLE_NUMBER_OF_SAMPLES, "Number of Samples"},
    {IDS_PLOT_TITLE_HISTOGRAM_OF, "Histogram of "},
    {IDS_PLOT_TRACE_I, "I"},
    {IDS_PLOT_TRACE_Q, "Q"},
    {IDS_PLOT_LEAVE_POLAR, "Changing out of Polar mode will reset all zoom levels.\nDo you want to change out of Polar Mode?"},
    {IDS_PLOT_ENTER_POLAR, "Changing to Polar mode will reset all zoom levels.\nDo you want to change to Polar Mode?"},
    {IDS_PLOT_READOUT_X, "X=%1, "},
    {IDS_PLOT_READOUT_Y1, "Y1=%1, Y2=%2"},
    {IDS_PLOT_READOUT_Y, "Y=%1"},
    {IDS_PLOT_READOUT_WIDTH, ", Width=%1"},
    {IDS_PLOT_READOUT_MAX_BIN, ", Max Bin=%1"},
    {IDS_PLOT_READOUT_BIN, "Bin %1: I=%2"},
    {IDS_PLOT_READOUT_Q, ", Q=%1"},
    {IDS_PLOT_READOUT_MAG, ", Mag=%1"},
    {IDS_PLOT_READOUT_PHASE, ", Phase=%1 deg"},
    {IDS_PLOT_NOTE_RATIO, " (%1.1lf:1"},
    {IDS_PLOT_NOTE_GROUP, " (%1d:1"},
    {IDS_PLOT_NOTE_LINE_SPACING, " (Line Spacing = "},
    {IDS_PLOT_NOTE_VARIABLE_SPACING, " (Variable Spacing"},
    {IDS_PLOT_NOTE_SUM_MODE, ", Sum Mode"},
    {IDS_PLOT_NOTE_PEAK_MODE, ", Peak Mode"},
    {IDS_PLOT_NOTE_CLOSE, ")"},
    {IDS_PLOT_PICTURE_DESCRIPTION, "Kalvo Plot"},
    {IDS_PLOT_FILE_FILTER, "All Files (*.*)|*.*|PlotFiles (*.plt)|*.plt||"},
    {IDS_PLOT_FILE_DEFAULT, "GRAPH.PLT"},
    {IDS_PLOT_FILE_TITLE, "Write Plot Data"},
    {IDS_PLOT_CANNOT_OPEN_FILE, "Cannot open file \"%1\"."},
    {IDS_PLOT_CANNOT_WRITE_FILE, "Cannot write file \"%1\"."},
    {IDS_PLOT_WRITE_TITLES, "Write titles to file?"},
    {IDS_PLOT_AXISDLG_AXIS_MAX, "Axis Maximum"},
    {IDS_PLOT_AXISDLG_AXIS_MIN, "Axis Minimum"},
    {IDS_PLOT_AXISDLG_LOG, "&Log Mode"},
    {IDS_PLOT_AXISDLG_TIC_SPACING, "Tic Spacing"},
    {IDS_PLOT_AXISDLG_AUTOMATIC_AXIS, "&Automatic"},
    {IDS_PLOT_AXISDLG_AXIS_SCALING, "Axis Scaling"},
    {IDS_PLOT_AXISDLG_AUTOMATIC, "Automatic"},
    {IDS_PLOT_AXISDLG_LABEL_SCALING, "Label Scaling"},
    {IDS_PLOT_AXISDLG_POWER, "Power of 10"},
    {IDS_PLOT_AXISDLG_LABEL_SPACING, "Label Spacing"},
    {IDS_PLOT_AXISDLG_GRID_NONE, "None"},
    {IDS_PLOT_AXISDLG_GRID_TICS, "On Tic Marks"},
    {IDS_PLOT_AXISDLG_GRID_LABELS, "On Labels"},
    {IDS_PLOT_AXISDLG_GRID_ZERO, "On Zero"},
    {IDS_PLOT_AXISDLG_GRID, "Grid Options"},
    {IDS_PLOT_AXISDLG_MAX_DIGITS, "Max Decimal Digits"},
    {IDS_PLOT_AXISDLG_AUTOSCALE_ONCE, "Autoscale Once"},
    {IDS_PLOT_OPTIONS_TITLE, "Plot Properties"},
    {IDS_PLOT_OPTIONS_DB, "Magnitude in dB"},
    {IDS_PLOT_OPTIONS_AUTO_TITLES, "Auto Titles"},
    {IDS_PLOT_OPTIONS_INTEGER_REDUCTION, "Integer Point Reduction"},
    {IDS_PLOT_OPTIONS_SUM_MODE, "Sum Freq Mag in Plot Lines"},
    {IDS_PLOT_OPTIONS_FULL_DECADE, "Zoom Full Decade in Log Plot"},
    {IDS_PLOT_OPTIONS_ORIGIN_ZERO, "Origin at Zero"},
    {IDS_PLOT_OPTIONS_LEGEND, "Enable Legend"},
    {IDS_PLOT_OPTIONS_AUTO, "Auto"},
    {IDS_PLOT_OPTIONS_NUM_BINS, "Num Bins"},
    {IDS_PLOT_OPTIONS_MIN, "Min"},
    {IDS_PLOT_OPTIONS_MAX, "Max"},
    {IDS_PLOT_OPTIONS_DISPLAY_FORMAT, "Display Format"},
    {IDS_PLOT_OPTIONS_DATA_REDUCTION, "Data Reduction"},
    {IDS_PLOT_OPTIONS_ZOOMING, "Zooming"},
    {IDS_PLOT_OPTIONS_HISTOGRAM, "Histogram"},
    {IDS_PLOT_OPTIONS_MIN_MAX, "The histogram minimum value must be less than the histogram maximum value"},
    {IDS_PLOT_OPTIONS_BINS, "The number of histogram bins must be greater than 4"},
    {IDS_PLOT_TITLES_CAPTION, "Titles"},
    {IDS_PLOT_MENU_PLOT, "&Plot"},
    {IDS_PLOT_MENU_TYPE, "Type"},
    {IDS_PLOT_MENU_STYLE, "Style"},
    {IDS_PLOT_MENU_INPHASE, "&Inphase Amplitude"},
    {IDS_PLOT_MENU_QUADRATURE, "&Quadrature Amplitude"},
    {IDS_PLOT_MENU_I_AND_Q, "I &And Q Amplitudes"},
    {IDS_PLOT_MENU_MAGNITUDE, "Complex &Magnitude"},
    {IDS_PLOT_MENU_PHASE, "Complex &Phase"},
    {IDS_PLOT_MENU_POLAR, "P&olar (I vs. Q)"},
    {IDS_PLOT_MENU_HISTOGRAM, "Histogram"},
    {IDS_PLOT_MENU_STYLE_AUTO, "&Auto"},
    {IDS_PLOT_MENU_STYLE_LINE, "&Line"},
    {IDS_PLOT_MENU_STYLE_DOT, "&Dot"},
    {IDS_PLOT_MENU_STYLE_LINE_DOT, "L&ine And Dot"},
    {IDS_PLOT_MENU_STYLE_BAR, "&Bar"},
    {IDS_PLOT_MENU_STYLE_STEM, "&Stem"},
    {IDS_PLOT_MENU_STYLE_VLINE, "&Vertical Line"},
    {IDS_PLOT_MENU_STYLE_STAIR, "S&tair"},
    {IDS_PLOT_MENU_ZOOM_NEXT, "Zoom &Next"},
    {IDS_PLOT_MENU_ZOOM_IN, "Zoom &In"},
    {IDS_PLOT_MENU_ZOOM_OUT, "Zoom &Out"},
    {IDS_PLOT_MENU_ZOOM_TOP, "Zoom &Top"},
    {IDS_PLOT_MENU_ZOOM_BOTTOM, "Zoom &Bottom"},
    {IDS_PLOT_MENU_PROPERTIES, "&Properties..."},
    {IDS_PLOT_MENU_TITLES, "Tit&les..."},
    {IDS_PLOT_MENU_X_AXIS, "&X -Axis"},
    {IDS_PLOT_MENU_Y_AXIS, "&Y-Axis"},
    {IDS_PLOT_MENU_FONT, "&Font..."},
    {IDS_PLOT_MENU_COPY_IMAGE, "Copy Image"},
    {IDS_PLOT_MENU_COPY_DATA, "Copy Data"},
    {IDS_PLOT_MENU_WRITE_DATA, "&Write Data..."},
    {IDS_PLOT_MENU_PRINT, "&Print..."},
    {IDS_PLOT_MENU_PRINT_PREVIEW, "Print Pre&view"},
    {IDS_PLOT_MENU_PRINT_SETUP, "P&rint Setup..."},

    // ---- project and application --------------------------------------------
    {IDS_GENERATED_SINE, "Generated Sine"},
    {IDS_DEFAULT_DOC_NAME, "Kalvora"},
    {IDS_NEWER_VERSION, "This Project file is for a newer version of this program. Please download\nthe latest version of the program from the Quellin Web Site at:\n"},
    {IDS_MAKER_WEB_ADDRESS, "www.quellin.com"},
    {IDS_SAVE_FAILED, "Cannot save the project to \"%1\":\n%2"},
    {IDS_WILL_OVERWRITE, " will overwrite this project's Time and Frequency data."},
    {IDS_READING_TIME_DATA, "Reading time data"},
    {IDS_READING_FREQ_DATA, "Reading frequency data"},
    {IDS_SCALING_TIME_DATA, "Scaling time data"},
    {IDS_ZERO_PAD_PROGRESS, "Zero-Stuffing/Zero-Padding Time Data..."},
    {IDS_ASK_RECTIFY, "Do you want to Rectify the Time Data?"},
    {IDS_ASK_REMOVE_DC, "Do you want to Remove DC from the Time Data?"},
    {IDS_READ_TIME_TITLE, "Read Time Data"},
    {IDS_READ_FREQ_TITLE, "Read Frequency Data"},
    {IDS_WRITE_TIME_TITLE, "Write Time Data"},
    {IDS_WRITE_FREQ_TITLE, "Write Frequency Data"},
    {IDS_SAVE_AS_TITLE, "Save As"},
    {IDS_PROJECT_FILTER, "Kalvora Projects (*.kvp)|*.kvp|All Files (*.*)|*.*||"},
    {IDS_PROC_TITLE, "Automatic Processing Options"},
    {IDS_PROC_GROUP_TIME, "Time Data"},
    {IDS_PROC_GROUP_FREQ, "Frequency Data"},
    {IDS_PROC_GROUP_LIST, "Frequency List"},
    {IDS_PROC_SCALE, "Scale"},
    {IDS_PROC_ZERO_PAD, "Zero-pad"},
    {IDS_PROC_FILTER, "Filter"},
    {IDS_PROC_WINDOW, "Window"},
    {IDS_PROC_TO_FREQ, "Transform to Frequency"},
    {IDS_PROC_WRITE_ON_CLOSE, "Write modified data on close"},
    {IDS_PROC_TO_TIME, "Transform to Time"},
    {IDS_PROC_FREQ_STATS, "Show Frequency Statistics"},
    {IDS_PROC_FREQ_LIST, "Show Frequency List"},
    {IDS_PROC_WRITE_LIST, "Write List on close"},
    {IDS_PROC_MIX, "Mix"},
    {IDS_PROC_RECTIFY, "Rectify"},
    {IDS_PROC_REMOVE_DC, "Remove DC"},
    {IDS_RANGE_TITLE, "Set Data Range"},
    {IDS_RANGE_START, "Start"},
    {IDS_RANGE_STOP, "Stop"},
    {IDS_RANGE_SAMPLE_SIZE_INIT, "Sample Size:"},
    {IDS_RANGE_UNIT_INIT, "unit "},
    {IDS_RANGE_UNITS, "Units"},
    {IDS_RANGE_INDEX, "Index"},
    {IDS_RANGE_ALL, "All Samples"},
    {IDS_RANGE_SAMPLE_SIZE, "Sample Size: %li"},
    {IDS_RANGE_INVALID, "Range values are invalid."},
    {IDS_SCALE_TITLE, "Scale Time Data"},
    {IDS_SCALE_BY, "Scale signal by"},
    {IDS_SCALE_DB, "dB"},
    {IDS_MIX_TITLE, "Mix Filter"},
    {IDS_MIX_GROUP_FREQ, "Mixing Frequency"},
    {IDS_MIX_FREQUENCY, "Frequency "},
    {IDS_MIX_DIVIDED, "Fs divided by"},
    {IDS_MIX_MULTIPLIED, "Fs multiplied by"},
    {IDS_MIX_GROUP_PHASE, "Initial Phase"},
    {IDS_MIX_AUTO_PHASE, "Set automatically for linear phase"},
    {IDS_MIX_DEGREES, "Degrees"},
    {IDS_MIX_DIVISOR_ZERO, "The Fs mixing divisor cannot be zero."},
    {IDS_MIX_FREQ_ZERO, "The mixing frequency cannot be zero."},
    {IDS_MIX_OUTSIDE, "The Mixing frequency is outside the range\n+/- half the sampling frequency.  Mix anyway?"},
    {IDS_ZP_TITLE, "Zero-Stuff and Zero-Pad"},
    {IDS_ZP_GROUP_STUFF, "Zero-Stuff"},
    {IDS_ZP_STUFF, "Stuff"},
    {IDS_ZP_ZEROS, "zero(s)"},
    {IDS_ZP_BETWEEN, "between each sample"},
    {IDS_ZP_SCALE_FS, "Scale sampling frequency"},
    {IDS_ZP_THEN, "then"},
    {IDS_ZP_GROUP_PAD, "Zero-Pad"},
    {IDS_ZP_PREPEND, "Prepend"},
    {IDS_ZP_APPEND, "Append"},
    {IDS_PAD_TITLE, "Pad Frequency"},
    {IDS_PAD_GROUP_QUANTITY, "Pad Quantity"},
    {IDS_PAD_MULTIPLE, "Multiple of current size"},
    {IDS_PAD_GROUP_AT, "Pad At"},
    {IDS_PAD_LOWEST, "Lowest (DC)"},
    {IDS_PAD_MIDDLE, "Middle (Fs/4)"},
    {IDS_PAD_HIGHEST, "Highest (Fs/2)"},
    {IDS_PAD_STARTING, "Starting at:"},
    {IDS_PAD_GROUP_VALUE, "Pad Value"},
    {IDS_PAD_NEGATIVE, "The pad quantity cannot be negative."},
    {IDS_PAD_MULTIPLE_MIN, "With \"Multiple of current size\" the pad quantity must be at least 1."},
    {IDS_FS_TITLE, "Set Sampling Frequency"},
    {IDS_FS_GROUP_FREQ, "Frequency"},
    {IDS_FS_GROUP_UNITS, "Units of Frequency,Time"},
    {IDS_LIST_LENGTH_TITLE, "Frequency List Length"},
    {IDS_MENU_FILE, "&File"},
    {IDS_MENU_SIGNAL, "&Signal"},
    {IDS_MENU_TIME, "&Time"},
    {IDS_MENU_FREQUENCY, "Fre&quency"},
    {IDS_MENU_VIEW, "&View"},
    {IDS_MENU_LIST, "&List "},
    {IDS_MENU_WRITE, "&Write"},
    {IDS_MENU_VIEW_TIME, "&Time"},
    {IDS_MENU_VIEW_FREQ, "&Frequency"},
    {IDS_CMD_CLOSE_PROJECT, "&Close Project"},
    {IDS_CMD_SAVE_PROJECT, "&Save Project\tCtrl+S"},
    {IDS_CMD_READ_TIME, "Read &Time Data..."},
    {IDS_CMD_READ_FREQ, "Read &Frequency Data..."},
    {IDS_CMD_WRITE_TIME, "&Time Data..."},
    {IDS_CMD_WRITE_FREQ, "&Frequency Data..."},
    {IDS_CMD_WRITE_LIST, "Frequency List..."},
    {IDS_CMD_AM_DEMOD, "AM Demod..."},
    {IDS_CMD_FM_DEMOD, "FM Demod..."},
    {IDS_CMD_CONVERT, "&Convert..."},
    {IDS_CMD_UNDO, "&Undo\tCtrl+Z"},
    {IDS_CMD_REDO, "&Redo\tCtrl+Y"},
    {IDS_CMD_SAMPLING_FREQ, "&Sampling Frequency..."},
    {IDS_CMD_TRANSFORM_OPTIONS, "&Transform..."},
    {IDS_CMD_DECIBELS, "&Decibels..."},
    {IDS_CMD_PROCESS, "Process..."},
    {IDS_CMD_SET_RANGE, "Set Ra&nge..."},
    {IDS_CMD_REMOVE_DC, "Remove &DC..."},
    {IDS_CMD_RECTIFY, "&Rectify..."},
    {IDS_CMD_ZERO_PAD, "&Zero-Stuff/Zero-Pad..."},
    {IDS_CMD_CONJUGATE, "Con&jugate"},
    {IDS_CMD_SCALE, "&Scale..."},
    {IDS_CMD_MIX, "&Mix..."},
    {IDS_CMD_FILTER, "&Filter..."},
    {IDS_CMD_WINDOW, "&Window..."},
    {IDS_CMD_TO_FREQ, "&Transform to Frequency"},
    {IDS_CMD_SHOW_STATS, "Show &Statistics..."},
    {IDS_CMD_GENERATE, "&Generate Waveform..."},
    {IDS_CMD_GENERATE_SIGNAL, "Generate Signal..."},
    {IDS_CMD_COPY, "&Copy"},
    {IDS_CMD_TO_TIME, "&Transform to Time"},
    {IDS_CMD_SQUARE_ROOT, "Replace With Square &Root"},
    {IDS_CMD_PAD, "&Pad..."},
    {IDS_CMD_SHOW_LIST, "Show &List"},
    {IDS_CMD_BRING_TO_FRONT, "Bring Plot to Front"},
    {IDS_CMD_ADD_PLOT, "Add Plot"},
    {IDS_CMD_LIST_LENGTH, "&Length..."},
    {IDS_PREFERENCES_TITLE, "Preferences"},
    {IDS_PREFERENCES_TIME_PLOT, "Time Plot"},
    {IDS_PREFERENCES_FREQ_PLOT, "Frequency Plot"},
    {IDS_PREFERENCES_TYPE, "Type"},
    {IDS_PREFERENCES_STYLE, "Style"},
    {IDS_PLOT_TYPE_AUTO, "Auto"},
    {IDS_PLOT_TYPE_INPHASE, "Inphase Amplitude"},
    {IDS_PLOT_TYPE_QUADRATURE, "Quadrature Amplitude"},
    {IDS_PLOT_TYPE_IQ, "I and Q Amplitudes"},
    {IDS_PLOT_TYPE_MAGNITUDE, "Complex Magnitude"},
    {IDS_PLOT_TYPE_PHASE, "Complex Phase"},
    {IDS_PLOT_TYPE_POLAR, "Polar (I vs. Q)"},
    {IDS_PLOT_TYPE_HISTOGRAM, "Histogram"},
    {IDS_PLOT_STYLE_AUTO, "Auto"},
    {IDS_PLOT_STYLE_LINE, "Line"},
    {IDS_PLOT_STYLE_DOT, "Dot"},
    {IDS_PLOT_STYLE_LINE_DOT, "Line and Dot"},
    {IDS_PLOT_STYLE_BAR, "Bar"},
    {IDS_PLOT_STYLE_STEM, "Stem"},
    {IDS_PLOT_STYLE_VLINE, "Vertical Line"},
    {IDS_PLOT_STYLE_STAIR, "Stair"},
};

const std::unordered_map<int, std::string>& Table() {
    static const std::unordered_map<int, std::string> table = [] {
        std::unordered_map<int, std::string> t;
        for (const Entry& e : kEntries) t.emplace(e.id, e.text);
        return t;
    }();
    return table;
}

std::string VFormat(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0) return {};
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), format, args);
    return std::string(buf.data(), static_cast<size_t>(n));
}

}  // namespace

const std::string& CStringTable::Get(StringId id) {
    static const std::string empty;
    auto it = Table().find(id);
    return it == Table().end() ? empty : it->second;
}

std::string CStringTable::Substitute(const std::string& text, const std::string& arg1, const std::string& arg2) {
    std::string out;
    out.reserve(text.size() + arg1.size() + arg2.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[i + 1] == '1' ? arg1 : arg2;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string CStringTable::Format(StringId id, const std::string& arg1, const std::string& arg2) {
    return Substitute(Get(id), arg1, arg2);
}

std::string StringPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string s = VFormat(format, args);
    va_end(args);
    return s;
}

std::string FormatPrintf(int id, ...) {
    va_list args;
    va_start(args, id);
    std::string s = VFormat(CStringTable::Get(static_cast<StringId>(id)).c_str(), args);
    va_end(args);
    return s;
}

}  // namespace kv
