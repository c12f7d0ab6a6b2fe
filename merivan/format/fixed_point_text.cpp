// FixedPointText: a signed count of ten-thousandths as a decimal text.
#include "merivan/format/decimal_digits.h"
#include "merivan/format/number_layout.h"
#include "merivan/format/number_text.h"
#include "merivan/format/regional_settings.h"

namespace merivan {

char* FixedPointText(int64_t v, char* out) {
  if (v == 0) {
    *out = '0';
    return out + 1;
  }
  // Unsigned negation keeps the magnitude of the most negative value, 2^63.
  const uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  char digits[format_detail::kMaxDecimalDigits];
  int count = static_cast<int>(format_detail::WriteDecimal(digits, magnitude) - digits);
  const int exponent = count - 4;
  while (digits[count - 1] == '0') --count;
  // The exponent stays within -3..15, so the 15-digit precision never
  // switches to the scientific form.
  return format_detail::LayoutNumber(out, v < 0, digits, count, exponent, 15, RegionalSettings.DecimalMark);
}

}  // namespace merivan
