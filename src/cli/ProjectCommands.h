#pragma once

#include "cli/CliSupport.h"

namespace kv {

// "project info": what a project file holds.
const CCliCommand& ProjectInfoCommand();
// "project run": a project's automatic processing applied to a file.
const CCliCommand& ProjectRunCommand();

}  // namespace kv
