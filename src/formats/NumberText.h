#pragma once
#include <cstdint>
#include <string>

namespace kv {

// Scanning and printing of numbers in signal text files. The scanners accept
// exactly what the C library's scanf conversions accept (this C library's
// behaviour, including its tolerance of a dangling exponent such as "1e"),
// and the printers produce exactly what printf produces, only faster.

// White space as scanf skips it.
inline bool IsScanSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// One conversion at p (no white space skipped; p < end). Each returns the end
// of the characters consumed, or nullptr when the conversion fails.
// "%lf": decimal, hexadecimal floats, inf, infinity and nan, with a sign.
const char* ScanDouble(const char* p, const char* end, double& value);
// "%I64i" (also "%lli"): signed 64-bit; a leading 0x means hexadecimal and a
// leading 0 octal; out-of-range values saturate.
const char* ScanInt64(const char* p, const char* end, int64_t& value);
// "%I64x": unsigned 64-bit hexadecimal, optional sign and 0x; saturates.
const char* ScanHex64(const char* p, const char* end, uint64_t& value);
// "%lx" with a 32-bit long: as ScanHex64, saturating at 0xFFFFFFFF.
const char* ScanHex32(const char* p, const char* end, uint32_t& value);
// "%i" into a 32-bit int.
const char* ScanInt32(const char* p, const char* end, int32_t& value);

// A pattern of up to count conversions separated by single spaces ("%lf %lf"),
// applied to the text [p, end): white space before each conversion is
// skipped, and with commaIsSpace a "," counts as white space. Returns the
// number of values converted.
int ScanDoubles(const char* p, const char* end, double* values, int count, bool commaIsSpace);
int ScanInt64s(const char* p, const char* end, int64_t* values, int count, bool commaIsSpace);
int ScanHex64s(const char* p, const char* end, uint64_t* values, int count, bool commaIsSpace);
int ScanHex32s(const char* p, const char* end, uint32_t* values, int count, bool commaIsSpace);

// Room a PrintFixed call may need: the widest double in fixed notation.
constexpr int kFixedBufferSize = 330;
// printf("%<width>.<precision>f", value), written at out (which has room for
// max(width, kFixedBufferSize) + precision characters); returns the end.
char* PrintFixed(char* out, double value, int width, int precision);
std::string FormatFixed(double value, int width, int precision);
// printf("%lli") / "%i" of a 64-bit value; returns the end.
char* PrintInt64(char* out, int64_t value);

// Room a PrintShortest call may need.
constexpr int kShortestBufferSize = 32;
// The shortest text that reads back (with ScanDouble or strtod) as exactly
// the same double, in plain or exponent notation, whichever is shorter:
// 0.1, 1e-05, -2.5e+300; nan, -nan, inf and -inf for the values that are not
// finite. Returns the end.
char* PrintShortest(char* out, double value);
std::string ShortestText(double value);

}  // namespace kv
