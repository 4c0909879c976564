#include "cli/CliSupport.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include "app/CKalvoraDoc.h"
#include "app/CSampRate.h"
#include "cli/CCliPlatform.h"
#include "data/CDataFormat.h"
#include "formats/FormatHelpers.h"

namespace kv {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The directory the program started in, taken once.
const std::filesystem::path& StartDirectory() {
    static const std::filesystem::path directory = [] {
        std::error_code error;
        std::filesystem::path p = std::filesystem::current_path(error);
        return error ? std::filesystem::path("/") : p;
    }();
    return directory;
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
    if (path.empty()) return path;
    std::filesystem::path p(path);
    if (p.is_absolute()) return path;
    return (StartDirectory() / p).lexically_normal().string();
}

void CheckInputFile(const std::string& path) {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0) return;
    if (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) return;
    throw CCommandFailure{"\"" + path + "\" is not a regular file"};
}

int32_t FormatIdByName(const std::string& name) {
    const std::string wanted = Lower(name);
    for (const CFormatEntry& entry : FormatCatalogue())
        if (Lower(FormatName(entry.m_nId)) == wanted) return entry.m_nId;
    return FMT_NONE;
}

std::string CheckFormatName(const std::string& name, FormatDirection direction) {
    const int32_t id = FormatIdByName(name);
    if (id == FMT_NONE)
        throw CUsageError{"unknown format '" + name + "' (\"kalvora-cli formats\" lists the formats)"};
    const bool read = direction == FormatDirection::Read;
    if (read ? !CanReadFormat(id) : !CanWriteFormat(id))
        throw CUsageError{"format '" + FormatName(id) + "' cannot be " + (read ? "read" : "written")};
    return FormatName(id);
}

int32_t ParseUnitName(const std::string& name) {
    const std::string units[] = {"hz", "khz", "mhz", "ghz"};
    for (int32_t i = 0; i < 4; ++i)
        if (Lower(name) == units[i]) return i;
    throw CUsageError{"--units: '" + name + "' is not one of Hz, kHz, MHz, GHz"};
}

void ApplySamplingFrequency(CKalvoraDoc& doc, CCliPlatform& platform, const CCliArgs& args) {
    auto value = args.Value("fs");
    auto units = args.Value("units");
    if (!value && !units) return;
    if (value) {
        double fs = 0.0;
        if (!ParseReal(*value, fs) || !(fs > 0.0))
            throw CUsageError{"--fs: '" + *value + "' is not a positive number"};
    }
    const int32_t unit = units ? ParseUnitName(*units) : doc.m_Fs.GetUnit();
    platform.Expect<CSampRate>([value, unit](CSampRate& d) {
        if (value) d.SimulateText(CSampRate::IDC_FS_VALUE, *value);
        d.SimulateSelect(CSampRate::IDC_UNIT_LIST, unit);
        d.SimulateClick(IDOK);
    });
    doc.OnSamplingFrequency();
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out += buffer;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::pair<std::string, std::string> SplitOptionValue(const std::string& text) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return {text, {}};
    return {text.substr(0, colon), text.substr(colon + 1)};
}

std::string FileStem(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

int CommandStatus(const CCliPlatform& platform, bool succeeded, bool fromCommandLine) {
    if (platform.Refused()) return fromCommandLine ? CLI_USAGE : CLI_FAILED;
    return succeeded ? CLI_OK : CLI_FAILED;
}

}  // namespace kv
