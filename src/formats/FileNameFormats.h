#pragma once
#include <cstdint>
#include <string>

namespace kv {

// The readable format of the catalogue that a file's extension suggests
// (".wav" Binary:Wave, ".plt" Text:Plot, ".hex" Text:Hex, ".asm", ".dsp" and
// ".pm" Asm:ADI PM, ".bin" and ".dat" Binary:float, ".txt" and ".csv"
// Text:Decimal); FMT_NONE for any other extension. Case does not matter.
int32_t FormatForFileName(const std::string& path);

}  // namespace kv
