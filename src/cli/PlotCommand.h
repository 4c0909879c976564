#pragma once

#include "cli/CliSupport.h"

namespace kv {

// "plot": a plot of a signal file rendered to a PNG or SVG picture.
const CCliCommand& PlotCommand();

}  // namespace kv
