#include "formats/FormatHelpers.h"

#include <cctype>
#include <cmath>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

std::string FormatInteger(int32_t value, int radix, int minWidth) {
    if (radix < 2 || radix > 36) radix = 10;
    std::string digits;
    bool negative = false;
    if (radix == 10) {
        int64_t v = value;
        if (v < 0) {
            negative = true;
            v = -v;
        }
        do {
            digits += static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v);
    } else {
        uint32_t v = static_cast<uint32_t>(value);
        do {
            uint32_t d = v % static_cast<uint32_t>(radix);
            digits += static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10);
            v /= static_cast<uint32_t>(radix);
        } while (v);
    }
    if (negative) digits += '-';
    std::string text(digits.rbegin(), digits.rend());
    if (static_cast<int>(text.size()) < minWidth)
        text.insert(0, static_cast<size_t>(minWidth) - text.size(), radix == 10 ? ' ' : '0');
    return text;
}

std::string FormatReal(const char* pattern, double value) {
    char buf[512];
    int n = std::snprintf(buf, sizeof buf, pattern, value);
    if (n < 0) return {};
    if (static_cast<size_t>(n) < sizeof buf) return std::string(buf, static_cast<size_t>(n));
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), pattern, value);
    big.resize(static_cast<size_t>(n));
    return big;
}

int EngineeringExponent(double value) {
    if (value == 0.0) return 0;
    double l = std::log10(std::fabs(value) * 1.00001);
    if (!std::isfinite(l)) return 0;
    long n = static_cast<long>(std::trunc(l));
    // Largest multiple of 3 not above n.
    long m = n >= 0 ? n / 3 * 3 : -((-n + 2) / 3) * 3;
    return static_cast<int>(m);
}

std::string FormatEngineering(double value, int digits, bool engineering) {
    int e = 0;
    double mantissa = value;
    if (engineering) {
        e = EngineeringExponent(value);
        mantissa = value / std::pow(10.0, e);
    }
    std::string pattern = "%-." + FormatInteger(digits, 10, 0) + "f";
    std::string text = FormatReal(pattern.c_str(), mantissa);
    if (engineering && e != 0) text += "E" + FormatInteger(e, 10, 0);
    return text;
}

double PowerOfTenFloor(double value) { return std::pow(10.0, std::floor(std::log10(value))); }

int TrimTrailingZeros(std::string& text) {
    if (text.find('.') == std::string::npos) return static_cast<int>(text.size());
    while (text.size() > 1 && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return static_cast<int>(text.size());
}

std::string TrimSpaces(const std::string& text) {
    size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    size_t e = text.find_last_not_of(' ');
    return text.substr(b, e - b + 1);
}

bool ReadTextLine(std::FILE* file, std::string& line) {
    line.clear();
    int c;
    while ((c = getc_unlocked(file)) != EOF) {
        if (c == '\n') break;
        if (c == '\r') continue;
        line += static_cast<char>(c);
    }
    return !line.empty();
}

void WriteTextLine(std::FILE* file, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fwrite("\r\n", 1, 2, file);
}

void WriteLineEnd(std::FILE* file) { std::fwrite("\r\n", 1, 2, file); }

namespace {

size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

}  // namespace

std::string FileNamePart(const std::string& path) {
    size_t p = LastSeparator(path);
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string DirectoryPart(const std::string& path) {
    size_t p = LastSeparator(path);
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

bool ApplyExtension(const std::string& baseName, std::string& fileName) {
    if (fileName.empty() || fileName[0] != '.') return false;
    // "./x", "../x" and the folders "." and ".." are paths, not extensions.
    const size_t dots = fileName.find_first_not_of('.');
    if (dots == std::string::npos ? fileName.size() <= 2 : dots <= 2 && (fileName[dots] == '/' || fileName[dots] == '\\'))
        return false;
    fileName = baseName.substr(0, baseName.find('.')) + fileName;
    return true;
}

bool ChangeToDirectory(const std::string& directory) {
    if (directory.empty()) return false;
    char buf[PATH_MAX];
    if (getcwd(buf, sizeof buf)) {
        std::string current(buf);
        if (directory == current || directory == current + "/") return true;
    }
    if (chdir(directory.c_str()) == 0) return true;
    ErrorBox(LoadString(IDS_CANNOT_CHANGE_TO) + directory + ".");
    return false;
}

bool CanOpenFile(const std::string& path) {
    if (path.empty()) return false;
    // A descriptor is enough to ask: no stream (and its buffer) is made.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    // A directory opens for reading here but holds no data.
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
    ::close(fd);
    return ok;
}

}  // namespace kv
