#pragma once
#include <cstdint>
#include <string>

namespace kv {

// The readable format of the catalogue that a file's extension suggests
// (".wav" Binary:Wave, ".plt" Text:Plot, ".hex" Text:Hex, ".asm", ".dsp" and
// ".pm" Asm:ADI PM, ".bin", ".dat", ".cf32" and ".cfile" Binary:float,
// ".txt" Text:Decimal, ".csv" Text:CSV, ".npy" Binary:npy, ".sigmf-meta" and
// ".sigmf-data" Binary:SigMF, ".cu8", ".cs8" and ".cs16" the raw integer
// formats); FMT_NONE for any other extension. Case does not matter. Every
// format it names can be read and written.
int32_t FormatForFileName(const std::string& path);

}  // namespace kv
