// FloatText: general format with 15 significant digits.
#include <charconv>
#include <cmath>

#include "merivan/format/number_layout.h"
#include "merivan/format/number_text.h"
#include "merivan/format/regional_settings.h"

namespace merivan {

namespace {

constexpr int kPrecision = 15;
constexpr int kRawDigits = 18;

// The 18 correctly rounded significant digits of |x| (x finite, non-zero)
// and E with 10^(E-1) <= |x| < 10^E. std::to_chars rounds the exact binary
// value to nearest, ties to even, and moves E itself when rounding reaches
// the next power of ten.
int RawDigits(double x, char* digits) {
  char text[40];
  const auto result = std::to_chars(text, text + sizeof text, std::fabs(x),
                                    std::chars_format::scientific, kRawDigits - 1);
  // text is "d.ddddddddddddddddde[+-]XXX"
  digits[0] = text[0];
  for (int i = 1; i < kRawDigits; ++i) digits[i] = text[i + 1];
  const char* e = text + kRawDigits + 2;  // past 'e'
  const bool negative = *e == '-';
  int exponent = 0;
  for (++e; e < result.ptr; ++e) exponent = exponent * 10 + (*e - '0');
  return (negative ? -exponent : exponent) + 1;
}

}  // namespace

void FloatText(double x, std::string& out) {
  if (std::isinf(x)) {
    out.assign("INF");
    return;
  }
  if (std::isnan(x)) {
    out.assign("NAN");
    return;
  }
  if (x == 0) {
    out.assign("0");
    return;
  }
  char digits[kRawDigits];
  int exponent = RawDigits(x, digits);
  // Second rounding, half up on the 18-digit string, to the precision.
  int count = kPrecision;
  if (digits[kPrecision] >= '5') {
    int i = kPrecision - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits[0] = '1';
      count = 1;
      ++exponent;
    }
  }
  while (count > 1 && digits[count - 1] == '0') --count;
  format_detail::LayoutNumber(out, std::signbit(x), digits, count, exponent, kPrecision,
                              RegionalSettings.DecimalMark);
}

std::string FloatText(double x) {
  std::string text;
  FloatText(x, text);
  return text;
}

}  // namespace merivan
