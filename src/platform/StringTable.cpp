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

    // ---- plotting -------------------------------------------------------------

    // ---- project and application --------------------------------------------
    {IDS_GENERATED_SINE, "Generated Sine"},
    {IDS_DEFAULT_DOC_NAME, "Kalvora"},
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
