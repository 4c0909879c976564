#pragma once
#include <cstdint>

namespace kv {

class CKalvoData;
class CTransOpt;

// Number of points a transform of the data would take: 0 for empty data;
// otherwise, for the working range of R points, R ("Maximum"), the largest
// power of two not above R ("Max Power of Two") or the chosen length when
// it is at most R, else R.
int32_t TransformLength(const CKalvoData& data, const CTransOpt& options);

// True when TransformLength is at least 4: whether "Transform to Frequency"
// (Time Data) or "Transform to Time" (Frequency Data) is enabled.
bool CanTransform(const CKalvoData& data, const CTransOpt& options);

// Takes the divide flag, the first index of the source's working range and
// the transform length; false (after an error box) when start + length
// exceeds the source's points or the length is below 4.
bool CheckTransformRange(const CKalvoData& source, const CTransOpt& options, bool& divide, int32_t& start,
                         int32_t& length);

// The transform command, from Time Data to Frequency Data or back (the
// direction follows the source's time-domain flag). Shows the options
// dialog first when the options ask for it; when the range check fails it
// offers the options dialog, up to four attempts, and ends with "Data was
// not transformed." (returning false, nothing changed) when they are used up
// or the dialog is cancelled. Frequency Data is always transformed whole.
// On success the destination is replaced by the transform; the caller then
// updates the decibel reference (after a transform to frequency) and shows
// the destination's plot.
bool RunTransform(CTransOpt& options, const CKalvoData& source, CKalvoData& destination);

// The transform proper: replaces destination by the forward FFT of the
// source points start ... start + length - 1, scaled by 1/N when the
// destination's time-domain flag equals divide, in the other domain; a
// transform to time is turned into the inverse by the index reversal
// n -> (N - n) mod N. A length whose largest prime factor the FFT does not
// accept is reported and replaced by the next lower power of two. The
// sampling frequency, units, window marker and decibel settings come from
// the source; the result is complex with the whole range of its domain.
// Returns false and changes nothing for a request outside the source.
// Source and destination may be the same object.
bool TransformFrom(CKalvoData& destination, const CKalvoData& source, bool divide, int32_t start, int32_t length);

}  // namespace kv
