#include "merivan/format/bounded_text.h"

namespace merivan::format_detail {

void BoundedText::PutNumber(int64_t value, int minDigits) {
  if (value < 0) {
    Put('-');
    value = -value;
  }
  char reversed[24];
  int n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  for (int i = n; i < minDigits; ++i) Put('0');
  while (n > 0) Put(reversed[--n]);
}

}  // namespace merivan::format_detail
