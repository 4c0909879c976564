#pragma once
#include <array>
#include <cstdint>
#include <cstdio>

#include "data/CDataFormat.h"

namespace kv {

class CFileReader;

constexpr size_t kWaveHeaderSize = 46;

// Reads a RIFF WAVE header up to the start of the samples: checks the RIFF
// and fmt chunks, skips other chunks up to the data chunk, gathers the header
// record and sets the size and rate choices from it. Refuses formats other
// than 8- or 16-bit PCM with at least one channel. Shows the reason and
// returns false when the header cannot be used; otherwise gives the number of
// sample frames in the data chunk.
bool ReadWaveHeader(CWavFmt& wav, CFileReader& file, uint32_t& frames);
// Fills the header record from the choices, the channel count and the frame
// count, and returns its 46 bytes. Returns false when the data would not fit
// a WAVE file (more than 4 GB).
bool BuildWaveHeader(CWavFmt& wav, int32_t channels, int64_t frames, std::array<uint8_t, kWaveHeaderSize>& bytes);
// BuildWaveHeader, then writes the bytes; false when the data do not fit or
// the write fails.
bool WriteWaveHeader(CWavFmt& wav, std::FILE* file, int32_t channels, int64_t frames);
// The working id of a WAVE header record: 100 for 8 bits, 101 for 16 bits,
// 10 otherwise.
int32_t WaveFormatId(const CWavFmt& wav);
// Samples per second of a rate choice: 11025, 22050 or 44100.
uint32_t WaveSampleRate(int32_t rateChoice);
// For a Binary:Wave descriptor (10, 100, 101): true and the rate of its rate
// choice in kHz (11.025, 22.05 or 44.1). False for every other format.
bool WaveSampleRateKHz(const CDataFormat& format, double& kHz);

}  // namespace kv
