#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace kv {

// Number, line and path helpers shared by the writers, the plots and the
// file dialogs. Text lines written by the program end with "\r\n".

// A 32-bit value in radix 2 to 36, padded in front to the minimum width
// (spaces in radix 10, zeros otherwise), upper case. Radixes other than 10
// convert the two's-complement bit pattern.
std::string FormatInteger(int32_t value, int radix, int minWidth);
// Exactly what printf produces for one double with the pattern.
std::string FormatReal(const char* pattern, double value);
// Fixed notation with the given decimals; with the engineering flag the
// value is split into a mantissa and an exponent that is a multiple of 3,
// written as "E<exponent>" unless it is 0.
std::string FormatEngineering(double value, int digits, bool engineering);
int EngineeringExponent(double value);
double PowerOfTenFloor(double value);
// Removes trailing zeros (and then a trailing point) from a text holding a
// decimal point; returns the new length.
int TrimTrailingZeros(std::string& text);

// The text without leading and trailing spaces.
std::string TrimSpaces(const std::string& text);

// Reads one line: a line feed ends it, carriage returns are dropped. Returns
// true when the line is not empty.
bool ReadTextLine(std::FILE* file, std::string& line);
void WriteTextLine(std::FILE* file, const std::string& text);
void WriteLineEnd(std::FILE* file);

// Paths: both "/" and "\" separate directories.
std::string FileNamePart(const std::string& path);
std::string DirectoryPart(const std::string& path);
// A file name that starts with "." takes the base name (up to its first ".")
// in front of it; returns true when it did. Relative paths ("./x", "../x")
// and the names "." and ".." are left as they are.
bool ApplyExtension(const std::string& baseName, std::string& fileName);
// Makes a directory current; reports "Cannot change to <path>." on failure.
bool ChangeToDirectory(const std::string& directory);
bool CanOpenFile(const std::string& path);

}  // namespace kv
