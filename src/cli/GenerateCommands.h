#pragma once

#include "cli/CliSupport.h"

namespace kv {

// "generate": the waveform generator, written to a file.
const CCliCommand& GenerateCommand();

}  // namespace kv
