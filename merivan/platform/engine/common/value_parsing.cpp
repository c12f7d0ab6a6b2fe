#include "merivan/platform/engine/common/value_parsing.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

#include "merivan/platform/locale/ascii_text.h"

namespace merivan::engine {

namespace {

// Adds the decimal digits from `p` on to `digits`; returns past the last one.
const char* AddDigits(const char* p, const char* end, uint64_t& digits) {
  uint64_t v = digits;
  for (; p < end && static_cast<unsigned char>(*p - '0') < 10; ++p) v = v * 10 + static_cast<unsigned char>(*p - '0');
  digits = v;
  return p;
}

// The common case of every dBASE number: [-]digits[.digits] of at most 15
// digits. The digits as an integer and the power of ten are then exact, so
// one division rounds as from_chars would, at a fraction of its cost.
std::optional<double> ParseShortDecimal(std::string_view text) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                       1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  // The digits before and after the point; more than 15 of them (a sum
  // that may have wrapped) give up below.
  uint64_t digits = 0;
  const char* const whole = p;
  p = AddDigits(p, end, digits);
  int count = static_cast<int>(p - whole);
  int places = 0;
  if (p < end && *p == '.') {
    const char* const fraction = ++p;
    p = AddDigits(p, end, digits);
    places = static_cast<int>(p - fraction);
    count += places;
  }
  if (p != end || count == 0 || count > 15) return std::nullopt;
  const double v = static_cast<double>(digits) / kPowers[places];
  return negative ? -v : v;
}

}  // namespace

std::optional<double> ParseDecimalText(std::string_view text) {
  text = platform::TrimBlanks(text);  // dBASE pads with blanks, some writers with NULs
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  if (const std::optional<double> v = ParseShortDecimal(text)) return v;
  // from_chars takes no leading '+' and no leading '.' after a sign, so check the form here.
  const char* first = text.data();
  const char* last = text.data() + text.size();
  bool digits = false;
  for (const char* p = first; p < last && *p != 'e' && *p != 'E'; ++p)
    if (std::isdigit(static_cast<unsigned char>(*p))) digits = true;
  if (!digits) return std::nullopt;
  double v = 0;
  const auto r = std::from_chars(first, last, v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != last) return std::nullopt;
  return v;
}

bool StoreNumberText(ColumnKind type, std::string_view text, uint8_t* area) {
  const std::optional<double> v = ParseDecimalText(text);
  if (!v) return false;
  switch (type) {
    case ColumnKind::kFloat:
    case ColumnKind::kCurrency:
      StoreDouble(*v, area);
      return true;
    case ColumnKind::kSmallint:
      if (std::nearbyint(*v) != *v || *v < -32768 || *v > 32767) return false;
      StoreInt16(static_cast<int16_t>(*v), area);
      return true;
    case ColumnKind::kInteger:
      if (std::nearbyint(*v) != *v || *v < -2147483648.0 || *v > 2147483647.0) return false;
      StoreInt32(static_cast<int32_t>(*v), area);
      return true;
    default:
      return false;
  }
}

std::optional<int32_t> DayNumberOf(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  // Days of a common year before each month.
  static constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int inMonth = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  if (day > inMonth) return std::nullopt;
  const int y = year - 1;
  const int32_t n = y * 365 + y / 4 - y / 100 + y / 400 + kDaysBefore[month - 1] + (month > 2 && leap ? 1 : 0);
  return n + day;
}

}  // namespace merivan::engine
