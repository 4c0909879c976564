#include "cli/GenerateCommands.h"

#include <cstdio>
#include <functional>
#include <optional>

#include "app/CKalvoraDoc.h"
#include "cli/CCliDoc.h"
#include "cli/CCliPlatform.h"
#include "cli/CliAnswers.h"
#include "generate/CAudio.h"
#include "generate/CGenerate.h"
#include "generate/CIFFilter.h"
#include "generate/CModParm.h"
#include "generate/CNoise.h"
#include "generate/CQuadErr.h"
#include "generate/CSamp.h"
#include "platform/CPropertySheetModel.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

int32_t WaveformIndex(const std::string& name) {
    const char* names[] = {"sine", "square", "triangle", "sawtooth"};
    for (int32_t i = 0; i < 4; ++i)
        if (name == names[i]) return i;
    throw CUsageError{"--waveform: '" + name + "' is not sine, square, triangle or sawtooth"};
}

// Writes the project's Time Data to OUT as the command line says.
int WriteTimeData(CCliDoc& doc, CCliPlatform& platform, const CFilesAnswer& write, const CFormatOptions& options) {
    if (doc.m_TimeData.IsEmpty()) {
        std::fprintf(stderr, "kalvora-cli: error: no Time Data was made: nothing is written\n");
        return CommandStatus(platform, false);
    }
    ExpectDataFiles(platform, write, options);
    doc.WriteTimeData();
    return CommandStatus(platform, doc.m_bWritten);
}

int RunGenerate(const CCliArgs& args, CCliPlatform& platform) {
    args.RequirePositionals(1, 1, "the OUT file");
    const std::string out = AbsolutePath(args.Positionals()[0]);
    std::vector<int32_t> writtenFormats;
    const CFilesAnswer write = WriteAnswerFromArgs(args, out, writtenFormats);
    const CFormatOptions options = FormatOptionsFromArgs(args);
    CheckFormatOptionsUsed(options, {}, writtenFormats);

    const int32_t waveform = WaveformIndex(args.Text("waveform", "sine"));
    auto samples = args.Value("samples");
    if (samples) args.Int("samples", 1, INT32_MAX);
    auto cycles = args.Value("cycles");
    auto frequency = args.Value("frequency");
    if (cycles && frequency) throw CUsageError{"give --cycles or --frequency, not both"};
    if (cycles) args.Real("cycles");
    if (frequency) args.Real("frequency");
    auto phase = args.Value("phase");
    if (phase) args.Real("phase");
    const bool real = args.Has("real");

    CCliDoc doc;
    doc.SetTitle(FileStem(out));
    ApplySamplingFrequency(doc, platform, args);
    platform.Expect<CGenerate>([=](CGenerate& d) {
        if (samples) d.SimulateText(CGenerate::IDC_SAMPLES, *samples);
        if (frequency) {
            d.SimulateClick(CGenerate::IDC_RATE_FREQUENCY);
            d.SimulateText(CGenerate::IDC_FREQUENCY, *frequency);
        } else {
            d.SimulateClick(CGenerate::IDC_RATE_CYCLES);
            if (cycles) d.SimulateText(CGenerate::IDC_CYCLES, *cycles);
        }
        if ((d.IsDlgButtonChecked(CGenerate::IDC_COMPLEX) != 0) == real) d.SimulateClick(CGenerate::IDC_COMPLEX);
        if (phase) d.SimulateText(CGenerate::IDC_PHASE, *phase);
        d.SimulateSelect(CGenerate::IDC_WAVEFORM, waveform);
        d.SimulateClick(IDOK);
    });
    doc.RunOperation(OP_GENERATE);
    if (platform.Refused()) return CLI_USAGE;
    return WriteTimeData(doc, platform, write, options);
}

// The index of a name among the choices, or a usage error.
int32_t Choice(const CCliArgs& args, const std::string& option, const std::vector<std::string>& names) {
    const std::string value = args.Text(option, "");
    for (size_t i = 0; i < names.size(); ++i)
        if (value == names[i]) return static_cast<int32_t>(i);
    std::string list;
    for (size_t i = 0; i < names.size(); ++i) list += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    throw CUsageError{"--" + option + ": '" + value + "' is not " + list};
}

