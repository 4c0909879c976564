#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/CCliArgs.h"

namespace kv {

class CCliPlatform;

// The values that the format options dialogs take from the command line.
// Texts go into the dialogs' fields as typed, so the dialogs' own rules
// judge them.
struct CFormatOptions {
    std::optional<std::string> m_strBits;     // "Number of bits" of the fixed-point formats
    std::optional<int32_t> m_nWaveSize;       // the size choice: 0 = 8 bits ... 5 = 64-bit floats
    std::optional<int32_t> m_nWaveRate;       // 0 = 11025, 1 = 22050, 2 = 44100 Hz
    std::optional<std::string> m_strCName;
    std::optional<std::string> m_strCType;
    std::optional<std::string> m_strCSuffix;
    std::optional<std::string> m_strAsmName;
    std::optional<bool> m_bBigEndian;          // byte order of the raw integer formats
    std::optional<std::string> m_strSkipBytes;  // bytes before the samples of a raw integer file
    std::optional<std::string> m_strColumns;    // columns of a Text:CSV file read
};

// Takes --bits, --wave-bits, --wave-rate, --c-name, --c-type, --c-suffix,
// --asm-name, --endian, --skip-bytes and --columns; throws CUsageError for a
// WAVE size or rate the format does not offer and a byte order other than
// big or little.
CFormatOptions FormatOptionsFromArgs(const CCliArgs& args);

// Throws CUsageError for an option that none of the formats of the command
// uses: --bits needs a fixed-point format read or written, the WAVE options
// a written Binary:Wave file, the C options a written Text:C file,
// --asm-name a written Asm:TI Asm file, --endian a raw integer format read or
// written, --skip-bytes a raw integer file read and --columns a Text:CSV file
// read.
void CheckFormatOptionsUsed(const CFormatOptions& options, const std::vector<int32_t>& readFormats,
                            const std::vector<int32_t>& writtenFormats);

// What to enter in the "Data Files" dialog.
struct CFilesAnswer {
    std::string m_strPath;                // Inphase-or-complex file (absolute), empty for none
    std::string m_strFormat;              // catalogue name; empty keeps the state's format
    std::optional<bool> m_bComplex;       // "Complex" (while enabled); unset keeps the state's
    std::string m_strQPath;               // Quadrature file, empty for none
    std::string m_strQFormat;             // empty keeps the state's format
    int32_t m_nInterleave = 0;            // 0 None, 1 Forward, 2 Reverse (writing)
    std::string m_strFactor;              // "Factor" as typed (writing)
};

// Queues the answer for the next "Data Files" dialog: the file names, the
// formats, "Complex", the interleaving, then each format's options dialog
// (through its "Options..." button) when the command line gives values for
// it, and OK.
void ExpectDataFiles(CCliPlatform& platform, const CFilesAnswer& answer, const CFormatOptions& options);

// Queues the answer for the next write-column dialog: the file (absolute),
// the format (catalogue name) and its options.
void ExpectWriteColumn(CCliPlatform& platform, const std::string& path, const std::string& format,
                       const CFormatOptions& options);

// Parses --interleave forward:F|reverse:F into the answer; throws
// CUsageError for anything else.
void ParseInterleave(const std::string& text, CFilesAnswer& answer);

// The options of the files read (--from, --complex, --q-in, --q-from), of
// the files written (--to, --q-out, --q-to, --interleave) and of the
// formats (--bits, --wave-bits, ...), appended to a command's options.
void AddReadOptions(std::vector<COptionDef>& options);
void AddWriteOptions(std::vector<COptionDef>& options);
void AddFormatOptions(std::vector<COptionDef>& options);

// The answer that reads IN as the command line says; the formats read are
// appended to formats. Throws CUsageError for bad values.
CFilesAnswer ReadAnswerFromArgs(const CCliArgs& args, const std::string& in, std::vector<int32_t>& formats);
// The answer that writes OUT; the formats written are appended to formats.
// "Complex" is checked (one complex file for complex data) unless a
// Quadrature file is named. An empty defaultFormat keeps the state's format
// when --to is not given.
CFilesAnswer WriteAnswerFromArgs(const CCliArgs& args, const std::string& out, std::vector<int32_t>& formats,
                                 const std::string& defaultFormat = "Text:Decimal");

}  // namespace kv
