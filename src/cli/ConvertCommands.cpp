#include "cli/ConvertCommands.h"

#include <cstdio>

#include "app/CKalvoraDoc.h"
#include "cli/CCliDoc.h"
#include "cli/CCliPlatform.h"
#include "cli/CliAnswers.h"
#include "formats/FormatCatalogue.h"

namespace kv {

namespace {

int RunFormats(const CCliArgs& args, CCliPlatform&) {
    args.RequirePositionals(0, 0, "nothing");
    for (const CFormatEntry& entry : FormatCatalogue())
        std::printf("%d\t%s\t%s\t%s\n", entry.m_nId, FormatName(entry.m_nId).c_str(), entry.m_bRead ? "yes" : "no",
                    entry.m_bWrite ? "yes" : "no");
    return CLI_OK;
}

int RunConvert(const CCliArgs& args, CCliPlatform& platform) {
    args.RequirePositionals(2, 2, "IN and OUT files");
    const std::string in = AbsolutePath(args.Positionals()[0]);
    const std::string out = AbsolutePath(args.Positionals()[1]);
    std::vector<int32_t> readFormats, writtenFormats;
    const CFilesAnswer read = ReadAnswerFromArgs(args, in, readFormats);
    const CFilesAnswer write = WriteAnswerFromArgs(args, out, writtenFormats);
    const CFormatOptions options = FormatOptionsFromArgs(args);
    CheckFormatOptionsUsed(options, readFormats, writtenFormats);

    CCliDoc doc;
    doc.SetTitle(FileStem(out));
    // The program's Convert: Read Time Data (with the automatic processing
    // of the project, none in a new one), then Write Time Data through the
    // same Data Files state.
    ExpectDataFiles(platform, read, options);
    doc.RunOperation(OP_READ_TIME);
    if (doc.m_bReadFailed) return CommandStatus(platform, false);
    if (!write.m_strQPath.empty() && doc.m_TimeData.IsReal()) {
        std::fprintf(stderr, "kalvora-cli: error: the data read is real: there is no Quadrature data for \"%s\"\n",
                     write.m_strQPath.c_str());
        return CLI_FAILED;
    }
    ExpectDataFiles(platform, write, options);
    doc.WriteTimeData();
    return CommandStatus(platform, doc.m_bWritten);
}

std::vector<COptionDef> ConvertOptions() {
    std::vector<COptionDef> options;
    AddReadOptions(options);
    AddWriteOptions(options);
    AddFormatOptions(options);
    return options;
}

}  // namespace

const CCliCommand& FormatsCommand() {
    static const CCliCommand command{
        "formats", "list the signal file formats",
        "Usage: kalvora-cli formats\n"
        "\n"
        "Lists the format catalogue, one line per format: id, name, whether it can be read and\n"
        "whether it can be written, separated by tabs. The names are those that --from, --to,\n"
        "--q-from and --q-to take (case does not matter).\n",
        {}, RunFormats};
    return command;
}

const CCliCommand& ConvertCommand() {
    static const CCliCommand command{
        "convert", "convert a signal file to another format",
        "Usage: kalvora-cli convert [options] IN OUT\n"
        "\n"
        "Reads IN as Time Data and writes it to OUT, as the program's Convert command does.\n"
        "\n"
        "Reading:\n"
        "  --from NAME        format of IN (default: the one its extension names, see below;\n"
        "                     Text:Decimal for any other extension)\n"
        "  --complex          IN holds complex records (Inphase and Quadrature)\n"
        "  --q-in FILE        read the Quadrature values from a separate file\n"
        "  --q-from NAME      format of the --q-in file (default: that of IN)\n"
        "Writing:\n"
        "  --to NAME          format of OUT (default: the one its extension names, else\n"
        "                     Text:Decimal); complex data is written as one\n"
        "                     complex file unless --q-out is given\n"
        "  --q-out FILE       write the Quadrature values to a separate file\n"
        "  --q-to NAME        format of the --q-out file (default: that of OUT)\n"
        "  --interleave forward:F|reverse:F\n"
        "                     write F interleaved polyphase components (F > 1)\n"
        "Format options:\n"
        "  --bits N           word length of Text:Fract, Text:Hex and Text:Binary (1 to 64)\n"
        "  --wave-bits 8|16|24|32|float32|float64\n"
        "                     sample size of a Binary:Wave file written\n"
        "  --wave-rate 11025|22050|44100\n"
        "                     sample rate of a Binary:Wave file written (by default a WAVE file\n"
        "                     read at another rate is written at its own rate)\n"
        "  --endian big|little\n"
        "                     byte order of Binary:int8, Binary:uint8, Binary:int16 and\n"
        "                     Binary:int32 files (default little)\n"
        "  --skip-bytes N     bytes of another program's header before the samples of such a\n"
        "                     file read\n"
        "  --columns C[,C]    the columns (from 1) of a Text:CSV file read that hold the Inphase\n"
        "                     and Quadrature values (default the first one or two)\n"
        "  --c-name NAME, --c-type TYPE, --c-suffix S\n"
        "                     array name, element type and value suffix of Text:C (the name\n"
        "                     defaults to the name of OUT without its extension)\n"
        "  --asm-name NAME    data name of Asm:TI Asm (default as for --c-name)\n"
        "  --yes              answer Yes to the program's questions (for example, to write\n"
        "                     data beyond -1 to 1 in a fixed-point format, where it wraps)\n"
        "\n"
        "Extensions that name a format: .txt Text:Decimal, .csv Text:CSV, .plt Text:Plot, .hex\n"
        "Text:Hex, .asm .dsp .pm Asm:ADI PM, .wav Binary:Wave, .bin .dat .cf32 .cfile\n"
        "Binary:float, .cs8 Binary:int8, .cu8 Binary:uint8, .cs16 Binary:int16, .npy Binary:npy,\n"
        ".sigmf-meta .sigmf-data Binary:SigMF (case does not matter).\n"
        "\n"
        "Examples:\n"
        "  kalvora-cli convert capture.txt capture.wav --wave-bits 16\n"
        "  kalvora-cli convert --complex rtl.cu8 rtl.npy\n"
        "  kalvora-cli convert --complex iq.bin iq.hex --from Binary:float --to Text:Hex --bits 12\n"
        "  kalvora-cli convert --complex iq.txt i.txt --q-out q.txt --interleave forward:4\n"
        "  kalvora-cli convert --complex rtl.bin rtl.npy --from Binary:uint8 --to Binary:npy\n"
        "  kalvora-cli convert --complex scope.csv scope.sigmf-meta --from Text:CSV --columns 2,3 \\\n"
        "      --to Binary:SigMF\n",
        ConvertOptions(), RunConvert};
    return command;
}

}  // namespace kv
