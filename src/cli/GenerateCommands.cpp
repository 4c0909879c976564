#include "cli/GenerateCommands.h"

#include <cstdio>

#include "app/CKalvoraDoc.h"
#include "cli/CCliDoc.h"
#include "cli/CCliPlatform.h"
#include "cli/CliAnswers.h"
#include "generate/CGenerate.h"

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

std::vector<COptionSpec> GenerateOptions() {
    std::vector<COptionSpec> options = {{"waveform", true}, {"samples", true}, {"cycles", true},
                                        {"frequency", true}, {"phase", true},  {"real", false},
                                        {"fs", true},        {"units", true}};
    AddWriteOptions(options);
    AddFormatOptions(options);
    return options;
}

}  // namespace

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
        "  --to NAME          format of OUT (default Text:Decimal); complex data is written as one\n"
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
