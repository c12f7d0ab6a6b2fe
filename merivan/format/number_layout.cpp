#include "merivan/format/number_layout.h"

#include <cstdlib>

namespace merivan::format_detail {

namespace {
// Largest text: sign, up to 19 digits, filler zeros for E <= 15, the mark,
// "0.000" or an exponent of up to four characters.
constexpr size_t kNumberTextMax = 48;
}  // namespace

void LayoutNumber(std::string& out, bool negative, const char* digits, int count, int exponent,
                  int precision, char decimalMark) {
  char text[kNumberTextMax];
  char* p = text;
  if (negative) *p++ = '-';
  if (exponent > precision || exponent < -3) {
    *p++ = digits[0];
    if (count > 1) {
      *p++ = decimalMark;
      for (int i = 1; i < count; ++i) *p++ = digits[i];
    }
    *p++ = 'E';
    int e = exponent - 1;
    if (e < 0) *p++ = '-';
    e = std::abs(e);
    char rev[8];
    int n = 0;
    do {
      rev[n++] = static_cast<char>('0' + e % 10);
      e /= 10;
    } while (e > 0);
    while (n > 0) *p++ = rev[--n];
  } else if (exponent >= 1) {
    for (int i = 0; i < exponent; ++i) *p++ = i < count ? digits[i] : '0';
    if (count > exponent) {
      *p++ = decimalMark;
      for (int i = exponent; i < count; ++i) *p++ = digits[i];
    }
  } else {
    *p++ = '0';
    *p++ = decimalMark;
    for (int i = 0; i < -exponent; ++i) *p++ = '0';
    for (int i = 0; i < count; ++i) *p++ = digits[i];
  }
  out.assign(text, static_cast<size_t>(p - text));
}

}  // namespace merivan::format_detail
