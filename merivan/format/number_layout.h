#pragma once
// The general number layout shared by FloatText and FixedPointText: a digit
// string D (no trailing zeros) with decimal exponent E, where the value is
// 0.D x 10^E.
#include <cstddef>

namespace merivan::format_detail {

// Largest text LayoutNumber writes: sign, up to 19 digits, filler zeros for
// E <= 15, the mark, "0.000" or an exponent of up to four characters.
constexpr size_t kNumberTextMax = 48;

// Writes the layout into `out` (at least kNumberTextMax bytes) and returns its
// length. Scientific form when E > precision or E < -3.
size_t LayoutNumber(char* out, bool negative, const char* digits, int count, int exponent,
                    int precision, char decimalMark);

}  // namespace merivan::format_detail
