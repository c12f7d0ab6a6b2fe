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
  char reversed[20];
  int count = 0;
  while (magnitude > 0) {
    reversed[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  char digits[20];
  for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
  const int exponent = count - 4;
  while (digits[count - 1] == '0') --count;
  // The exponent stays within -3..15, so the 15-digit precision never
  // switches to the scientific form.
  char text[format_detail::kNumberTextMax];
  const size_t length = format_detail::LayoutNumber(text, v < 0, digits, count, exponent, 15,
                                                    RegionalSettings.DecimalMark);
  out.assign(text, length);
}

std::string FixedPointText(int64_t v) {
  std::string text;
  FixedPointText(v, text);
  return text;
}

}  // namespace merivan
