#include "cli/ProjectCommands.h"

#include <cstdio>
#include <string>

#include "app/AnalysisCommands.h"
#include "app/CKalvoraDoc.h"
#include "cli/CCliDoc.h"
#include "cli/CCliPlatform.h"
#include "cli/CliAnswers.h"
#include "formats/FormatCatalogue.h"
#include "platform/CMemFile.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

const char* OnOff(int32_t flag) { return flag ? "on" : "off"; }

void PrintData(const char* what, const CKalvoData& data) {
    std::printf("%s: %d points, %s", what, data.GetCount(), data.IsReal() ? "real" : "complex");
    if (data.GetCount() > 0) {
        auto [from, to] = data.GetRangeValues();
        std::printf(", working range %d to %d (%.15g to %.15g %s)", data.m_nStart, data.m_nStop, from, to,
                    data.GetUnitName().c_str());
    }
    if (data.m_nWindow != -1) std::printf(", window type %d applied", data.m_nWindow);
    std::printf("\n");
}

std::string FormatDescription(const CDataFormat& format) {
    std::string text = format.m_nFormat == FMT_NONE ? std::string("none") : FormatName(format.m_nFormat);
    if (text.empty()) text = "unknown (" + std::to_string(format.m_nFormat) + ")";
    switch (format.m_nFormat) {
        case FMT_TEXT_FRACT:
        case FMT_TEXT_HEX:
        case FMT_TEXT_BINARY: text += ", " + std::to_string(format.m_FixedPoint.m_nBits) + " bits"; break;
        case FMT_BINARY_WAVE:
        case FMT_WAVE_8:
        case FMT_WAVE_16: {
            static const char* rates[] = {"11025", "22050", "44100"};
            const int32_t rate = format.m_WavFmt.m_nRateChoice;
            text += std::string(", ") + (format.m_WavFmt.m_nSizeChoice == 0 ? "8" : "16") + " bits, " +
                    (rate >= 0 && rate <= 2 ? rates[rate] : "22050") + " Hz";
            break;
        }
        case FMT_TEXT_C:
            text += ", name \"" + format.m_OptionsC.m_strName + "\", type \"" + format.m_OptionsC.m_strType +
                    "\", suffix \"" + format.m_OptionsC.m_strSuffix + "\"";
            break;
        case FMT_ASM_TI: text += ", name \"" + format.m_AsmOpts.m_strName + "\""; break;
        default: break;
    }
    return text;
}

void PrintFiles(const char* what, const CDataFiles& files) {
    static const char* modes[] = {"none", "forward", "reverse"};
    const int32_t mode = files.m_nInterleave;
    std::printf("%s files:\n", what);
    std::printf("  file: \"%s\" (%s)%s\n", files.m_strPath.c_str(), FormatDescription(files.m_Format).c_str(),
                files.m_bComplex ? ", complex" : "");
    std::printf("  quadrature file: \"%s\" (%s)\n", files.m_strQPath.c_str(),
                FormatDescription(files.m_QFormat).c_str());
    std::printf("  interleaving: %s, factor %d\n", mode >= 0 && mode <= 2 ? modes[mode] : "unknown",
                files.m_nFactor);
}

void PrintProcessing(const CProcDlg& p) {
    const struct {
        const char* name;
        int32_t flag;
    } steps[] = {{"Remove DC", p.m_bProcRemoveDc},
                 {"Rectify", p.m_bProcRectify},
                 {"Zero-pad", p.m_bProcZeroPad},
                 {"Scale", p.m_bProcScale},
                 {"Mix", p.m_bProcMix},
                 {"Filter", p.m_bProcFilter},
                 {"Window", p.m_bProcWindow},
                 {"Transform to Frequency", p.m_bProcToFreq},
                 {"Transform to Time", p.m_bProcToTime},
                 {"Show Frequency Statistics", p.m_bProcFreqStats},
                 {"Show Frequency List", p.m_bProcFreqList},
                 {"Write List", p.m_bProcWriteList}};
    std::string on;
    for (const auto& s : steps)
        if (s.flag) on += (on.empty() ? "" : ", ") + std::string(s.name);
    std::printf("Automatic processing: %s\n", on.empty() ? "none" : on.c_str());
    std::printf("Write modified data on close: Time Data %s, Frequency Data %s\n", OnOff(p.m_bWriteTimeOnClose),
                OnOff(p.m_bWriteFreqOnClose));
}

