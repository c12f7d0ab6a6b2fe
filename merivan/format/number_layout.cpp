#include "merivan/format/number_layout.h"

#include <cstdlib>

namespace merivan::format_detail {

size_t LayoutNumber(char* out, bool negative, const char* digits, int count, int exponent,
                    int precision, char decimalMark) {
  char* p = out;
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
  return static_cast<size_t>(p - out);
}

}  // namespace merivan::format_detail
