#include "CFuzzInput.h"
#include "CFuzzPlatform.h"
#include "FuzzTargets.h"
#include "ShownData.h"
#include "app/CModDoc.h"
#include "data/CDataFormat.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

namespace kv::fuzz {

namespace {

// How one input is read: the choices a user makes in the Data Files dialog,
// and whether the automatic processing (window, transform, statistics and
// list) follows.
struct CReadChoice {
    int32_t format = FMT_TEXT_DECIMAL;
    int32_t bits = 16;
    bool complex = false;
    bool frequency = false;
    bool processing = false;
    uint32_t variant = 0;
    // Options of the raw integer formats and Text:CSV.
    bool bigEndian = false;
    int32_t skipBytes = 0;
    std::string columns;
};

// Reads the input as a user reads a file: the Read Time Data (or Frequency
// Data) command with the file and format filled into the Data Files dialog,
// with the automatic processing that follows and the plots it opens; then
// every plot type is painted and the statistics are gathered.
void ReadAndShow(const std::string& path, const CReadChoice& choice, CFuzzOutcome& outcome) {
    CFuzzInput& input = CFuzzInput::Instance();
    {
        CFuzzPlatform platform;
        platform.SetPressOk(true);
        platform.SetPreferredPlot(choice.variant % 7, (choice.variant / 7) % 7, 0);
        CModDoc doc;
        platform.CreatePlotView(doc);
        CDataFiles& files = choice.frequency ? doc.m_FreqFiles : doc.m_TimeFiles;
        files.m_strPath = path;
        files.m_strName = path.substr(path.find_last_of('/') + 1);
        files.m_Format.m_nFormat = choice.format;
        files.m_Format.m_FixedPoint.m_nBits = choice.bits;
        files.m_bComplex = choice.complex ? 1 : 0;
        files.m_Format.m_RawInt.m_bBigEndian = choice.bigEndian ? 1 : 0;
        files.m_Format.m_RawInt.m_nSkipBytes = choice.skipBytes;
        files.m_Format.m_Csv.m_strColumns = choice.columns;
        if (choice.processing) {
            CProcDlg& p = doc.m_ProcDlg;
            p.m_bProcRemoveDc = p.m_bProcWindow = p.m_bProcToFreq = 1;
            p.m_bProcFreqStats = p.m_bProcFreqList = 1;
        }
        doc.RunOperation(choice.frequency ? OP_READ_FREQ : OP_READ_TIME);
        outcome.shown = !(choice.frequency ? doc.m_FreqData : doc.m_TimeData).IsEmpty();
        PaintEveryPlot(platform, choice.variant);
        GatherStatistics(doc);
        outcome.messages = platform.m_Messages;
        platform.CloseViews();
    }
    input.RestoreDirectory();
}

// The input as one file, read as the choice says.
void ReadAndShow(const uint8_t* data, size_t size, const CReadChoice& choice, CFuzzOutcome& outcome) {
    ReadAndShow(CFuzzInput::Instance().Write("signal.dat", data, size), choice, outcome);
}

// The last bytes of an input pick how it is read and shown; they stay part
// of the file.
uint8_t Last(const uint8_t* data, size_t size, size_t back = 0) { return size > back ? data[size - 1 - back] : 0; }

}  // namespace

void FuzzSignalText(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    static const int32_t formats[] = {FMT_TEXT_DECIMAL, FMT_TEXT_PLOT, FMT_TEXT_FIR, FMT_TEXT_ANALYZER};
    const uint8_t s = Last(data, size);
    CReadChoice choice;
    choice.format = formats[s & 3];
    choice.complex = (s & 4) != 0;
    choice.processing = (s & 8) != 0;
    choice.frequency = (s & 16) != 0;
    choice.variant = Last(data, size, 1);
    ReadAndShow(data, size, choice, outcome);
}

void FuzzSignalFixed(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    static const int32_t formats[] = {FMT_TEXT_FRACT, FMT_TEXT_HEX, FMT_TEXT_BINARY, FMT_ASM_ADI_PM};
    const uint8_t s = Last(data, size);
    CReadChoice choice;
    choice.format = formats[s & 3];
    choice.complex = (s & 4) != 0;
    choice.processing = (s & 8) != 0;
    choice.frequency = (s & 16) != 0;
    choice.variant = Last(data, size, 2);
    // Every word length the Fixed-Point Options dialog takes, 1 to 64.
    choice.bits = 1 + Last(data, size, 1) % 64;
    ReadAndShow(data, size, choice, outcome);
}

void FuzzSignalBinary(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    const uint8_t s = Last(data, size);
    CReadChoice choice;
    choice.format = (s & 1) ? FMT_BINARY_DOUBLE : FMT_BINARY_FLOAT;
    choice.complex = (s & 2) != 0;
    choice.processing = (s & 4) != 0;
    choice.frequency = (s & 8) != 0;
    choice.variant = Last(data, size, 1);
    ReadAndShow(data, size, choice, outcome);
}

void FuzzSignalWave(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    const uint8_t s = Last(data, size);
    CReadChoice choice;
    choice.format = FMT_BINARY_WAVE;
    choice.complex = (s & 1) != 0;
    choice.processing = (s & 2) != 0;
    choice.frequency = (s & 4) != 0;
    choice.variant = Last(data, size, 1);
    ReadAndShow(data, size, choice, outcome);
}

void FuzzSignalRawInt(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    static const int32_t formats[] = {FMT_BINARY_INT8, FMT_BINARY_UINT8, FMT_BINARY_INT16, FMT_BINARY_INT32};
    const uint8_t s = Last(data, size);
    CReadChoice choice;
    choice.format = formats[s & 3];
    choice.complex = (s & 4) != 0;
    choice.processing = (s & 8) != 0;
    choice.frequency = (s & 16) != 0;
    choice.bigEndian = (s & 32) != 0;
    // The byte before the last is the number of header bytes to skip; the
    // two only pick, the file is what comes before them.
    choice.skipBytes = Last(data, size, 1);
    choice.variant = Last(data, size, 2);
    ReadAndShow(data, size > 2 ? size - 2 : 0, choice, outcome);
}

void FuzzSignalNpy(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    const uint8_t s = Last(data, size);
    CReadChoice choice;
    choice.format = FMT_BINARY_NPY;
    choice.complex = (s & 1) != 0;
    choice.processing = (s & 2) != 0;
    choice.frequency = (s & 4) != 0;
    choice.variant = Last(data, size, 1);
    ReadAndShow(data, size, choice, outcome);
}

void FuzzSignalCsv(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    // The columns a user may type, the defaults and text the dialog refuses.
    static const char* const columns[] = {"", "1", "2", "1,2", "2,1", "3, 1", "1,1", "0", "9", "x", "1,2,3", "2,"};
    const uint8_t s = Last(data, size);
    CReadChoice choice;
    choice.format = FMT_TEXT_CSV;
    choice.complex = (s & 1) != 0;
    choice.processing = (s & 2) != 0;
    choice.frequency = (s & 4) != 0;
    choice.columns = columns[(s >> 3) % std::size(columns)];
    choice.variant = Last(data, size, 1);
    // The last byte only picks: a text file's last line stays as written.
    ReadAndShow(data, size > 0 ? size - 1 : 0, choice, outcome);
}

// A SigMF recording is two files: the input holds the metadata, then the
// separator and the dataset (without the separator, there is no dataset
// file). The last byte also picks which name the read is given: the
// metadata file's, the dataset's or their base name.
void FuzzSignalSigmf(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    static const std::string_view separator = "\n--sigmf-data--\n";
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const size_t at = text.find(separator);
    CFuzzInput& input = CFuzzInput::Instance();
    input.Write("signal.sigmf-meta", data, std::min(at, size));
    if (at == std::string_view::npos)
        input.Remove("signal.sigmf-data");
    else
        input.Write("signal.sigmf-data", data + at + separator.size(), size - at - separator.size());
    const uint8_t s = Last(data, size);
    static const char* const names[] = {"signal.sigmf-meta", "signal.sigmf-data", "signal", "signal.sigmf-meta"};
    CReadChoice choice;
    choice.format = FMT_BINARY_SIGMF;
    choice.complex = (s & 1) != 0;
    choice.processing = (s & 2) != 0;
    choice.frequency = (s & 4) != 0;
    choice.variant = Last(data, size, 1);
    ReadAndShow(input.PathOf(names[(s >> 3) & 3]), choice, outcome);
}

}  // namespace kv::fuzz
