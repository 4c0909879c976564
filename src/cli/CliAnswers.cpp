#include "cli/CliAnswers.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/CCliPlatform.h"
#include "cli/CliSupport.h"
#include "data/CAsmOpts.h"
#include "data/CCsvOpts.h"
#include "data/CFixedPointOpts.h"
#include "data/COptionsC.h"
#include "data/CRawIntOpts.h"
#include "data/CWavFmt.h"
#include "formats/CDataFiles.h"
#include "formats/CWriteCol.h"
#include "formats/FileNameFormats.h"
#include "formats/FormatCatalogue.h"
#include "formats/FormatHelpers.h"

namespace kv {

namespace {

// The format a file's extension names, or fallback for an extension that
// names none.
std::string FormatNameForPath(const std::string& path, const std::string& fallback) {
    const int32_t id = FormatForFileName(path);
    return id == FMT_NONE ? fallback : FormatName(id);
}

bool IsFixedPoint(int32_t id) { return id == FMT_TEXT_FRACT || id == FMT_TEXT_HEX || id == FMT_TEXT_BINARY; }
bool IsRawInteger(int32_t id) { return id >= FMT_BINARY_INT8 && id <= FMT_BINARY_INT32; }
bool IsCsv(int32_t id) { return id == FMT_TEXT_CSV; }
bool IsWave(int32_t id) { return id == FMT_BINARY_WAVE || id == FMT_WAVE_8 || id == FMT_WAVE_16; }

bool Contains(const std::vector<int32_t>& ids, bool (*test)(int32_t)) {
    return std::any_of(ids.begin(), ids.end(), test);
}

// Enters a file as the user would, with "Browse..." (the name field then
// shows the file's name, and the state keeps its directory), or by typing
// its full path when browsing would start in a directory that is not there.
void EnterFile(CCliPlatform& platform, CDialogModel& d, int nameId, int browseId, const std::string& statePath,
               const std::string& path, bool read) {
    std::error_code error;
    const std::string directory = DirectoryPart(statePath);
    if (path.empty() || !(directory.empty() || std::filesystem::is_directory(directory, error))) {
        d.SimulateText(nameId, path);
        return;
    }
    if (read)
        platform.ExpectOpenFile(path, true);
    else
        platform.ExpectSaveFile(path, true);
    d.SimulateClick(browseId);
}

void SelectItem(CDialogModel& d, int id, const std::string& text) {
    const CControl& list = d.Control(id);
    for (size_t i = 0; i < list.m_items.size(); ++i) {
        if (list.m_items[i] == text) {
            d.SimulateSelect(id, static_cast<int>(i));
            return;
        }
    }
}

// Queues the answer of the options dialog of a format, if the command line
// has values for it, and presses the "Options..." button.
void AnswerOptions(CCliPlatform& platform, CDialogModel& d, int buttonId, int32_t format, bool read,
                   const CFormatOptions& options) {
    if (!d.Control(buttonId).m_bEnabled) return;
    if (IsFixedPoint(format) && options.m_strBits) {
        const std::string bits = *options.m_strBits;
        platform.Expect<CFixedPointOpts>([bits](CFixedPointOpts& o) {
            o.SimulateText(CFixedPointOpts::IDC_BITS, bits);
            o.SimulateClick(IDOK);
        });
    } else if (!read && IsWave(format) && (options.m_nWaveSize || options.m_nWaveRate)) {
        platform.Expect<CWavFmt>([options](CWavFmt& o) {
            const int sizes[] = {CWavFmt::IDC_SIZE_8,  CWavFmt::IDC_SIZE_16,      CWavFmt::IDC_SIZE_24,
                                 CWavFmt::IDC_SIZE_32, CWavFmt::IDC_SIZE_FLOAT32, CWavFmt::IDC_SIZE_FLOAT64};
            if (options.m_nWaveSize) o.SimulateClick(sizes[*options.m_nWaveSize]);
            if (options.m_nWaveRate) o.SimulateClick(CWavFmt::IDC_RATE_11K + *options.m_nWaveRate);
            o.SimulateClick(IDOK);
        });
    } else if (!read && format == FMT_TEXT_C && (options.m_strCName || options.m_strCType || options.m_strCSuffix)) {
        platform.Expect<COptionsC>([options](COptionsC& o) {
            if (options.m_strCName) o.SimulateText(COptionsC::IDC_NAME, *options.m_strCName);
            if (options.m_strCType) o.SimulateText(COptionsC::IDC_TYPE, *options.m_strCType);
            if (options.m_strCSuffix) o.SimulateText(COptionsC::IDC_SUFFIX, *options.m_strCSuffix);
            o.SimulateClick(IDOK);
        });
    } else if (IsRawInteger(format) && (options.m_bBigEndian || (read && options.m_strSkipBytes))) {
        platform.Expect<CRawIntOpts>([options, read](CRawIntOpts& o) {
            if (options.m_bBigEndian && o.Control(CRawIntOpts::IDC_BIG).m_bEnabled)
                o.SimulateClick(*options.m_bBigEndian ? CRawIntOpts::IDC_BIG : CRawIntOpts::IDC_LITTLE);
            // Writing puts no header in front of the samples.
            o.SimulateText(CRawIntOpts::IDC_SKIP, read && options.m_strSkipBytes ? *options.m_strSkipBytes : "0");
            o.SimulateClick(IDOK);
        });
    } else if (read && IsCsv(format) && options.m_strColumns) {
        const std::string columns = *options.m_strColumns;
        platform.Expect<CCsvOpts>([columns](CCsvOpts& o) {
            o.SimulateText(CCsvOpts::IDC_COLUMNS, columns);
            o.SimulateClick(IDOK);
        });
    } else if (!read && format == FMT_ASM_TI && options.m_strAsmName) {
        const std::string name = *options.m_strAsmName;
        platform.Expect<CAsmOpts>([name](CAsmOpts& o) {
            o.SimulateText(CAsmOpts::IDC_NAME, name);
            o.SimulateClick(IDOK);
        });
    } else {
        return;
    }
    d.SimulateClick(buttonId);
}

}  // namespace

void ExpectWriteColumn(CCliPlatform& platform, const std::string& path, const std::string& format,
                       const CFormatOptions& options) {
    CCliPlatform* p = &platform;
    platform.Expect<CWriteCol>([p, path, format, options](CWriteCol& d) {
        EnterFile(*p, d, CWriteCol::IDC_NAME, CWriteCol::IDC_BROWSE, d.m_strPath, path, false);
        SelectItem(d, CWriteCol::IDC_FORMAT, format);
        AnswerOptions(*p, d, CWriteCol::IDC_OPTIONS, d.m_Format.m_nFormat, false, options);
        if (p->Refused()) return;
        d.SimulateClick(IDOK);
    });
}

CFormatOptions FormatOptionsFromArgs(const CCliArgs& args) {
    CFormatOptions options;
    options.m_strBits = args.Value("bits");
    if (auto size = args.Value("wave-bits")) {
        const char* sizes[] = {"8", "16", "24", "32", "float32", "float64"};
        for (int32_t k = 0; k < 6; ++k)
            if (*size == sizes[k]) options.m_nWaveSize = k;
        if (!options.m_nWaveSize)
            throw CUsageError{"--wave-bits: '" + *size + "' is not 8, 16, 24, 32, float32 or float64"};
    }
    if (auto rate = args.Value("wave-rate")) {
        if (*rate == "11025")
            options.m_nWaveRate = 0;
        else if (*rate == "22050")
            options.m_nWaveRate = 1;
        else if (*rate == "44100")
            options.m_nWaveRate = 2;
        else
            throw CUsageError{"--wave-rate: '" + *rate + "' is not 11025, 22050 or 44100"};
    }
    options.m_strCName = args.Value("c-name");
    options.m_strCType = args.Value("c-type");
    options.m_strCSuffix = args.Value("c-suffix");
    options.m_strAsmName = args.Value("asm-name");
    if (auto endian = args.Value("endian")) {
        if (*endian != "big" && *endian != "little")
            throw CUsageError{"--endian: '" + *endian + "' is not big or little"};
        options.m_bBigEndian = *endian == "big";
    }
    options.m_strSkipBytes = args.Value("skip-bytes");
    options.m_strColumns = args.Value("columns");
    return options;
}

void CheckFormatOptionsUsed(const CFormatOptions& options, const std::vector<int32_t>& readFormats,
                            const std::vector<int32_t>& writtenFormats) {
    if (options.m_strBits && !Contains(readFormats, IsFixedPoint) && !Contains(writtenFormats, IsFixedPoint))
        throw CUsageError{"--bits applies to the formats Text:Fract, Text:Hex and Text:Binary"};
    if ((options.m_nWaveSize || options.m_nWaveRate) && !Contains(writtenFormats, IsWave))
        throw CUsageError{"--wave-bits and --wave-rate apply to a Binary:Wave file written"};
    auto has = [](const std::vector<int32_t>& ids, int32_t id) {
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    if ((options.m_strCName || options.m_strCType || options.m_strCSuffix) && !has(writtenFormats, FMT_TEXT_C))
        throw CUsageError{"--c-name, --c-type and --c-suffix apply to a Text:C file written"};
    if (options.m_strAsmName && !has(writtenFormats, FMT_ASM_TI))
        throw CUsageError{"--asm-name applies to an Asm:TI Asm file written"};
    if (options.m_bBigEndian && !Contains(readFormats, IsRawInteger) && !Contains(writtenFormats, IsRawInteger))
        throw CUsageError{"--endian applies to the formats Binary:int8, Binary:uint8, Binary:int16 and Binary:int32"};
    if (options.m_strSkipBytes && !Contains(readFormats, IsRawInteger))
        throw CUsageError{"--skip-bytes applies to a Binary:int8, Binary:uint8, Binary:int16 or Binary:int32 file read"};
    if (options.m_strColumns && !Contains(readFormats, IsCsv))
        throw CUsageError{"--columns applies to a Text:CSV file read"};
}

void ParseInterleave(const std::string& text, CFilesAnswer& answer) {
    auto [mode, factor] = SplitOptionValue(text);
    if (mode == "forward")
        answer.m_nInterleave = CDataFiles::INTERLEAVE_FORWARD;
    else if (mode == "reverse")
        answer.m_nInterleave = CDataFiles::INTERLEAVE_REVERSE;
    else if (mode == "none" && factor.empty())
        answer.m_nInterleave = CDataFiles::INTERLEAVE_NONE;
    else
        throw CUsageError{"--interleave: '" + text + "' is not forward:F or reverse:F"};
    if (answer.m_nInterleave != CDataFiles::INTERLEAVE_NONE && factor.empty())
        throw CUsageError{"--interleave: '" + text + "' needs a factor, as in forward:4"};
    answer.m_strFactor = factor;
}

void ExpectDataFiles(CCliPlatform& platform, const CFilesAnswer& answer, const CFormatOptions& options) {
    CCliPlatform* p = &platform;
    platform.Expect<CDataFiles>([p, answer, options](CDataFiles& d) {
        const bool read = d.m_bRead;
        EnterFile(*p, d, CDataFiles::IDC_NAME, CDataFiles::IDC_BROWSE, d.m_strPath, answer.m_strPath, read);
        if (!answer.m_strFormat.empty()) SelectItem(d, CDataFiles::IDC_FORMAT, answer.m_strFormat);
        if (answer.m_bComplex && d.Control(CDataFiles::IDC_COMPLEX).m_bEnabled &&
            (d.IsDlgButtonChecked(CDataFiles::IDC_COMPLEX) != 0) != *answer.m_bComplex)
            d.SimulateClick(CDataFiles::IDC_COMPLEX);
        if (d.Control(CDataFiles::IDC_QNAME).m_bEnabled) {
            EnterFile(*p, d, CDataFiles::IDC_QNAME, CDataFiles::IDC_QBROWSE, d.m_strQPath, answer.m_strQPath, read);
            if (!answer.m_strQFormat.empty()) SelectItem(d, CDataFiles::IDC_QFORMAT, answer.m_strQFormat);
        }
        if (!read) {
            d.SimulateClick(CDataFiles::IDC_NONE + answer.m_nInterleave);
            if (answer.m_nInterleave != CDataFiles::INTERLEAVE_NONE)
                d.SimulateText(CDataFiles::IDC_FACTOR, answer.m_strFactor);
        }
        AnswerOptions(*p, d, CDataFiles::IDC_OPTIONS, d.m_Format.m_nFormat, read, options);
        if (d.Control(CDataFiles::IDC_QNAME).m_bEnabled && !answer.m_strQPath.empty())
            AnswerOptions(*p, d, CDataFiles::IDC_QOPTIONS, d.m_QFormat.m_nFormat, read, options);
        if (p->Refused()) return;  // an options dialog refused its values: the dialog stays open
        d.SimulateClick(IDOK);
    });
}

}  // namespace kv

namespace kv {

void AddReadOptions(std::vector<COptionDef>& options) {
    options.insert(options.end(), {{"from", true}, {"complex", false}, {"q-in", true}, {"q-from", true}});
}

void AddWriteOptions(std::vector<COptionDef>& options) {
    options.insert(options.end(), {{"to", true}, {"q-out", true}, {"q-to", true}, {"interleave", true}});
}

void AddFormatOptions(std::vector<COptionDef>& options) {
    options.insert(options.end(), {{"bits", true},
                                   {"wave-bits", true},
                                   {"wave-rate", true},
                                   {"c-name", true},
                                   {"c-type", true},
                                   {"c-suffix", true},
                                   {"asm-name", true},
                                   {"endian", true},
                                   {"skip-bytes", true},
                                   {"columns", true}});
}

CFilesAnswer ReadAnswerFromArgs(const CCliArgs& args, const std::string& in, std::vector<int32_t>& formats) {
    CFilesAnswer answer;
    answer.m_strPath = in;
    CheckInputFile(in);
    answer.m_strFormat = CheckFormatName(args.Text("from", FormatNameForPath(in, "Text:Decimal")), FormatDirection::Read);
    formats.push_back(FormatIdByName(answer.m_strFormat));
    answer.m_bComplex = args.Has("complex");
    if (auto q = args.Value("q-in")) {
        if (*answer.m_bComplex) throw CUsageError{"--q-in names a Quadrature file; with --complex IN holds both"};
        answer.m_strQPath = AbsolutePath(*q);
        CheckInputFile(answer.m_strQPath);
        answer.m_strQFormat = CheckFormatName(args.Text("q-from", answer.m_strFormat), FormatDirection::Read);
        formats.push_back(FormatIdByName(answer.m_strQFormat));
    } else if (args.Has("q-from")) {
        throw CUsageError{"--q-from needs --q-in"};
    }
    return answer;
}

CFilesAnswer WriteAnswerFromArgs(const CCliArgs& args, const std::string& out, std::vector<int32_t>& formats,
                                 const std::string& defaultFormat) {
    CFilesAnswer answer;
    answer.m_strPath = out;
    if (auto to = args.Value("to"))
        answer.m_strFormat = CheckFormatName(*to, FormatDirection::Write);
    else if (!defaultFormat.empty())
        answer.m_strFormat = CheckFormatName(FormatNameForPath(out, defaultFormat), FormatDirection::Write);
    if (!answer.m_strFormat.empty()) formats.push_back(FormatIdByName(answer.m_strFormat));
    if (auto q = args.Value("q-out")) {
        answer.m_bComplex = false;
        answer.m_strQPath = AbsolutePath(*q);
        const std::string qFormat = args.Text("q-to", answer.m_strFormat.empty() ? "Text:Decimal" : answer.m_strFormat);
        answer.m_strQFormat = CheckFormatName(qFormat, FormatDirection::Write);
        formats.push_back(FormatIdByName(answer.m_strQFormat));
    } else {
        if (args.Has("q-to")) throw CUsageError{"--q-to needs --q-out"};
        answer.m_bComplex = true;
    }
    if (auto interleave = args.Value("interleave")) ParseInterleave(*interleave, answer);
    return answer;
}

}  // namespace kv
