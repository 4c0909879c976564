#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv::fuzz {

// What became of one input: the program either showed what it read or
// refused it with a message (the messages shown, the first few of them).
struct CFuzzOutcome {
    bool shown = false;
    std::vector<std::string> messages;
};

// The fuzzing targets: each takes one input as libFuzzer hands it over and
// runs it through one entry of the program that a file reaches, with what
// the program builds from the result. A finding aborts (sanitizer report,
// failed check); everything else returns with the outcome filled in.
using FuzzTarget = void (*)(const uint8_t* data, size_t size, CFuzzOutcome& outcome);

// A project file, opened as the desktop program opens it, with every plot,
// statistic and list that the opened project shows, and a save and reopen
// that must give the same bytes.
void FuzzProject(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// Signal files of the text formats (Text:Decimal, Text:Plot, Text:FIR,
// Text:Analyzer); the first byte picks the format and the one- or
// two-channel read. The data read is plotted and measured.
void FuzzSignalText(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// The fixed-point text formats (Text:Fract, Text:Hex, Text:Binary at every
// word length, Asm:ADI PM); the first byte picks format and read, the second
// the word length.
void FuzzSignalFixed(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// Binary:float and Binary:double; the first byte picks format and read.
void FuzzSignalBinary(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// WAVE files; the first byte picks the one- or two-channel read.
void FuzzSignalWave(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// The raw integer formats (Binary:int8, Binary:uint8, Binary:int16,
// Binary:int32) in either byte order, with a header of the last bytes'
// choosing to skip.
void FuzzSignalRawInt(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// NumPy .npy files.
void FuzzSignalNpy(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// SigMF recordings: the input holds the metadata file, a separator line and
// the dataset file.
void FuzzSignalSigmf(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// Text:CSV, with the columns a user may choose (or mistype).
void FuzzSignalCsv(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// FIR filter files applied to a short Time Data.
void FuzzFirFile(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// Audio files of the signal generator, then a generation from them.
void FuzzAudioFile(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// IF filter files of the signal generator applied to a column.
void FuzzIfFilterFile(const uint8_t* data, size_t size, CFuzzOutcome& outcome);
// The number scanners and printers against the C library: every text the
// library's sscanf accepts must scan to the same bits and length, and every
// value must print to the same characters.
void FuzzNumbers(const uint8_t* data, size_t size, CFuzzOutcome& outcome);

// A target by its harness name ("project", "signal_text", ...), or null.
FuzzTarget TargetByName(const std::string& name);
// Every harness name.
std::vector<std::string> TargetNames();

}  // namespace kv::fuzz