// One page's part of the sheet's answer.
struct CPageAnswer {
    int m_nPage;
    std::function<void(CDialogModel&)> m_work;
};

// Text for a field, checked to be a number first so that a mistake is
// reported with the option's name.
std::optional<std::string> NumberText(const CCliArgs& args, const std::string& option) {
    if (args.Has(option)) args.Real(option);
    return args.Value(option);
}

// The "Signal Generator" pages' answers from the command line, in the
// order of the sheet: Sample, Audio, Modulation, IF Filter, IF Errors, Noise.
std::vector<CPageAnswer> SignalPageAnswers(const CCliArgs& args, CCliPlatform& platform) {
    std::vector<CPageAnswer> pages;
    // Sample
    auto samples = args.Value("samples");
    if (samples) args.Int("samples", 1, INT32_MAX);
    auto scale = NumberText(args, "scale");
    auto saturation = NumberText(args, "saturation");
    std::optional<int32_t> quantization;
    if (args.Has("quantization")) quantization = Choice(args, "quantization", {"round", "truncate", "none"});
    if (quantization && *quantization != CSamp::NoQuantization)
        platform.AnswerQuestion(LoadString(IDS_SAMP_ASK_RETAIN), true);
    if (samples || scale || saturation || quantization)
        pages.push_back({0, [=](CDialogModel& d) {
                             if (scale) d.SimulateText(CSamp::IDC_SCALE, *scale);
                             if (samples) d.SimulateText(CSamp::IDC_SAMPLE_COUNT, *samples);
                             if (saturation) d.SimulateText(CSamp::IDC_SATURATION, *saturation);
                             const int radios[] = {CSamp::IDC_ROUND, CSamp::IDC_TRUNCATE, CSamp::IDC_NO_QUANTIZATION};
                             if (quantization) d.SimulateClick(radios[*quantization]);
                         }});
    // Audio
    std::optional<int32_t> audio;
    if (args.Has("audio")) audio = Choice(args, "audio", {"off", "sine", "square", "triangle", "sawtooth"});
    auto audioFrequency = NumberText(args, "audio-frequency");
    auto audioPhase = NumberText(args, "audio-phase");
    auto audioFile = args.Value("audio-file");
    if (audioFile && audio) throw CUsageError{"give --audio or --audio-file, not both"};
    const std::string audioPath = audioFile ? AbsolutePath(*audioFile) : std::string();
    CheckInputFile(audioPath);
    if (audio || audioFrequency || audioPhase || audioFile)
        pages.push_back({1, [=](CDialogModel& d) {
                             const int radios[] = {CAudio::IDC_OFF, CAudio::IDC_SINE, CAudio::IDC_SQUARE,
                                                   CAudio::IDC_TRIANGLE, CAudio::IDC_SAWTOOTH};
                             if (audio) {
                                 d.SimulateClick(radios[*audio]);
                                 d.SimulateClick(CAudio::IDC_GEN_SOURCE);
                             }
                             if (audioFrequency) d.SimulateText(CAudio::IDC_FREQUENCY, *audioFrequency);
                             if (audioPhase) d.SimulateText(CAudio::IDC_PHASE, *audioPhase);
                             if (audioFile) {
                                 d.SimulateClick(CAudio::IDC_FILE_SOURCE);
                                 d.SimulateText(CAudio::IDC_FILE_NAME, audioPath);
                             }
                         }});
    // Modulation
    std::optional<int32_t> modulation;
    if (args.Has("modulation")) modulation = Choice(args, "modulation", {"cw", "am", "fm", "lsb", "usb", "none"});
    auto carrier = NumberText(args, "carrier");
    auto carrierPhase = NumberText(args, "carrier-phase");
    auto percent = NumberText(args, "percent-mod");
    auto deviation = NumberText(args, "deviation");
    if (modulation || carrier || carrierPhase || percent || deviation)
        pages.push_back({2, [=](CDialogModel& d) {
                             const int radios[] = {CModParm::IDC_CW,  CModParm::IDC_AM,  CModParm::IDC_FM,
                                                   CModParm::IDC_LSB, CModParm::IDC_USB, CModParm::IDC_NO_CARRIER};
                             if (modulation) d.SimulateClick(radios[*modulation]);
                             if (carrier) d.SimulateText(CModParm::IDC_CARRIER_FREQUENCY, *carrier);
                             if (carrierPhase) d.SimulateText(CModParm::IDC_CARRIER_PHASE, *carrierPhase);
                             if (percent) d.SimulateText(CModParm::IDC_PERCENT_MOD, *percent);
                             if (deviation) d.SimulateText(CModParm::IDC_DEVIATION, *deviation);
                         }});
    // IF Filter
    auto filterI = args.Value("if-filter-i");
    auto filterQ = args.Value("if-filter-q");
    if (filterI || filterQ) {
        const std::string pathI = filterI ? AbsolutePath(*filterI) : std::string();
        const std::string pathQ = filterQ ? AbsolutePath(*filterQ) : std::string();
        CheckInputFile(pathI);
        CheckInputFile(pathQ);
        pages.push_back({3, [=](CDialogModel& d) {
                             if (filterI) d.SimulateText(CIFFilter::IDC_INPHASE_FILTER, pathI);
                             if (filterQ) d.SimulateText(CIFFilter::IDC_QUADRATURE_FILTER, pathQ);
                         }});
    }
    // IF Errors
    auto dcOffset = args.Value("dc-offset");
    auto quadError = args.Value("quad-error");
    std::pair<std::string, std::string> dc, quad;
    double number;
    if (dcOffset) {
        dc = SplitOptionValue(*dcOffset);
        if (!ParseReal(dc.first, number) || !ParseReal(dc.second, number))
            throw CUsageError{"--dc-offset: '" + *dcOffset + "' is not I:Q in dBc, as in -40:-45"};
    }
    if (quadError) {
        quad = SplitOptionValue(*quadError);
        if (!ParseReal(quad.first, number) || !ParseReal(quad.second, number))
            throw CUsageError{"--quad-error: '" + *quadError + "' is not GAIN_DB:PHASE_DEG, as in 0.1:2"};
    }
    if (dcOffset || quadError)
        pages.push_back({4, [=](CDialogModel& d) {
                             if (dcOffset) {
                                 if (d.IsDlgButtonChecked(CQuadErr::IDC_DISABLE_DC)) d.SimulateClick(CQuadErr::IDC_DISABLE_DC);
                                 d.SimulateText(CQuadErr::IDC_DC_OFFSET_I, dc.first);
                                 d.SimulateText(CQuadErr::IDC_DC_OFFSET_Q, dc.second);
                             }
                             if (quadError) {
                                 if (d.IsDlgButtonChecked(CQuadErr::IDC_DISABLE_QUAD))
                                     d.SimulateClick(CQuadErr::IDC_DISABLE_QUAD);
                                 d.SimulateText(CQuadErr::IDC_Q_AMPLITUDE, quad.first);
                                 d.SimulateText(CQuadErr::IDC_PHASE_ERROR, quad.second);
                             }
                         }});
    // Noise
    auto noise = args.Value("noise");
    std::pair<std::string, std::string> noiseSpec;
    int32_t noiseType = 0;
    if (noise) {
        noiseSpec = SplitOptionValue(*noise);
        if (noiseSpec.first == "none" && noiseSpec.second.empty())
            noiseType = CNoise::NoNoise;
        else if ((noiseSpec.first == "gaussian" || noiseSpec.first == "uniform") && ParseReal(noiseSpec.second, number))
            noiseType = noiseSpec.first == "gaussian" ? CNoise::Gaussian : CNoise::Uniform;
        else
            throw CUsageError{"--noise: '" + *noise + "' is not gaussian:DB, uniform:DB or none"};
    }
    auto seed = args.Value("seed");
    if (seed) args.Int("seed", 0, UINT32_MAX);
    if (noise || seed)
        pages.push_back({5, [=](CDialogModel& d) {
                             const int radios[] = {CNoise::IDC_NO_NOISE, CNoise::IDC_GAUSSIAN, CNoise::IDC_UNIFORM};
                             if (noise) {
                                 d.SimulateClick(radios[noiseType]);
                                 if (noiseType != CNoise::NoNoise) d.SimulateText(CNoise::IDC_LEVEL, noiseSpec.second);
                             }
                             if (seed) d.SimulateText(CNoise::IDC_SEED, *seed);
                         }});
    return pages;
}

