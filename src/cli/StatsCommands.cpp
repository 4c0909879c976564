#include "cli/StatsCommands.h"

#include <cstdio>

#include "analysis/CConverterMetrics.h"
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
#include "data/CNonFinite.h"
#include "data/CRefDlg.h"
#include "dsp/CTransOpt.h"
#include "dsp/CWindowProfile.h"
#include "dsp/CWndDlg.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

// The "converter" object: null when the metrics could not be taken.
std::string ConverterJson(const ConverterResults& c) {
    if (!c.m_bValid) return "null";
    std::string harmonics;
    for (const ConverterHarmonic& h : c.m_Harmonics) {
        if (!harmonics.empty()) harmonics += ", ";
        harmonics += "{\"order\": " + std::to_string(h.m_nOrder) + ", \"frequency\": " + JsonNumber(h.m_dFrequency) +
                     ", \"dbc\": " + JsonNumber(h.m_dDbc) + "}";
    }
    return "{\"fundamental_frequency\": " + JsonNumber(c.m_dFundamentalFrequency) +
           ", \"signal_dbfs\": " + JsonNumber(c.m_dSignalDbfs) + ", \"snr\": " + JsonNumber(c.m_dSnr) +
           ", \"sinad\": " + JsonNumber(c.m_dSinad) + ", \"thd\": " + JsonNumber(c.m_dThd) +
           ", \"sfdr\": " + JsonNumber(c.m_dSfdr) + ", \"sfdr_frequency\": " + JsonNumber(c.m_dSfdrFrequency) +
           ", \"enob\": " + JsonNumber(c.m_dEnob) + ", \"noise_floor_dbfs\": " + JsonNumber(c.m_dNoiseFloorDbfs) +
           ", \"nsd_dbfs_per_hz\": " + JsonNumber(c.m_dNsdDbfsPerHz) +
           ", \"span_bins\": " + std::to_string(c.m_nSpanBins) + ", \"harmonics\": [" + harmonics + "]}";
}

void PrintJson(const CDsStats& time, const CKalvoData& freq, const FreqStatResults& r,
               const ConverterResults& converter) {
    std::printf("{\"time\": {\"minimum\": %s, \"maximum\": %s, \"inphase_mean\": %s, \"quadrature_mean\": %s, "
                "\"magnitude_rms\": %s}, ",
                JsonNumber(time.m_dMinimum).c_str(), JsonNumber(time.m_dMaximum).c_str(),
                JsonNumber(time.m_dInphaseMean).c_str(), JsonNumber(time.m_dQuadratureMean).c_str(),
                JsonNumber(time.m_dMagnitudeRms).c_str());
    std::printf("\"frequency\": {\"points\": %d, \"unit\": %s, \"db_label\": %s, \"fundamental_frequency\": %s, "
                "\"fundamental_power\": %s, \"dc_power\": %s, \"distortion_power\": %s, \"noise_power\": %s, "
                "\"total_power\": %s, \"sfdr\": %s, \"sinad\": %s, \"snr\": %s}, \"converter\": %s}\n",
                freq.GetCount(), JsonString(freq.GetUnitName()).c_str(), JsonString(freq.m_strDbLabel).c_str(),
                JsonNumber(r.m_dFundamentalFrequency).c_str(), JsonNumber(r.m_dFundamentalPower).c_str(),
                JsonNumber(r.m_dDcPower).c_str(), JsonNumber(r.m_dDistortionPower).c_str(),
                JsonNumber(r.m_dNoisePower).c_str(), JsonNumber(r.m_dTotalPower).c_str(), JsonNumber(r.m_dSfdr).c_str(),
                JsonNumber(r.m_dSinad).c_str(), JsonNumber(r.m_dSnr).c_str(), ConverterJson(converter).c_str());
}

void PrintText(CDsStats& time, const CKalvoData& freq, const FreqStatResults& r, const ConverterResults& converter) {
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
    std::printf("\n%s", CConverterMetrics::FormatText(converter).c_str());
}

// --full-scale A, --harmonics H and --span-bins K.
ConverterOptions ConverterOptionsFromArgs(const CCliArgs& args) {
    ConverterOptions options;
    if (const auto fullScale = args.Real("full-scale")) {
        if (!(*fullScale > 0.0)) throw CUsageError{"--full-scale: the full-scale amplitude must be above 0"};
        options.m_dFullScale = *fullScale;
    }
    if (const auto harmonics = args.Int("harmonics", 1, ConverterOptions::kMaxHarmonics))
        options.m_nHarmonics = static_cast<int32_t>(*harmonics);
    if (const auto span = args.Int("span-bins", 0, ConverterOptions::kMaxSpanBins))
        options.m_nSpanBins = static_cast<int32_t>(*span);
    return options;
}