void PrintProject(const CCliDoc& doc, const std::string& path) {
    std::printf("Project: %s\n", path.c_str());
    if (doc.m_nFileVersion < 0)
        std::printf("Version: none (an empty file opens as a new project)\n");
    else
        std::printf("Version: %d\n", doc.m_nFileVersion);
    std::printf("Sampling frequency: %.15g %s (time unit %s)\n", doc.m_Fs.m_dValue, doc.m_Fs.GetFreqUnitName().c_str(),
                doc.m_Fs.GetTimeUnitName().c_str());
    PrintData("Time Data", doc.m_TimeData);
    PrintData("Frequency Data", doc.m_FreqData);
    PrintFiles("Time Data", doc.m_TimeFiles);
    PrintFiles("Frequency Data", doc.m_FreqFiles);
    PrintProcessing(doc.m_ProcDlg);
    const CRefDlg& ref = doc.m_RefDlg;
    std::printf("Decibel reference: %s", ref.DbLabel().c_str());
    if (ref.m_nRefType == 2) std::printf(" (%g volts)", static_cast<double>(ref.m_fVolts));
    if (ref.m_nRefType == 3) std::printf(" (full scale %g)", static_cast<double>(ref.m_fFullScale));
    std::printf(", minimum %g dB, %s reference waveform\n", static_cast<double>(ref.m_fMinDb),
                ref.m_nRefWaveform == 1 ? "real sine" : "DC or complex");
    static const char* waveforms[] = {"sine", "square", "triangle", "sawtooth"};
    const CGenerate& g = doc.m_Generate;
    std::printf("Waveform generator: %s, %d samples, ", g.m_nWaveform >= 0 && g.m_nWaveform <= 3 ? waveforms[g.m_nWaveform] : "sine",
                g.m_nSamples);
    if (g.m_nRateType == 1)
        std::printf("%g cycles", static_cast<double>(g.m_fCycles));
    else
        std::printf("frequency %g", static_cast<double>(g.m_fFrequency));
    std::printf(", phase %.15g degrees, %s\n", g.m_dPhase, g.m_bComplex ? "complex" : "real");
    std::printf("Scale: %.15g%s\n", doc.m_ScaleDlg.m_dScale, doc.m_ScaleDlg.m_bDb ? " dB" : "");
    std::printf("Zero-stuff/zero-pad: stuff %d, prepend %d, append %d, scale sampling frequency %s\n",
                doc.m_ZeroPad.m_nStuff, doc.m_ZeroPad.m_nPrepend, doc.m_ZeroPad.m_nAppend,
                OnOff(doc.m_ZeroPad.m_bScaleFs));
    std::printf("Frequency list length: %d\n", doc.m_nListLength);
    static const char* quantization[] = {"round", "truncate", "none"};
    static const char* modulations[] = {"CW", "AM", "FM", "LSB", "USB", "none (noise only)"};
    static const char* noises[] = {"no noise", "Gaussian", "uniform"};
    const int32_t q = doc.m_Samp.m_nQuantization;
    const int32_t m = doc.m_ModParm.m_nModulation;
    const int32_t n = doc.m_Noise.m_nNoiseType;
    std::printf("Signal generator: %u samples, scale %g, quantization %s, saturation %g\n", doc.m_Samp.m_nSampleCount,
                static_cast<double>(doc.m_Samp.m_fScale), q >= 0 && q <= 2 ? quantization[q] : "unknown",
                static_cast<double>(doc.m_Samp.m_fSaturation));
    std::printf("  modulation %s, carrier %g at %g degrees, %g %% AM, FM deviation %g\n",
                m >= 0 && m <= 5 ? modulations[m] : "unknown", static_cast<double>(doc.m_ModParm.m_fCarrierFrequency),
                static_cast<double>(doc.m_ModParm.m_fCarrierPhase), static_cast<double>(doc.m_ModParm.m_fPercentMod),
                static_cast<double>(doc.m_ModParm.m_fDeviation));
    std::printf("  noise %s at %g dBc\n", n >= 0 && n <= 2 ? noises[n] : "unknown",
                static_cast<double>(doc.m_Noise.m_fNoiseLevel));
}

