// FloatText: general format with 15 significant digits.
#include <charconv>
#include <cmath>
#include <cstring>

#include "merivan/format/decimal_digits.h"
#include "merivan/format/number_layout.h"
#include "merivan/format/number_text.h"
#include "merivan/format/regional_settings.h"

namespace merivan {

namespace {

constexpr int kPrecision = 15;
constexpr int kRawDigits = 18;

char* Put(char* out, const char* text, size_t n) {
  std::memcpy(out, text, n);
  return out + n;
}

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

// Most values of a table are short decimals between 0.001 and 10^15. When
// a decimal N / 10^k of at most 15 digits reads back as x, its digits are
// what the two roundings below give (x lies within half a unit in the 17th
// digit of it, far from any point where the 15-digit rounding turns).
// Trying k = 0, 1, 2, ... finds the shortest such N at once for amounts with
// few decimals; at k = 15 - E, N = |x| * 10^k rounded is off from the exact
// product by less than 0.2, so no such N escapes. The powers of ten used
// are exact doubles, and N / 10^k == |x| checks each candidate. Gives N, k
// and E with 10^(E-1) <= |x| < 10^E.
bool ShortDecimal(double x, uint64_t& n, int& places, int& exponent) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                       1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17};
  // The doubles nearest to 10^-3, 10^-2 and 10^-1 lie above them, so
  // comparing with them tells which side of the power x is on.
  static constexpr double kBounds[] = {1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                       1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const double a = std::fabs(x);
  if (!(a >= kBounds[0] && a < kBounds[18])) return false;
  int e = -2;  // 10^(e-1) <= a < 10^e
  while (a >= kBounds[e + 3]) ++e;
  const int last = 15 - e;
  for (int k = e < 1 ? 1 - e : 0; k <= last; ++k) {
    const double scaled = a * kPowers[k];
    const double candidate = k < last ? static_cast<double>(static_cast<int64_t>(scaled)) : std::nearbyint(scaled);
    if (candidate != scaled && k < last) continue;
    if (candidate / kPowers[k] != a) {
      if (k < last) continue;
      return false;
    }
    n = static_cast<uint64_t>(candidate);
    places = k;
    exponent = e;
    return true;
  }
  return false;
}

// The plain form of N / 10^k when E >= 1: N then has E + k digits (its
// quotient lies in [10^(E-1), 10^E) and every bound is an exact double far
// from a rounding), so the whole part is N / 10^k and the fraction its k
// digits, trailing zeros dropped: what LayoutNumber writes for these digits.
char* PlainDecimal(char* out, bool negative, uint64_t n, int places, char decimalMark) {
  static constexpr uint64_t kTens[] = {1u,           10u,           100u,           1000u,
                                       10000u,       100000u,       1000000u,       10000000u,
                                       100000000u,   1000000000u,   10000000000u,   100000000000u,
                                       1000000000000u, 10000000000000u, 100000000000000u, 1000000000000000u};
  if (negative) *out++ = '-';
  out = format_detail::WriteDecimal(out, n / kTens[places]);
  uint64_t fraction = n % kTens[places];
  if (fraction == 0) return out;
  while (fraction % 10 == 0) {
    fraction /= 10;
    --places;
  }
  *out++ = decimalMark;
  return format_detail::WriteDecimal(out, fraction, places);
}

}  // namespace

char* FloatText(double x, char* out) {
  if (std::isinf(x)) return Put(out, "INF", 3);
  if (std::isnan(x)) return Put(out, "NAN", 3);
  if (x == 0) return Put(out, "0", 1);
  char digits[format_detail::kMaxDecimalDigits];
  int count;
  int exponent;
  uint64_t n;
  int places;
  if (ShortDecimal(x, n, places, exponent)) {
    if (exponent >= 1) return PlainDecimal(out, std::signbit(x), n, places, RegionalSettings.DecimalMark);
    count = static_cast<int>(format_detail::WriteDecimal(digits, n) - digits);
    while (count > 1 && digits[count - 1] == '0') --count;
    return format_detail::LayoutNumber(out, std::signbit(x), digits, count, exponent, kPrecision,
                                       RegionalSettings.DecimalMark);
  }
  exponent = RawDigits(x, digits);
  // Second rounding, half up on the 18-digit string, to the precision.
  count = kPrecision;
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
  return format_detail::LayoutNumber(out, std::signbit(x), digits, count, exponent, kPrecision,
                                     RegionalSettings.DecimalMark);
}

}  // namespace merivan
