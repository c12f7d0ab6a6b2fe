#pragma once
// The general number layout shared by FloatText and FixedPointText: a digit
// string D (no trailing zeros) with decimal exponent E, where the value is
// 0.D x 10^E.
#include <string>

namespace merivan::format_detail {

// Replaces `out` by the layout, allocating nothing once its capacity
// suffices. Scientific form when E > precision or E < -3.
void LayoutNumber(std::string& out, bool negative, const char* digits, int count, int exponent,
                  int precision, char decimalMark);

}  // namespace merivan::format_detail