int RunSignal(const CCliArgs& args, CCliPlatform& platform) {
    args.RequirePositionals(1, 1, "the OUT file");
    const std::string out = AbsolutePath(args.Positionals()[0]);
    std::vector<int32_t> writtenFormats;
    const CFilesAnswer write = WriteAnswerFromArgs(args, out, writtenFormats);
    const auto am = args.Value("am");
    const auto fm = args.Value("fm");
    std::string demodFormat;
    if (am || fm) {
        demodFormat = CheckFormatName(args.Text("demod-to", "Text:Decimal"), FormatDirection::Write);
        writtenFormats.push_back(FormatIdByName(demodFormat));
    } else if (args.Has("demod-to")) {
        throw CUsageError{"--demod-to needs --am or --fm"};
    }
    const CFormatOptions options = FormatOptionsFromArgs(args);
    CheckFormatOptionsUsed(options, {}, writtenFormats);
    const std::vector<CPageAnswer> pages = SignalPageAnswers(args, platform);

    CCliDoc doc;
    if (auto project = args.Value("project")) {
        bool opened = false;
        const std::string path = AbsolutePath(*project);
        CheckInputFile(path);
        RunGuarded([&] { opened = doc.OpenProject(path); });
        if (!opened) return CLI_FAILED;
    }
    // The files the project's pages name are read as they stand (relative
    // to the project's directory, which opening it made current).
    if (!args.Has("audio-file") && !args.Has("audio") && doc.m_Audio.m_nAudioSource == CAudio::File)
        CheckInputFile(doc.m_Audio.m_strAudioFile);
    if (!args.Has("if-filter-i")) CheckInputFile(doc.m_IFFilter.m_strInphaseFilter);
    if (!args.Has("if-filter-q")) CheckInputFile(doc.m_IFFilter.m_strQuadratureFilter);
    doc.SetTitle(FileStem(out));
    ApplySamplingFrequency(doc, platform, args);

    platform.ExpectSheet([pages](CPropertySheetModel& sheet) {
        for (const CPageAnswer& page : pages) {
            if (!sheet.SetActivePage(page.m_nPage)) return;  // the page left refused its values
            page.m_work(sheet.Page(page.m_nPage));
        }
        sheet.PressOK();
    });
    doc.SignalGeneratorCommand();
    if (platform.Refused()) return CLI_USAGE;
    if (doc.m_TimeData.IsEmpty()) return CommandStatus(platform, false);

    int status = WriteTimeData(doc, platform, write, options);
    if (status != CLI_OK) return status;
    if (am) {
        ExpectWriteColumn(platform, AbsolutePath(*am), demodFormat, options);
        if (!doc.WriteAmData()) return CommandStatus(platform, false);
    }
    if (fm) {
        ExpectWriteColumn(platform, AbsolutePath(*fm), demodFormat, options);
        if (!doc.WriteFmData()) return CommandStatus(platform, false);
    }
    return CLI_OK;
}

