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
};

// Reads the input as a user reads a file: the Read Time Data (or Frequency
// Data) command with the file and format filled into the Data Files dialog,
// with the automatic processing that follows and the plots it opens; then
// every plot type is painted and the statistics are gathered.
void ReadAndShow(const uint8_t* data, size_t size, const CReadChoice& choice, CFuzzOutcome& outcome) {
    CFuzzInput& input = CFuzzInput::Instance();
    const std::string path = input.Write("signal.dat", data, size);
    {
        CFuzzPlatform platform;
        platform.SetPressOk(true);
        platform.SetPreferredPlot(choice.variant % 7, (choice.variant / 7) % 7, 0);
        CModDoc doc;
        platform.CreatePlotView(doc);
        CDataFiles& files = choice.frequency ? doc.m_FreqFiles : doc.m_TimeFiles;
        files.m_strPath = path;
        files.m_strName = "signal.dat";
        files.m_Format.m_nFormat = choice.format;
        files.m_Format.m_FixedPoint.m_nBits = choice.bits;
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

}  // namespace kv::fuzz
