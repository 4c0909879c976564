#pragma once
#include <cstdio>
#include <string>

namespace kv {

class CPlot;

// The plotted points as clipboard text: per point "%12.9lf" columns
// separated by tabs, lines ended by CR LF; points that a log axis cannot
// show (values at or below zero) are left out.
std::string FormatPlotData(const CPlot& plot);

// Writes the body of a plot data file to an open file: optionally the main,
// Y and X titles as three lines, then per point X, three spaces, Y of trace
// 1 [, three spaces, Y of trace 2] in "%g" notation, lines ended by CR LF.
// Returns false when writing failed.
bool WritePlotData(std::FILE* file, const CPlot& plot, bool writeTitles);

}  // namespace kv