std::vector<COptionDef> SignalOptions() {
    std::vector<COptionDef> options = {
        {"project", true},     {"fs", true},          {"units", true},       {"samples", true},
        {"scale", true},       {"quantization", true}, {"saturation", true},  {"audio", true},
        {"audio-frequency", true}, {"audio-phase", true}, {"audio-file", true}, {"modulation", true},
        {"carrier", true},     {"carrier-phase", true}, {"percent-mod", true}, {"deviation", true},
        {"if-filter-i", true}, {"if-filter-q", true}, {"dc-offset", true},   {"quad-error", true},
        {"noise", true},       {"seed", true},        {"am", true},          {"fm", true},
        {"demod-to", true}};
    AddWriteOptions(options);
    AddFormatOptions(options);
    return options;
}

std::vector<COptionDef> GenerateOptions() {
    std::vector<COptionDef> options = {{"waveform", true}, {"samples", true}, {"cycles", true},
                                        {"frequency", true}, {"phase", true},  {"real", false},
                                        {"fs", true},        {"units", true}};
    AddWriteOptions(options);
    AddFormatOptions(options);
    return options;
}

}  // namespace

const CCliCommand& SignalCommand() {
    static const CCliCommand command{
        "signal", "generate a modulated IF test signal",
        "Usage: kalvora-cli signal [options] OUT\n"
        "\n"
        "Runs the program's modulated-signal generator (the \"Signal Generator\" sheet) and writes\n"
        "the Time Data to OUT. The six pages start from their defaults, or from the pages of\n"
        "--project P.kvp (with its sampling frequency); the options below change their fields,\n"
        "and the pages' own checks judge the values.\n"
        "\n"
        "  --project P.kvp    take the pages and the sampling frequency from a project file\n"
        "  --fs VALUE, --units Hz|kHz|MHz|GHz   sampling frequency\n"
        "Sample:      --samples N, --scale C, --quantization round|truncate|none,\n"
        "             --saturation S (0: none)\n"
        "Audio:       --audio off|sine|square|triangle|sawtooth, --audio-frequency F,\n"
        "             --audio-phase DEG, --audio-file FILE (audio read from a text file)\n"
        "Modulation:  --modulation cw|am|fm|lsb|usb|none, --carrier F, --carrier-phase DEG,\n"
        "             --percent-mod P, --deviation D\n"
        "IF Filter:   --if-filter-i FILE, --if-filter-q FILE\n"
        "IF Errors:   --dc-offset I_DBC:Q_DBC, --quad-error GAIN_DB:PHASE_DEG (each enables\n"
        "             those errors)\n"
        "Noise:       --noise gaussian:DB|uniform:DB|none, --seed S\n"
        "Output:      --to NAME (default: the one OUT's extension names, else Text:Decimal;\n"
        "             complex data as one complex file unless --q-out FILE), --am FILE and\n"
        "             --fm FILE for the AM and FM demodulated signal, in the format\n"
        "             --demod-to NAME (default Text:Decimal), and the format\n"
        "             options of \"kalvora-cli convert --help\"\n"
        "\n"
        "Examples:\n"
        "  kalvora-cli signal --fs 48 --units kHz --modulation fm --carrier 12 --deviation 3 \\\n"
        "      --audio-frequency 1 --samples 8192 --noise gaussian:-60 --seed 7 if.txt --fm fm.txt\n"
        "  kalvora-cli signal --project radio.kvp --seed 3 if.wav --to Binary:Wave --wave-bits 16\n",
        SignalOptions(), RunSignal};
    return command;
}

