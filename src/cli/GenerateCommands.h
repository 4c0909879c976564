#pragma once

#include "cli/CliSupport.h"

namespace kv {

// "generate": the waveform generator, written to a file.
const CCliCommand& GenerateCommand();
// "signal": the modulated-signal generator, written to a file.
const CCliCommand& SignalCommand();

}  // namespace kv
