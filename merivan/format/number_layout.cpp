#include "merivan/format/number_layout.h"

#include <cstring>

#include "merivan/format/decimal_digits.h"

namespace merivan::format_detail {

char* LayoutNumber(char* out, bool negative, const char* digits, int count, int exponent, int precision,
                   char decimalMark) {
  char* p = out;
  if (negative) *p++ = '-';
  if (exponent > precision || exponent < -3) {
    *p++ = digits[0];
    if (count > 1) {
      *p++ = decimalMark;
      std::memcpy(p, digits + 1, static_cast<size_t>(count - 1));
      p += count - 1;
    }
    *p++ = 'E';
    return WriteSignedDecimal(p, exponent - 1);
  }
  if (exponent >= 1) {
    for (int i = 0; i < exponent; ++i) *p++ = i < count ? digits[i] : '0';
    if (count > exponent) {
      *p++ = decimalMark;
      std::memcpy(p, digits + exponent, static_cast<size_t>(count - exponent));
      p += count - exponent;
    }
    return p;
  }
  *p++ = '0';
  *p++ = decimalMark;
  for (int i = 0; i < -exponent; ++i) *p++ = '0';
  std::memcpy(p, digits, static_cast<size_t>(count));
  return p + count;
}

}  // namespace merivan::format_detail