const CCliCommand& GenerateCommand() {
    static const CCliCommand command{
        "generate", "generate a test waveform",
        "Usage: kalvora-cli generate [options] OUT\n"
        "\n"
        "Fills the Time Data with the program's waveform generator and writes it to OUT.\n"
        "\n"
        "  --waveform sine|square|triangle|sawtooth   shape (default sine)\n"
        "  --samples N        number of samples (default 1024)\n"
        "  --cycles C         number of cycles over the whole length (default 4)\n"
        "  --frequency F      frequency instead, in the unit of the sampling frequency\n"
        "  --phase DEG        initial phase in degrees (default 0)\n"
        "  --real             real data (Inphase only); otherwise complex\n"
        "  --fs VALUE         sampling frequency (default 1)\n"
        "  --units Hz|kHz|MHz|GHz   unit of the sampling frequency (default Hz)\n"
        "  --to NAME          format of OUT (default: the one its extension names, else\n"
        "                     Text:Decimal); complex data is written as one\n"
        "                     complex file unless --q-out FILE names a Quadrature file\n"
        "  --q-to NAME, --interleave forward:F|reverse:F, and the format options of\n"
        "  \"kalvora-cli convert --help\" (--bits, --wave-bits, --c-name, ...) apply as there.\n"
        "\n"
        "Examples:\n"
        "  kalvora-cli generate --samples 4096 --cycles 101 tone.txt\n"
        "  kalvora-cli generate --real --waveform square --fs 8 --units kHz --frequency 1 sq.wav \\\n"
        "      --to Binary:Wave --wave-bits 16\n",
        GenerateOptions(), RunGenerate};
    return command;
}

}  // namespace kv
