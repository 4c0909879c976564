#include "cli/StatsCommands.h"

#include <cstdio>

#include "analysis/CDsStats.h"
#include "analysis/CFStatDlg.h"
#include "analysis/CFreqStats.h"
#include "app/AnalysisCommands.h"
#include "app/CKalvoraDoc.h"
#include "app/CListLength.h"
#include "cli/CCliDoc.h"
#include "cli/CCliPlatform.h"
#include "cli/CliAnswers.h"
#include "cli/FrequencySteps.h"
#include "data/CRefDlg.h"
#include "dsp/CTransOpt.h"
#include "dsp/CWndDlg.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

void PrintJson(const CDsStats& time, const CKalvoData& freq, const FreqStatResults& r) {
    std::printf("{\"time\": {\"minimum\": %s, \"maximum\": %s, \"inphase_mean\": %s, \"quadrature_mean\": %s, "
                "\"magnitude_rms\": %s}, ",
                JsonNumber(time.m_dMinimum).c_str(), JsonNumber(time.m_dMaximum).c_str(),
                JsonNumber(time.m_dInphaseMean).c_str(), JsonNumber(time.m_dQuadratureMean).c_str(),
                JsonNumber(time.m_dMagnitudeRms).c_str());
    std::printf("\"frequency\": {\"points\": %d, \"unit\": %s, \"db_label\": %s, \"fundamental_frequency\": %s, "
                "\"fundamental_power\": %s, \"dc_power\": %s, \"distortion_power\": %s, \"noise_power\": %s, "
                "\"total_power\": %s, \"sfdr\": %s, \"sinad\": %s, \"snr\": %s}}\n",
                freq.GetCount(), JsonString(freq.GetUnitName()).c_str(), JsonString(freq.m_strDbLabel).c_str(),
                JsonNumber(r.m_dFundamentalFrequency).c_str(), JsonNumber(r.m_dFundamentalPower).c_str(),
                JsonNumber(r.m_dDcPower).c_str(), JsonNumber(r.m_dDistortionPower).c_str(),
                JsonNumber(r.m_dNoisePower).c_str(), JsonNumber(r.m_dTotalPower).c_str(), JsonNumber(r.m_dSfdr).c_str(),
                JsonNumber(r.m_dSinad).c_str(), JsonNumber(r.m_dSnr).c_str());
}

void PrintText(CDsStats& time, const CKalvoData& freq, const FreqStatResults& r) {
    time.EnsureControls();
    time.UpdateData(false);
    CCliPlatform::PrintReport(time, stdout);
    std::printf("\n");
    CFStatDlg dialog;
    dialog.Fill(r, freq.m_strDbLabel);
    dialog.EnsureControls();
    dialog.UpdateData(false);
    CCliPlatform::PrintReport(dialog, stdout);
    std::printf("  %-17s %d (frequencies in %s)\n", "Points:", freq.GetCount(), freq.GetUnitName().c_str());
}

int RunStats(const CCliArgs& args, CCliPlatform& platform) {
    args.RequirePositionals(1, 1, "the IN file");
    const CWindowChoice window = ParseWindow(args);
    const auto list = args.Value("list");
    const auto listLength = args.Value("list-length");
    if (listLength) args.Int("list-length", INT32_MIN, INT32_MAX);
    const bool json = args.Has("json");

    CCliDoc doc;
    CSpectrumOptions spectrum;
    doc.SetTitle(FileStem(args.Positionals()[0]));
    ApplySamplingFrequency(doc, platform, args);
    SetDecibelReference(doc, platform, args);
    if (listLength) {
        const std::string entries = *listLength;
        platform.Expect<CListLength>([entries](CListLength& d) {
            d.SimulateText(CListLength::IDC_LIST_ENTRIES, entries);
            d.SimulateClick(IDOK);
        });
        doc.OnListLength();
    }
    SetTransformOptions(spectrum.m_TransOpt, platform, args);
    if (platform.Refused()) return CLI_USAGE;

    if (!ReadTime(doc, platform, args, args.Has("remove-dc"))) return CommandStatus(platform, false);
    // A WAVE file sets the sampling frequency; the one given wins.
    ApplySamplingFrequency(doc, platform, args);
    CDsStats time;
    time.Compute(doc.m_TimeData);

    if (!WindowAndTransform(doc, spectrum, platform, window)) return CommandStatus(platform, false);
    doc.UpdateDbReference();
    const FreqStatResults results = doc.m_FreqStats.ComputeFrequencyStatistics();
    if (json)
        PrintJson(time, doc.m_FreqData, results);
    else
        PrintText(time, doc.m_FreqData, results);
    std::fflush(stdout);

    if (list) {
        platform.ExpectSaveFile(AbsolutePath(*list));
        if (!WriteFrequencyListFile(doc.m_FreqStats)) return CommandStatus(platform, false);
    }
    return CommandStatus(platform, true);
}

