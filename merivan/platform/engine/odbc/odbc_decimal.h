#pragma once
// DECIMAL and NUMERIC values, fetched as their text, to the BCD record of
// BCD columns with the value's own digits and places.
#include <cstdint>
#include <string_view>

namespace merivan::engine::odbc {

constexpr int kBcdRecordBytes = 34;

// Reads "[-+]digits[.digits][E[-+]digits]" (blanks around it allowed) into
// `record`. `truncated` says the driver cut the text short: digits lost after
// the point then still count as non-zero. False when the text is no number.
// Values with more places or digits than the record holds keep what the
// value text can show: 32 places, the last made non-zero when digits beyond
// were, and an integer part too long for any value text becomes 10^32.
bool DecimalTextToBcd(std::string_view text, bool truncated, uint8_t* record);

}  // namespace merivan::engine::odbc
