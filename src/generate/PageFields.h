#pragma once
#include <cstdint>

namespace kv {

class CDataExchange;

// Field exchange of the signal generator's pages. A refused field keeps the
// member as it was and leaves the page open on that field.

// A 32-bit float shown with six significant digits; anything that is not a
// finite number gets "Enter a number.".
void FloatField(CDataExchange& dx, int id, float& value);
// The same, limited to [minimum, maximum]; a value outside gets "Enter a
// number between %1 and %2." with the limits in six significant digits.
void FloatRangeField(CDataExchange& dx, int id, float& value, float minimum, float maximum);
// An unsigned 32-bit integer; anything else gets "Enter a positive integer.".
void UnsignedField(CDataExchange& dx, int id, uint32_t& value);
// The index of the checked button of a radio group; with no button checked
// the member keeps its value.
void RadioField(CDataExchange& dx, int firstId, int32_t& value);

}  // namespace kv
