#include "cli/FrequencySteps.h"

#include "app/CKalvoraDoc.h"
#include "cli/CCliDoc.h"
#include "cli/CCliPlatform.h"
#include "cli/CliAnswers.h"
#include "cli/CliSupport.h"
#include "data/CRefDlg.h"
#include "dsp/CTransOpt.h"
#include "dsp/CWndDlg.h"
#include "dsp/Transform.h"
#include "dsp/WindowFunctions.h"
#include "platform/StringTable.h"

namespace kv {

CWindowChoice ParseWindow(const CCliArgs& args) {
    CWindowChoice choice;
    const std::string text = args.Text("window", "none");
    auto [name, parameter] = SplitOptionValue(text);
    double number;
    if (name == "dolph" || name == "kaiser") {
        if (!ParseReal(parameter, number))
            throw CUsageError{"--window: '" + text + "' needs a number, as in " + name + (name == "dolph" ? ":80" : ":4")};
        choice.m_nType = name == "dolph" ? CWndDlg::kDolphChebyshev : CWndDlg::kKaiserBessel;
        choice.m_strParameter = parameter;
        return choice;
    }
    if (text.find(':') != std::string::npos) throw CUsageError{"--window: '" + text + "' takes no parameter"};
    const struct {
        const char* name;
        int32_t type;
    } plain[] = {{"none", 0},
                 {"bh4", CWndDlg::kBlackmanHarris4},
                 {"bh7", CWndDlg::kBlackmanHarris7},
                 {"hanning", CWndDlg::kHanning},
                 {"gaussian", CWndDlg::kGaussian},
                 {"hamming", CWndDlg::kHamming}};
    for (const auto& p : plain)
        if (name == p.name) {
            choice.m_nType = p.type;
            return choice;
        }
    throw CUsageError{"--window: '" + text +
                      "' is not none, dolph:GAMMA, kaiser:ALPHA, bh4, bh7, hanning, gaussian or hamming"};
}

namespace {

// Queues the window dialog's answer.
void ExpectWindow(CCliPlatform& platform, const CWindowChoice& window) {
    platform.Expect<CWndDlg>([window](CWndDlg& d) {
        d.SimulateClick(CWndDlg::IDC_DOLPH_CHEBYSHEV + window.m_nType - 1);
        if (window.m_nType == CWndDlg::kDolphChebyshev) d.SimulateText(CWndDlg::IDC_GAMMA, window.m_strParameter);
        if (window.m_nType == CWndDlg::kKaiserBessel) d.SimulateText(CWndDlg::IDC_ALPHA, window.m_strParameter);
        d.SimulateClick(IDOK);
    });
}

}  // namespace

void SetTransformOptions(CTransOpt& options, CCliPlatform& platform, const CCliArgs& args) {
    const std::string length = args.Text("length", "max");
    int64_t n = 0;
    if (length != "max" && length != "pow2" && !ParseInteger(length, n))
        throw CUsageError{"--length: '" + length + "' is not max, pow2 or a number of points"};
    const bool divide = args.Has("divide-by-n");
    platform.Expect<CTransOpt>([length, divide](CTransOpt& d) {
        if (length == "max")
            d.SimulateClick(CTransOpt::IDC_MAXIMUM);
        else if (length == "pow2")
            d.SimulateClick(CTransOpt::IDC_MAX_POWER_OF_TWO);
        else {
            d.SimulateClick(CTransOpt::IDC_CHOSEN_LENGTH);
            d.SimulateText(CTransOpt::IDC_LENGTH, length);
        }
        if (d.IsDlgButtonChecked(CTransOpt::IDC_SHOW_OPTIONS)) d.SimulateClick(CTransOpt::IDC_SHOW_OPTIONS);
        if ((d.IsDlgButtonChecked(CTransOpt::IDC_DIVIDE_BY_N) != 0) != divide) d.SimulateClick(CTransOpt::IDC_DIVIDE_BY_N);
        d.SimulateClick(IDOK);
    });
    RunDialog(options);
    // The transform shows the dialog again when the data is too short for
    // the length: that is the data's failure, not the options'.
    platform.ForgetAnswered(options);
}

void SetDecibelReference(CCliDoc& doc, CCliPlatform& platform, const CCliArgs& args) {
    if (!args.Has("ref") && !args.Has("real-sine") && !args.Has("min-db")) return;
    const std::string text = args.Text("ref", "dbc");
    const auto [name, refValue] = SplitOptionValue(text);
    const std::string value = refValue;
    int32_t type = -1;
    double number;
    if (name == "dbc" && value.empty())
        type = 0;
    else if (name == "dbm" && value.empty())
        type = 1;
    else if (name == "volts" && ParseReal(value, number))
        type = 2;
    else if (name == "dbfs" && ParseReal(value, number))
        type = 3;
    else
        throw CUsageError{"--ref: '" + text + "' is not dbc, dbm, volts:V or dbfs:FS"};
    auto minDb = args.Value("min-db");
    if (minDb) args.Real("min-db");
    const bool realSine = args.Has("real-sine");
    platform.Expect<CRefDlg>([type, value, minDb, realSine](CRefDlg& d) {
        d.SimulateClick(CRefDlg::IDC_REF_PEAK + type);
        if (type == 2) d.SimulateText(CRefDlg::IDC_VOLTS, value);
        if (type == 3) d.SimulateText(CRefDlg::IDC_FULLSCALE, value);
        if (minDb) d.SimulateText(CRefDlg::IDC_MIN_DB, *minDb);
        d.SimulateClick(realSine ? CRefDlg::IDC_WAVE_REAL : CRefDlg::IDC_WAVE_DC);
        d.SimulateClick(IDOK);
    });
    doc.OnDecibels();
}

bool ReadTime(CCliDoc& doc, CCliPlatform& platform, const CCliArgs& args, bool removeDc) {
    std::vector<int32_t> formats;
    const CFilesAnswer read = ReadAnswerFromArgs(args, AbsolutePath(args.Positionals()[0]), formats);
    ExpectDataFiles(platform, read, CFormatOptions{});
    doc.m_ProcDlg.m_bProcRemoveDc = removeDc ? 1 : 0;
    if (removeDc) platform.AnswerQuestion(LoadString(IDS_ASK_REMOVE_DC), true);
    doc.RunOperation(OP_READ_TIME);
    doc.m_ProcDlg.m_bProcRemoveDc = 0;
    return !doc.m_bReadFailed;
}

bool WindowAndTransform(CCliDoc& doc, CSpectrumOptions& options, CCliPlatform& platform,
                        const CWindowChoice& window) {
    if (window.m_nType != 0) {
        ExpectWindow(platform, window);
        WindowTimeData(doc.m_TimeData, options.m_WndDlg);
        if (platform.Refused()) return false;
    }
    if (!RunTransform(options.m_TransOpt, doc.m_TimeData, doc.m_FreqData)) return false;
    doc.UpdateDbReference();
    doc.m_FreqData.m_strName = doc.m_TimeData.m_strName;
    return !doc.m_FreqData.IsEmpty();
}

bool TransformToTime(CCliDoc& doc, CSpectrumOptions& options) {
    if (!RunTransform(options.m_TransOpt, doc.m_FreqData, doc.m_TimeData)) return false;
    doc.m_TimeData.m_strName = doc.m_FreqData.m_strName;
    return !doc.m_TimeData.IsEmpty();
}

}  // namespace kv
