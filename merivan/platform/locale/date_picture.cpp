#include "merivan/platform/locale/date_picture.h"

namespace merivan::platform {

namespace {

void AppendNumber(std::string& out, int64_t value, int minDigits) {
  const std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < minDigits) out.append(minDigits - digits.size(), '0');
  out += digits;
}

}  // namespace

std::string FormatDatePicture(std::string_view picture, const SystemDate& date,
                              const EraDate& era, bool eraYears,
                              const std::function<std::optional<std::string>(LCTYPE)>& item) {
  std::string out;
  size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    size_t n = 1;
    while (i + n < picture.size() && picture[i + n] == c) ++n;
    if (c == '\'') {
      const size_t close = picture.find('\'', i + 1);
      const size_t end = close == std::string_view::npos ? picture.size() : close;
      out += picture.substr(i + 1, end - i - 1);
      i = close == std::string_view::npos ? picture.size() : close + 1;
      continue;
    }
    switch (c) {
      case 'g':
        out += era.era;
        break;
      case 'y':
        if (n <= 2)
          AppendNumber(out, era.year % 100, static_cast<int>(n));
        else
          AppendNumber(out, era.year, eraYears ? 1 : 4);
        break;
      case 'M':
        if (n <= 2) {
          AppendNumber(out, date.month, static_cast<int>(n));
        } else {
          const LCTYPE first = n == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1;
          out += item(first + date.month - 1).value_or("");
        }
        break;
      case 'd':
        if (n <= 2) {
          AppendNumber(out, date.day, static_cast<int>(n));
        } else {
          // Windows numbers the day names from Monday.
          const int64_t sunday0 = ((DaysSinceEpoch(date) + 4) % 7 + 7) % 7;
          const int64_t monday0 = (sunday0 + 6) % 7;
          const LCTYPE first = n == 3 ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1;
          out += item(first + static_cast<LCTYPE>(monday0)).value_or("");
        }
        break;
      default:
        out.append(n, c);
        break;
    }
    i += n;
  }
  return out;
}

}  // namespace merivan::platform