int RunStats(const CCliArgs& args, CCliPlatform& platform) {
    args.RequirePositionals(1, 1, "the IN file");
    const CWindowChoice window = ParseWindow(args);
    const auto list = args.Value("list");
    const auto listLength = args.Value("list-length");
    if (listLength) args.Int("list-length", INT32_MIN, INT32_MAX);
    const bool json = args.Has("json");
    const ConverterOptions converterOptions = ConverterOptionsFromArgs(args);

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
    // Statistics of data that holds NaN or infinite values would be
    // meaningless: say where they are and print none.
    if (const CNonFinite bad = CNonFinite::OfData(doc.m_TimeData); bad.Any()) {
        ErrorBox(bad.Message());
        return CLI_FAILED;
    }
    CDsStats time;
    time.Compute(doc.m_TimeData);

    if (!WindowAndTransform(doc, spectrum, platform, window)) return CommandStatus(platform, false);
    doc.UpdateDbReference();
    const FreqStatResults results = doc.m_FreqStats.ComputeFrequencyStatistics();
    if (!results.m_bFinite) {
        ErrorBox(doc.m_FreqStats.NonFiniteMessage());
        return CLI_FAILED;
    }
    // The window that made the spectrum, with the parameter it was applied
    // with, and the scale of the transform.
    const CKalvoData& freq = doc.m_FreqData;
    const double parameter = freq.m_nWindow == CWndDlg::kDolphChebyshev ? spectrum.m_WndDlg.m_fGamma
                             : freq.m_nWindow == CWndDlg::kKaiserBessel ? spectrum.m_WndDlg.m_fAlpha
                                                                       : 0.0;
    const auto profile = CWindowProfile::Cached(freq.m_nWindow, parameter, freq.GetCount());
    const double binScale = spectrum.m_TransOpt.m_bDivideByN ? 1.0 : 1.0 / freq.GetCount();
    const ConverterResults converter = CConverterMetrics::Compute(freq, *profile, binScale, converterOptions);
    if (!converter.m_bValid) WarningBox(CConverterMetrics::FormatText(converter));
    if (json)
        PrintJson(time, doc.m_FreqData, results, converter);
    else
        PrintText(time, doc.m_FreqData, results, converter);
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
                                        {"list-length", true}, {"json", false},      {"full-scale", true},
                                        {"harmonics", true},   {"span-bins", true}};
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
        "the program's statistics dialogs show them, followed by the converter metrics (IEEE\n"
        "Std 1241 practice: the fundamental and harmonics with the window's main lobe, DC masked;\n"
        "signal in dBFS, SNR, SINAD, THD, SFDR, ENOB, noise floor and density) as the Converter\n"
        "Metrics dialog shows them. Data holding NaN or infinite values gets a message naming how\n"
        "many there are and where the first is, no statistics, and exit status 1.\n"
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
        "  --full-scale A     amplitude of a full-scale sine for the converter metrics (default 1)\n"
        "  --harmonics H      harmonics 2 to H in the converter metrics (1 to 50, default 6)\n"
        "  --span-bins K      bins each side of the fundamental, DC and each harmonic (default 0:\n"
        "                     from the main lobe of the window applied)\n"
        "  --json             print one JSON object instead of text:\n"
        "                     {\"time\": {\"minimum\", \"maximum\", \"inphase_mean\", \"quadrature_mean\",\n"
        "                     \"magnitude_rms\"}, \"frequency\": {\"points\", \"unit\", \"db_label\",\n"
        "                     \"fundamental_frequency\", \"fundamental_power\", \"dc_power\",\n"
        "                     \"distortion_power\", \"noise_power\", \"total_power\", \"sfdr\", \"sinad\",\n"
        "                     \"snr\"}, \"converter\": {\"fundamental_frequency\", \"signal_dbfs\", \"snr\",\n"
        "                     \"sinad\", \"thd\", \"sfdr\", \"sfdr_frequency\", \"enob\",\n"
        "                     \"noise_floor_dbfs\", \"nsd_dbfs_per_hz\", \"span_bins\", \"harmonics\":\n"
        "                     [{\"order\", \"frequency\", \"dbc\"}]}}; numbers read back to the same\n"
        "                     double, and a value that is not finite (an SNR without noise, a\n"
        "                     harmonic below the noise) is null; \"converter\" is null when the\n"
        "                     metrics cannot be taken (the reason goes to standard error)\n"
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
