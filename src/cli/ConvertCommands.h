#pragma once

#include "cli/CliSupport.h"

namespace kv {

// "formats": the format catalogue.
const CCliCommand& FormatsCommand();
// "convert": a signal file read in one format and written in another.
const CCliCommand& ConvertCommand();

}  // namespace kv
