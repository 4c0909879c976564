#pragma once

namespace kv {

class CFreqStats;
class CKalvoData;
class CKalvoraDoc;
class CView;

// The commands of the analysis: the statistics dialogs, the frequency-list
// window and the list file. The project document calls them from its command
// handlers and from the processing engine.

// "Time Data Statistics": progress text and wait cursor while computing over
// the whole Time Data, then the dialog. Returns true for OK.
bool ShowTimeStatistics(const CKalvoData& timeData);

// "Frequency Data Statistics": computes the statistics (progress text, wait
// cursor) and shows them. Does nothing and returns false when the Frequency
// Data is empty or the statistics are not bound.
bool ShowFrequencyStatistics(CFreqStats& stats);

// The project's frequency-list window (its first view that is not a signal
// graph), or null.
CView* FindListView(const CKalvoraDoc& doc);

// Brings the project's list window to the top, or opens one, then tells the
// project's views that the list changed, with the statistics as the object.
void ShowFrequencyList(CKalvoraDoc& doc, CFreqStats& stats);

// Offers "FREQSTAT.LST" in a save dialog and writes the frequency list to the
// chosen file, which becomes the project's list-file name. Reports a file
// that cannot be created or written. Returns true when the list was written;
// a cancelled dialog, or empty Frequency Data (nothing offered), gives false.
bool WriteFrequencyListFile(CFreqStats& stats);

// "Converter Metrics": measures the project's Frequency Data as converter
// tests do, with the window its Time Data was given (the project's window
// settings supply gamma or alpha) and the scale of its transform, and shows
// the dialog, whose options the settings store keeps. Frequency Data that
// holds nothing to measure (values that are not finite, no tone) gets an
// error message instead. Returns true for OK.
bool ShowConverterMetrics(CKalvoraDoc& doc);

}  // namespace kv
