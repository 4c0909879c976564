#pragma once
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/CCliArgs.h"
#include "formats/FormatCatalogue.h"

namespace kv {

class CCliPlatform;
class CKalvoraDoc;

// Exit status of every command.
enum CliStatus : int {
    CLI_OK = 0,      // success
    CLI_FAILED = 1,  // the operation failed; the program's message says why
    CLI_USAGE = 2,   // bad usage
};

// An operation that cannot start: reported with exit status 1.
struct CCommandFailure {
    std::string m_strMessage;
};

// Throws CCommandFailure for an input that is a pipe, socket or device:
// opening such a file may wait forever for data or never reach its end.
// Files that are not there and directories are left to the program, which
// reports them in its own words.
void CheckInputFile(const std::string& path);

// A path made absolute against the directory the program started in (the
// project operations change the current directory). An empty path stays
// empty.
std::string AbsolutePath(const std::string& path);

// The catalogue id of a format name, or FMT_NONE. Names are those of
// "kalvora-cli formats"; case does not matter.
int32_t FormatIdByName(const std::string& name);
// The exact catalogue name of a name given on the command line; throws
// CUsageError for an unknown name or a format that cannot be read (or
// written).
std::string CheckFormatName(const std::string& name, FormatDirection direction);

// The frequency unit index (0 Hz, 1 kHz, 2 MHz, 3 GHz) of a name; throws
// CUsageError for any other.
int32_t ParseUnitName(const std::string& name);

// Sets the project's sampling frequency through its "Sampling Frequency"
// command, from --fs and --units (nothing when neither is given). Throws
// CUsageError for a value that is not positive and finite.
void ApplySamplingFrequency(CKalvoraDoc& doc, CCliPlatform& platform, const CCliArgs& args);

// A number as JSON: the shortest "%.17g"-style text that reads back to the
// same double; null for infinities and NaN.
std::string JsonNumber(double value);
// A text as a JSON string literal.
std::string JsonString(const std::string& text);

// Splits "name:value" at the first ':' (value empty when there is none).
std::pair<std::string, std::string> SplitOptionValue(const std::string& text);

// The name of the file without its directory and last extension, used as
// the project title (and so as the default name of generated code).
std::string FileStem(const std::string& path);

// The status of a command that ran its operation: usage when a dialog
// refused a value given on the command line (fromCommandLine), failed when
// the operation did not succeed, else OK.
int CommandStatus(const CCliPlatform& platform, bool succeeded, bool fromCommandLine = true);

}  // namespace kv

namespace kv {

class CCliPlatform;

// A command of the front end: its name, a one-line summary, its help text,
// the options it accepts and the function that runs it.
struct CCliCommand {
    const char* m_pName;
    const char* m_pSummary;
    const char* m_pHelp;
    std::vector<COptionDef> m_options;
    int (*m_pRun)(const CCliArgs& args, CCliPlatform& platform);
};

}  // namespace kv
