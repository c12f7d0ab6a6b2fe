// FixedPointText: a signed count of ten-thousandths as a decimal text.
#include "merivan/format/number_layout.h"
#include "merivan/format/number_text.h"
#include "merivan/format/regional_settings.h"

namespace merivan {

void FixedPointText(int64_t v, std::string& out) {
  if (v == 0) {
    out.assign("0");
    return;
  }
  // Unsigned negation keeps the magnitude of the most negative value, 2^63.
  uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  // Digits are written from the end, most significant first once done.
  char buffer[20];
  char* digits = buffer + sizeof buffer;
  while (magnitude > 0) {
    *--digits = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  int count = static_cast<int>(buffer + sizeof buffer - digits);
  const int exponent = count - 4;
  while (digits[count - 1] == '0') --count;
  // The exponent stays within -3..15, so the 15-digit precision never
  // switches to the scientific form.
  format_detail::LayoutNumber(out, v < 0, digits, count, exponent, 15, RegionalSettings.DecimalMark);
}

std::string FixedPointText(int64_t v) {
  std::string text;
  FixedPointText(v, text);
  return text;
}

}  // namespace merivan
