#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzTargets.h"
#include "formats/NumberText.h"

namespace kv::fuzz {

namespace {

[[noreturn]] void Mismatch(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s differs from the C library for the text \"", what);
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\')
            std::fputc(c, stderr);
        else
            std::fprintf(stderr, "\\x%02X", c);
    }
    std::fprintf(stderr, "\"\n");
    std::abort();
}

uint64_t Bits(double v) {
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// The text up to the first white space the scanners skip, as scanf skips it.
const char* SkipSpace(const char* p, const char* end) {
    while (p < end && IsScanSpace(*p)) ++p;
    return p;
}

// One conversion: the library's answer (values and characters consumed, or
// nothing) must be the scanner's.
template <class T, class Scan>
void CheckOne(const std::string& text, const char* pattern, Scan scan, const char* what) {
    const char* b = text.c_str();
    const char* e = b + text.size();
    T expected{};
    int consumed = 0;
    const bool accepted = std::sscanf(b, pattern, &expected, &consumed) == 1;
    const char* p = SkipSpace(b, e);
    T value{};
    const char* q = p < e ? scan(p, e, value) : nullptr;
    if (accepted != (q != nullptr)) Mismatch(what, text);
    if (!accepted) return;
    if (q - b != consumed) Mismatch(what, text);
    if constexpr (sizeof(T) == 8 && std::is_floating_point_v<T>) {
        if (Bits(value) != Bits(expected)) Mismatch(what, text);
    } else {
        if (value != expected) Mismatch(what, text);
    }
}

// The two-value pattern of a text record, with commas read as spaces.
void CheckPair(std::string text, bool commaIsSpace) {
    const char* b = text.c_str();
    const char* e = b + text.size();
    double ours[2] = {0.0, 0.0};
    const int got = ScanDoubles(b, e, ours, 2, commaIsSpace);
    if (commaIsSpace)
        for (char& c : text)
            if (c == ',') c = ' ';
    double theirs[2] = {0.0, 0.0};
    int count = std::sscanf(text.c_str(), "%lf %lf", &theirs[0], &theirs[1]);
    if (count < 0) count = 0;
    if (got != count) Mismatch("ScanDoubles", text);
    for (int i = 0; i < count; ++i)
        if (Bits(ours[i]) != Bits(theirs[i])) Mismatch("ScanDoubles", text);
}

// PrintFixed against printf("%*.*f") for a value made of the input's bytes.
void CheckPrint(const uint8_t* data, size_t size) {
    if (size < 10) return;
    double value;
    std::memcpy(&value, data, sizeof value);
    const int width = data[8] % 40;
    const int precision = data[9] % 40;
    char expected[512];
    std::snprintf(expected, sizeof expected, "%*.*f", width, precision, value);
    char ours[kFixedBufferSize + 64 + 40];
    char* end = PrintFixed(ours, value, width, precision);
    if (std::string(ours, end) != expected) {
        std::fprintf(stderr, "PrintFixed(%a, %d, %d) gives \"%s\" where printf gives \"%s\"\n", value, width,
                     precision, std::string(ours, end).c_str(), expected);
        std::abort();
    }
}

}  // namespace

void FuzzNumbers(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    // The scanners see a line of text: it ends at a NUL, as for sscanf.
    const size_t length = strnlen(reinterpret_cast<const char*>(data), size);
    const std::string text(reinterpret_cast<const char*>(data), length);
    CheckOne<double>(text, "%lf%n", [](const char* p, const char* e, double& v) { return ScanDouble(p, e, v); },
                     "ScanDouble");
    CheckOne<long long>(text, "%lli%n",
                        [](const char* p, const char* e, long long& v) {
                            int64_t x;
                            const char* q = ScanInt64(p, e, x);
                            v = x;
                            return q;
                        },
                        "ScanInt64");
    CheckOne<unsigned long long>(text, "%llx%n",
                                 [](const char* p, const char* e, unsigned long long& v) {
                                     uint64_t x;
                                     const char* q = ScanHex64(p, e, x);
                                     v = x;
                                     return q;
                                 },
                                 "ScanHex64");
    CheckPair(text, false);
    CheckPair(text, true);
    CheckPrint(data, size);
    // Every check passed: the scanners and printers agree with the library.
    outcome.shown = true;
}

}  // namespace kv::fuzz
