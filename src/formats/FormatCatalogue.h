#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "data/CDataFormat.h"

namespace kv {

// The catalogue of signal file formats: names in the order offered, the
// directions each allows, and the properties derived from a descriptor.

enum class FormatDirection { Read, Write };

struct CFormatEntry {
    int32_t m_nId;
    bool m_bRead;
    bool m_bWrite;
};

// The entries in the order their names are offered: the program's thirteen
// formats, then those of other programs (raw integers, NumPy, SigMF, CSV).
const std::vector<CFormatEntry>& FormatCatalogue();
// The name of an id ("Binary:Wave" for 100 and 101); empty for an unknown id.
std::string FormatName(int32_t id);
// The catalogue entry of an id (100 and 101 count as Binary:Wave), or nullptr.
const CFormatEntry* FindFormat(int32_t id);
bool CanReadFormat(int32_t id);
bool CanWriteFormat(int32_t id);

// 2 for every format but Binary:Wave, whose count is that of its header record.
int32_t ChannelCount(const CDataFormat& format);
// Bits of a fixed-point word: the descriptor's word length (1 to 64) for
// Text:Fract, Text:Hex and Text:Binary; 16 for Asm:ADI PM and 16-bit WAVE;
// 8, 16 or 32 for the raw integer formats; 0 otherwise.
int32_t WordLength(const CDataFormat& format);
// The value that 1.0 becomes in the file: 2^(bits-1) - 1 (less 1023 from 52
// bits on, so that it stays below 2^(bits-1) as a double); 1.0 without a
// word length, for 8-bit WAVE and for a 1-bit word. The raw integer formats
// divide by 2^(bits-1) instead, as receivers' captures expect.
double FullScale(const CDataFormat& format);
bool HasOptions(const CDataFormat& format);

// The names of the formats that allow the direction, in catalogue order, and
// the index of the descriptor's format among them (-1 when it is not there).
std::vector<std::string> FormatNames(FormatDirection direction, const CDataFormat& format, int& selected);
// Chooses the entry whose name equals the text; an unknown name changes nothing.
void SelectFormatByName(CDataFormat& format, const std::string& name);
// Opens the options dialog of the descriptor's format; a format without
// options gets an error message. Returns true when a dialog ended with OK.
bool EditOptions(CDataFormat& format);

}  // namespace kv