// Opens a project file into the document; false (with the program's
// message shown) when it cannot be read.
bool OpenProjectFile(CCliDoc& doc, const std::string& path) {
    CheckInputFile(path);
    bool opened = false;
    RunGuarded([&] { opened = doc.OpenProject(path); });
    return opened;
}

int RunProjectInfo(const CCliArgs& args, CCliPlatform&) {
    args.RequirePositionals(1, 1, "the project file");
    const std::string path = AbsolutePath(args.Positionals()[0]);
    CCliDoc doc;
    if (!OpenProjectFile(doc, path)) return CLI_FAILED;
    PrintProject(doc, path);
    return CLI_OK;
}

// Prints the frequency list as the list window shows it.
void PrintFrequencyList(CFreqStats& stats) {
    CMemFile text(1024);
    if (!stats.WriteFrequencyList(text)) return;
    std::string list(reinterpret_cast<const char*>(text.Data()), static_cast<size_t>(text.GetLength()));
    std::string shown;
    for (char c : list)
        if (c != '\r') shown += c;
    std::fputs(shown.c_str(), stdout);
}

// Writes Time or Frequency Data through the project's Data Files state,
// with the file named on the command line.
bool WriteProjectData(CCliDoc& doc, CCliPlatform& platform, bool time, const CCliArgs& args,
                      const std::string& path, const std::string& qOption) {
    CFilesAnswer answer;
    answer.m_strPath = AbsolutePath(path);
    if (auto q = args.Value(qOption)) {
        answer.m_bComplex = false;
        answer.m_strQPath = AbsolutePath(*q);
    } else {
        answer.m_bComplex = true;
    }
    const CDataFiles& files = time ? doc.m_TimeFiles : doc.m_FreqFiles;
    answer.m_nInterleave = files.m_nInterleave;
    answer.m_strFactor = std::to_string(files.m_nFactor);
    ExpectDataFiles(platform, answer, CFormatOptions{});
    doc.m_bWritten = false;
    if (time)
        doc.WriteTimeData();
    else
        doc.WriteFrequencyData();
    return doc.m_bWritten;
}

