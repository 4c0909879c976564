#pragma once
#include <cstdint>

namespace kv {

class CKalvoData;

// The arithmetic of the Time and Frequency menus, in place on the two columns
// of a data object. None of them is limited to the working range.

// Multiplies every Inphase value, and every Quadrature value unless the data
// is real, by the factor. A factor of exactly 0.0 asks first; returns false
// when the user declined.
bool Scale(CKalvoData& data, double factor);
// Multiplies every point by e^(j(phase + k*2*pi*f/Fs)) (a frequency shift up
// by f), then runs the real-data test. Returns false, changing nothing, when
// the phase step is not finite (a sampling frequency of 0).
bool Mix(CKalvoData& data, double frequency, double phase);
// Every negative Inphase and Quadrature value changes sign.
void Rectify(CKalvoData& data);
// Subtracts the mean of each column from that column.
void RemoveDc(CKalvoData& data);
// Negates the Quadrature column.
void Conjugate(CKalvoData& data);
// Puts n zeros between consecutive points; with scaleFs the data's own
// sampling frequency is multiplied by n + 1. Nothing for n <= 0.
void ZeroStuff(CKalvoData& data, int32_t n, bool scaleFs);
// n zeros in front of / behind the data. Nothing for n <= 0.
void ZeroPadFront(CKalvoData& data, int32_t n);
void ZeroPadBack(CKalvoData& data, int32_t n);
// Frequency Data: inserts n pad values on each side of the spectrum at the
// frequency x (symmetric about DC), then resets the range. Nothing for n <= 0.
void Pad(CKalvoData& data, int32_t n, double x, double padI, double padQ);
// The principal complex square root of every point.
void SquareRoot(CKalvoData& data);

}  // namespace kv
