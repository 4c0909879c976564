#pragma once
#include <string>

namespace kv {

class CKalvoData;

// FIR filtering of Time Data with a filter file: the first line gives the
// number of taps T, then one tap per line, one coefficient for both columns
// or two (Inphase, Quadrature). Each column is convolved with its own taps
// (zero initial state); the data grows by T points, the last always 0.

// Reads the filter file and filters the data in place. Every failure shows
// its own message and leaves the data unchanged.
bool FirFilterFile(const std::string& path, CKalvoData& data);

// The "&Filter..." command: asks for the filter file (the file name chosen
// last in this run is offered first), stores the chosen full path in
// filterPath (the document's remembered filter file), and filters the Time
// Data. Returns true when the data was filtered; false when the dialog was
// cancelled or the filter failed (with its messages).
bool FilterTimeData(CKalvoData& timeData, std::string& filterPath);

}  // namespace kv
