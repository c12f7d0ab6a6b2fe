#pragma once
// The 34-byte BCD record of ftBCD fields and its conversion to fixed point.
#include <cstdint>

namespace merivan {

constexpr int kBcdRecordSize = 34;

// Converts the record to a signed count of ten-thousandths, rounding ties to
// even. A nibble above 9 counts with its value (10 to 15). False when the
// record has no digits, more digits than it can hold, or a value outside the
// 64-bit range.
bool BcdToFixedPoint(const uint8_t* record, int64_t& result);

}  // namespace merivan
