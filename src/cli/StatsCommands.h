#pragma once

#include "cli/CliSupport.h"

namespace kv {

// "stats": time and frequency statistics of a signal file.
const CCliCommand& StatsCommand();
// "transform": Time Data to Frequency Data, or back.
const CCliCommand& TransformCommand();

}  // namespace kv
