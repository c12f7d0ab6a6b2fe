#pragma once
// The general number layout shared by FloatText and FixedPointText: a digit
// string D (no trailing zeros) with decimal exponent E, where the value is
// 0.D x 10^E.
#include <cstddef>

namespace merivan::format_detail {

// Writes the layout at `out`, which has room for kNumberTextMax bytes
// (number_text.h), and returns its end. Scientific form when E > precision
// or E < -3.
char* LayoutNumber(char* out, bool negative, const char* digits, int count, int exponent, int precision,
                   char decimalMark);

}  // namespace merivan::format_detail
