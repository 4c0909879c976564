#include <algorithm>
#include <cstring>
#include <string>

#include "CFuzzInput.h"
#include "CFuzzPlatform.h"
#include "FuzzTargets.h"
#include "ShownData.h"
#include "app/CModDoc.h"
#include "data/CDataFormat.h"

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
    // Options of the raw integer formats and of Text:CSV.
    bool bigEndian = false;
    int32_t skipBytes = 0;
    std::string columns;
};

// Reads the input as a user reads a file: the Read Time Data (or Frequency
// Data) command with the file and format filled into the Data Files dialog,
// with the automatic processing that follows and the plots it opens; then
// every plot type is painted and the statistics are gathered.
void ReadFileAndShow(const std::string& path, const CReadChoice& choice, CFuzzOutcome& outcome) {
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
        files.m_Format.m_RawInt.m_bBigEndian = choice.bigEndian ? 1 : 0;
        files.m_Format.m_RawInt.m_nSkipBytes = choice.skipBytes;
        files.m_Format.m_Csv.m_strColumns = choice.columns;
        files.m_bComplex = choice.complex ? 1 : 0;
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

void ReadAndShow(const uint8_t* data, size_t size, const CReadChoice& choice, CFuzzOutcome& outcome) {
    ReadFileAndShow(CFuzzInput::Instance().Write("signal.dat", data, size), choice, outcome);
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

void FuzzSignalOther(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    static const int32_t formats[] = {FMT_BINARY_INT8,  FMT_BINARY_UINT8, FMT_BINARY_INT16, FMT_BINARY_INT32,
                                      FMT_BINARY_NPY,   FMT_TEXT_CSV,     FMT_TEXT_CSV,     FMT_BINARY_NPY};
    const uint8_t s = Last(data, size);
    const uint8_t o = Last(data, size, 1);
    CReadChoice choice;
    choice.format = formats[s & 7];
    choice.complex = (s & 8) != 0;
    choice.processing = (s & 16) != 0;
    choice.frequency = (s & 32) != 0;
    choice.bigEndian = (s & 64) != 0;
    // A header to skip: none, a few bytes, or beyond the end of the file.
    choice.skipBytes = (s & 128) ? (o & 64 ? static_cast<int32_t>(size) + o : o & 31) : 0;
    // The CSV columns: the defaults, one column, or two in either order.
    static const char* const columns[] = {"", "1", "2", "2,1", "1,3", "3,2", "9", "1,2"};
    choice.columns = columns[o & 7];
    choice.variant = Last(data, size, 2);
    ReadAndShow(data, size, choice, outcome);
}

void FuzzSignalSigmf(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    // The metadata up to the first NUL byte, the samples after it (none
    // when the input holds no NUL).
    const uint8_t* nul = size ? static_cast<const uint8_t*>(std::memchr(data, 0, size)) : nullptr;
    const size_t metaSize = nul ? static_cast<size_t>(nul - data) : size;
    const size_t dataSize = nul ? size - metaSize - 1 : 0;
    CFuzzInput& input = CFuzzInput::Instance();
    const std::string meta = input.Write("signal.sigmf-meta", data, metaSize);
    input.Write("signal.sigmf-data", nul ? nul + 1 : data, dataSize);
    const uint8_t s = Last(data, size);
    CReadChoice choice;
    choice.format = FMT_BINARY_SIGMF;
    choice.complex = (s & 1) != 0;
    choice.processing = (s & 2) != 0;
    choice.frequency = (s & 4) != 0;
    choice.variant = Last(data, size, 1);
    // Either file of the recording may be named.
    ReadFileAndShow((s & 8) ? input.PathOf("signal.sigmf-data") : meta, choice, outcome);
}

}  // namespace kv::fuzz
