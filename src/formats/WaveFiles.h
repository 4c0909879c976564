#pragma once
#include <array>
#include <cstdint>
#include <cstdio>

#include "data/CDataFormat.h"
#include "formats/SampleFrames.h"

namespace kv {

class CFileReader;

constexpr size_t kWaveHeaderSize = 46;

// Reads a RIFF WAVE header up to the start of the samples: checks the RIFF
// and fmt chunks, skips other chunks up to the data chunk, gathers the header
// record and sets the size and rate choices from it. Takes PCM samples of 8,
// 16, 24 and 32 bits and IEEE floats of 32 and 64 bits, in a plain fmt chunk
// or an extensible one (WAVE_FORMAT_EXTENSIBLE), with any number of
// channels. A rate other than the three fixed ones becomes the project-rate
// choice, standing for the file's own rate. Shows the reason and returns
// false when the header cannot be used; otherwise gives the number of sample
// frames in the data chunk.
bool ReadWaveHeader(CWavFmt& wav, CFileReader& file, uint32_t& frames);
// How the samples of a header read by ReadWaveHeader lie, and the values
// they stand for (w / 32767 for 16 bits, (b - 128) / 128 for 8 bits, and
// likewise w / (2^(bits-1) - 1) for 24 and 32 bits; floats as they are).
CSampleLayout WaveSampleLayout(const CWaveHeader& header);
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
// Samples per second of a rate choice: 11025, 22050 or 44100 (22050 for a
// choice other than 0 and 2).
uint32_t WaveSampleRate(int32_t rateChoice);
// Samples per second of the options' rate choice: as above, and the
// project's rate for the project-rate choice when it is known.
uint32_t WaveSampleRate(const CWavFmt& wav);
// Bits per sample that a write with the size choice gives (8, 16, 24, 32 or
// 64), and whether they are IEEE floats.
uint32_t WaveWriteBits(int32_t sizeChoice, bool& isFloat);
// For a Binary:Wave descriptor (10, 100, 101): true and the rate of its rate
// choice in kHz (11.025, 22.05, 44.1, or the project's rate). False for
// every other format.
bool WaveSampleRateKHz(const CDataFormat& format, double& kHz);

}  // namespace kv