int RunTransform(const CCliArgs& args, CCliPlatform& platform) {
    args.RequirePositionals(2, 2, "IN and OUT files");
    const bool inverse = args.Has("inverse");
    const CWindowChoice window = ParseWindow(args);
    if (inverse && window.m_nType != 0) throw CUsageError{"--window applies to a transform to frequency"};
    const std::string out = AbsolutePath(args.Positionals()[1]);
    std::vector<int32_t> readFormats, writtenFormats;
    const CFilesAnswer read = ReadAnswerFromArgs(args, AbsolutePath(args.Positionals()[0]), readFormats);
    const CFilesAnswer write = WriteAnswerFromArgs(args, out, writtenFormats);
    const CFormatOptions options = FormatOptionsFromArgs(args);
    CheckFormatOptionsUsed(options, readFormats, writtenFormats);

    CCliDoc doc;
    CSpectrumOptions spectrum;
    doc.SetTitle(FileStem(out));
    ApplySamplingFrequency(doc, platform, args);
    SetTransformOptions(spectrum.m_TransOpt, platform, args);
    if (platform.Refused()) return CLI_USAGE;

    ExpectDataFiles(platform, read, options);
    if (inverse) {
        doc.RunOperation(OP_READ_FREQ);
        if (doc.m_FreqData.IsEmpty()) return CommandStatus(platform, false);
        if (!TransformToTime(doc, spectrum)) return CommandStatus(platform, false);
        ExpectDataFiles(platform, write, options);
        doc.WriteTimeData();
    } else {
        doc.RunOperation(OP_READ_TIME);
        if (doc.m_bReadFailed) return CommandStatus(platform, false);
        if (!WindowAndTransform(doc, spectrum, platform, window)) return CommandStatus(platform, false);
        ExpectDataFiles(platform, write, options);
        doc.WriteFrequencyData();
    }
    return CommandStatus(platform, doc.m_bWritten);
}

std::vector<COptionDef> StatsOptions() {
    std::vector<COptionDef> options = {{"remove-dc", false}, {"window", true},      {"length", true},
                                        {"ref", true},        {"real-sine", false},  {"min-db", true},
                                        {"fs", true},         {"units", true},       {"list", true},
                                        {"list-length", true}, {"json", false}};
    AddReadOptions(options);
    return options;
}

std::vector<COptionDef> TransformOptions() {
    std::vector<COptionDef> options = {{"inverse", false}, {"window", true}, {"length", true},
                                        {"divide-by-n", false}, {"fs", true}, {"units", true}};
    AddReadOptions(options);
    AddWriteOptions(options);
    AddFormatOptions(options);
    return options;
}

}  // namespace

const CCliCommand& StatsCommand() {
    static const CCliCommand command{
        "stats", "time and frequency statistics of a signal file",
        "Usage: kalvora-cli stats [options] IN\n"
        "\n"
        "Reads IN as Time Data, takes its time statistics, then windows it, transforms it to\n"
        "frequency and prints the frequency statistics (fundamental, powers, SFDR, SINAD, SNR) as\n"
        "the program's statistics dialogs show them.\n"
        "\n"
        "  --from NAME, --complex, --q-in FILE, --q-from NAME   how IN is read (as for convert)\n"
        "  --remove-dc        remove DC from the Time Data first (the time statistics are taken\n"
        "                     after it, before the window)\n"
        "  --window none|dolph:GAMMA|kaiser:ALPHA|bh4|bh7|hanning|gaussian|hamming\n"
        "                     window of the transform (default none)\n"
        "  --length max|pow2|N   points transformed (default max: the whole data)\n"
        "  --ref dbc|dbm|volts:V|dbfs:FS   decibel reference (default dbc)\n"
        "  --real-sine        the reference waveform is a real sine\n"
        "  --min-db X         smallest decibel value shown (default -130)\n"
        "  --fs VALUE, --units Hz|kHz|MHz|GHz   sampling frequency (default 1 Hz; a WAVE file\n"
        "                     gives its own rate unless --fs is given)\n"
        "  --list FILE        write the frequency list file\n"
        "  --list-length N    entries of the frequency list (1 to 100, default 50)\n"
        "  --json             print one JSON object instead of text:\n"
        "                     {\"time\": {\"minimum\", \"maximum\", \"inphase_mean\", \"quadrature_mean\",\n"
        "                     \"magnitude_rms\"}, \"frequency\": {\"points\", \"unit\", \"db_label\",\n"
        "                     \"fundamental_frequency\", \"fundamental_power\", \"dc_power\",\n"
        "                     \"distortion_power\", \"noise_power\", \"total_power\", \"sfdr\", \"sinad\",\n"
        "                     \"snr\"}}; numbers read back to the same double, and a value that is\n"
        "                     not finite (an SNR without noise, for example) is null\n"
        "\n"
        "Examples:\n"
        "  kalvora-cli stats --complex --window bh7 --fs 100 --units MHz capture.txt\n"
        "  for f in captures/*.wav; do\n"
        "    kalvora-cli stats --from Binary:Wave --window dolph:120 --json \"$f\"\n"
        "  done > sfdr.jsonl\n",
        StatsOptions(), RunStats};
    return command;
}

const CCliCommand& TransformCommand() {
    static const CCliCommand command{
        "transform", "transform Time Data to Frequency Data, or back",
        "Usage: kalvora-cli transform [options] IN OUT\n"
        "\n"
        "Reads IN as Time Data, windows it and transforms it to Frequency Data, which is written\n"
        "to OUT (bins in transform order: DC, the positive, then the negative frequencies). With\n"
        "--inverse, reads IN as Frequency Data and writes the Time Data of the transform to time.\n"
        "The result is complex: it is written as one complex file unless --q-out FILE is given.\n"
        "\n"
        "  --inverse          Frequency Data to Time Data\n"
        "  --window ...       as for stats (transform to frequency only)\n"
        "  --length max|pow2|N   points of the Time Data transformed (default max)\n"
        "  --divide-by-n      divide the transform to time by N instead of the transform to\n"
        "                     frequency\n"
        "  --fs VALUE, --units Hz|kHz|MHz|GHz   sampling frequency\n"
        "  and the read, write and format options of \"kalvora-cli convert --help\".\n"
        "\n"
        "Examples:\n"
        "  kalvora-cli transform --complex --window hanning capture.txt spectrum.txt\n"
        "  kalvora-cli transform --inverse --complex spectrum.txt back.txt\n",
        TransformOptions(), RunTransform};
    return command;
}

}  // namespace kv
