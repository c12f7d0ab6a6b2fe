#pragma once
// The BCD record of ftBCD fields (the engine's kBcd data area) and its
// conversion to fixed point.
#include <cstdint>

namespace merivan {

// Converts the record to a signed count of ten-thousandths, rounding ties to
// even. A nibble above 9 counts with its value (10 to 15). False when the
// record has no digits, more digits than it can hold, or a value outside the
// 64-bit range.
bool BcdToFixedPoint(const uint8_t* record, int64_t& result);

}  // namespace merivan
