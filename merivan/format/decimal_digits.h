#pragma once
// The one writer of decimal integers that every number and date text uses.
#include <cassert>
#include <cstdint>
#include <cstring>

namespace merivan::format_detail {

// 2^64 - 1 has 20 digits.
constexpr int kMaxDecimalDigits = 20;

inline int DecimalDigitCount(uint64_t value) {
  int count = 1;
  for (;;) {
    if (value < 10) return count;
    if (value < 100) return count + 1;
    if (value < 1000) return count + 2;
    if (value < 10000) return count + 3;
    value /= 10000;
    count += 4;
  }
}

// "00" to "99", two bytes each.
inline constexpr char kDigitPairs[] =
    "0001020304050607080910111213141516171819"
    "2021222324252627282930313233343536373839"
    "4041424344454647484950515253545556575859"
    "6061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes `value` in decimal at `out`, zero-filled on the left to at least
// `minDigits` (0 to 20), and returns the end; `out` has room for 20 bytes.
// The digits go in from the end, two per step: a division by 100 gives the
// pair whose two bytes are copied from a table of "00" to "99", which halves
// the divisions a digit-by-digit loop makes (the trick of fmtlib's
// format_decimal).
inline char* WriteDecimal(char* out, uint64_t value, int minDigits = 1) {
  assert(minDigits >= 0 && minDigits <= kMaxDecimalDigits);
  const int count = DecimalDigitCount(value);
  char* const end = out + (count > minDigits ? count : minDigits);
  char* p = end;
  while (value >= 100) {
    p -= 2;
    std::memcpy(p, kDigitPairs + (value % 100) * 2, 2);
    value /= 100;
  }
  if (value >= 10) {
    p -= 2;
    std::memcpy(p, kDigitPairs + value * 2, 2);
  } else {
    *--p = static_cast<char>('0' + value);
  }
  while (p > out) *--p = '0';
  return end;
}

// The same for a signed value, "-" first when negative; `out` has room for 21 bytes.
inline char* WriteSignedDecimal(char* out, int64_t value, int minDigits = 1) {
  // Unsigned negation keeps the magnitude of the most negative value, 2^63.
  uint64_t magnitude = static_cast<uint64_t>(value);
  if (value < 0) {
    *out++ = '-';
    magnitude = 0 - magnitude;
  }
  return WriteDecimal(out, magnitude, minDigits);
}

}  // namespace merivan::format_detail
