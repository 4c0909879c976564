#pragma once
#include <cstdint>

namespace kv {

class CKalvoData;
class CRefDlg;

// The operations that rewrite the values of a signal data object in place,
// over all its points (not only the working range). The caller shows the
// dialogs that supply their arguments, takes the undo snapshot and tells the
// views. Operations that would make a column longer than a 32-bit count can
// hold throw std::bad_alloc, like any allocation that fails.

// Multiplies Inphase, and Quadrature unless the data is real, by factor. A
// factor of exactly 0.0 first asks "Scale value is 0.0 (linear)..."
// (warning, Yes/No); returns false (nothing changed) on No.
bool Scale(CKalvoData& data, double factor);

// Shifts the spectrum up by frequency (in the data's frequency unit), the
// oscillator starting at phase (radians); then detects whether the result is
// real. Returns false and changes nothing (after an error box) when the data's
// sampling frequency gives no usable phase step (0 or not finite).
bool Mix(CKalvoData& data, double frequency, double phase);

// Negative values of each column change sign.
void Rectify(CKalvoData& data);

// Subtracts from each column its mean; nothing for empty data.
void RemoveDc(CKalvoData& data);

// Negates the Quadrature column.
void Conjugate(CKalvoData& data);

// Point k moves to k * (n + 1), zeros in between; the new length is
// (N - 1)(n + 1) + 1. With scaleFs the data's own sampling frequency is
// multiplied by n + 1 (also for data of fewer than two points). Nothing for
// n <= 0. The caller resets the working range afterwards.
void ZeroStuff(CKalvoData& data, int32_t n, bool scaleFs);

// n zeros before the first point (n > 0).
void ZeroPadFront(CKalvoData& data, int32_t n);

// n zeros after the last point (n > 0).
void ZeroPadBack(CKalvoData& data, int32_t n);

// Frequency Data: inserts n copies of the pad values on each side of the
// bins of frequency +x and -x (|x| taken to the nearest bin; at DC the pads go
// to both ends), so the spectrum grows by 2n bins with its spacing kept; then
// resets the working range. Nothing for n <= 0.
void Pad(CKalvoData& data, int32_t n, double x, double padI, double padQ);

// Every point becomes its principal complex square root.
void SquareRoot(CKalvoData& data);

// The decibel reference applied to Frequency Data: minimum dB, the offset for
// the peak power of the working range (1.0 when there is no point) and the
// label. The project calls it after a transform to frequency, after reading
// Frequency Data and after the "Decibel Options" dialog.
void UpdateDbReference(CKalvoData& freqData, const CRefDlg& ref);

}  // namespace kv