int RunProjectRun(const CCliArgs& args, CCliPlatform& platform) {
    args.RequirePositionals(2, 2, "the project file and the IN file");
    const std::string projectPath = AbsolutePath(args.Positionals()[0]);
    const std::string in = AbsolutePath(args.Positionals()[1]);
    CheckInputFile(in);
    const auto save = args.Value("save");
    const auto writeTime = args.Value("write-time");
    const auto writeFreq = args.Value("write-freq");
    const auto list = args.Value("list");
    const auto filter = args.Value("filter");
    if (args.Has("q-time-out") && !writeTime) throw CUsageError{"--q-time-out needs --write-time"};
    if (args.Has("q-freq-out") && !writeFreq) throw CUsageError{"--q-freq-out needs --write-freq"};

    CCliDoc doc;
    if (!OpenProjectFile(doc, projectPath)) return CLI_FAILED;

    // Every dialog of the chain is answered with the option set the project
    // stores; the questions of the steps that the project's automatic
    // processing asks for are answered Yes.
    platform.SetAcceptUnexpected(true);
    platform.AnswerQuestion(LoadString(IDS_ASK_REMOVE_DC), true);
    platform.AnswerQuestion(LoadString(IDS_ASK_RECTIFY), true);
    if (filter) {
        CheckInputFile(AbsolutePath(*filter));
        platform.ExpectOpenFile(AbsolutePath(*filter));
    } else if (doc.m_ProcDlg.m_bProcFilter) {
        std::fprintf(stderr, "kalvora-cli: warning: the project filters its Time Data, but no --filter FILE "
                             "is given: the filter step does nothing\n");
    }
    if (list) platform.ExpectSaveFile(AbsolutePath(*list));

    CFilesAnswer read;
    read.m_strPath = in;
    if (auto q = args.Value("q-in")) {
        read.m_bComplex = false;
        read.m_strQPath = AbsolutePath(*q);
        CheckInputFile(read.m_strQPath);
    } else if (args.Has("complex")) {
        read.m_bComplex = true;
    }
    ExpectDataFiles(platform, read, CFormatOptions{});
    doc.RunOperation(OP_READ_TIME);
    if (doc.m_bReadFailed) return CommandStatus(platform, false, false);
    bool ok = !platform.Refused();

    if (doc.m_ProcDlg.m_bProcFreqList && !doc.m_FreqData.IsEmpty()) RunGuarded([&] { PrintFrequencyList(doc.m_FreqStats); });
    if (list && platform.PendingSaveFiles() > 0) {
        // The chain did not write the list: write it now.
        if (doc.m_FreqData.IsEmpty()) {
            std::fprintf(stderr, "kalvora-cli: error: the project made no Frequency Data: no list for \"%s\"\n",
                         list->c_str());
            ok = false;
        } else if (!WriteFrequencyListFile(doc.m_FreqStats)) {
            ok = false;
        }
    }
    if (writeTime && !WriteProjectData(doc, platform, true, args, *writeTime, "q-time-out")) ok = false;
    if (writeFreq) {
        if (doc.m_FreqData.IsEmpty()) {
            std::fprintf(stderr, "kalvora-cli: error: the project made no Frequency Data: nothing written to \"%s\"\n",
                         writeFreq->c_str());
            ok = false;
        } else if (!WriteProjectData(doc, platform, false, args, *writeFreq, "q-freq-out")) {
            ok = false;
        }
    }
    if (save && !doc.SaveProject(AbsolutePath(*save))) ok = false;
    return CommandStatus(platform, ok, false);
}

}  // namespace

const CCliCommand& ProjectInfoCommand() {
    static const CCliCommand command{
        "project info", "describe a project file",
        "Usage: kalvora-cli project info P.kvp\n"
        "\n"
        "Prints the project file's version, sampling frequency and units, the point counts and\n"
        "working ranges of its Time and Frequency Data, its Data Files states and its option sets.\n"
        "\n"
        "Example:\n"
        "  kalvora-cli project info bench.kvp\n",
        {}, RunProjectInfo};
    return command;
}

const CCliCommand& ProjectRunCommand() {
    static const CCliCommand command{
        "project run", "run a project's automatic processing on a file",
        "Usage: kalvora-cli project run P.kvp IN [options]\n"
        "\n"
        "Reads IN as the project's Time Data, with the project's Data Files state (its format,\n"
        "options and \"Complex\" box), and runs the project's automatic processing chain: the\n"
        "batch form of Read Time Data. Every dialog of the chain is answered with the option set\n"
        "the project stores, and the Remove DC and Rectify questions with Yes. Frequency\n"
        "statistics and the frequency list that the project shows are printed.\n"
        "\n"
        "  --complex          read IN as complex records even if the project does not\n"
        "  --q-in FILE        read the Quadrature values from a separate file\n"
        "  --filter FILE      the FIR filter file of the project's Filter step\n"
        "  --list FILE        write the frequency list file (the project's list step, or after\n"
        "                     the run)\n"
        "  --write-time FILE  write the Time Data in the project's Time Data format; complex data\n"
        "                     as one complex file unless --q-time-out FILE is given\n"
        "  --write-freq FILE  write the Frequency Data likewise (--q-freq-out FILE)\n"
        "  --save OUT.kvp     save the project with its new data\n"
        "  --yes              answer Yes to the other questions\n"
        "\n"
        "Example:\n"
        "  for f in captures/*.txt; do\n"
        "    kalvora-cli project run sfdr.kvp \"$f\" --list \"${f%.txt}.lst\"\n"
        "  done\n",
        {{"complex", false},
         {"q-in", true},
         {"filter", true},
         {"list", true},
         {"write-time", true},
         {"q-time-out", true},
         {"write-freq", true},
         {"q-freq-out", true},
         {"save", true}},
        RunProjectRun};
    return command;
}

}  // namespace kv
