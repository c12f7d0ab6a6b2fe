#include "merivan/platform/engine/text/text_values.h"

#include <cstring>

#include "merivan/platform/engine/common/value_parsing.h"
#include "merivan/platform/locale/ascii_text.h"

namespace merivan::engine {

namespace {

using platform::TrimBlanks;

// Reads `minDigits` to `maxDigits` digits at the front of `s` into `out`;
// false, leaving `s` as it was, when fewer stand there.
bool TakeNumber(std::string_view& s, size_t minDigits, size_t maxDigits, int* out) {
  size_t n = 0;
  int v = 0;
  while (n < s.size() && n < maxDigits && s[n] >= '0' && s[n] <= '9') v = v * 10 + (s[n++] - '0');
  if (n < minDigits) return false;
  s.remove_prefix(n);
  *out = v;
  return true;
}

bool Take(std::string_view& s, char c) {
  if (s.empty() || s.front() != c) return false;
  s.remove_prefix(1);
  return true;
}

// A date at the front of `s`; the rest is left in `s`.
std::optional<int32_t> TakeDate(std::string_view& s) {
  std::string_view t = s;
  int a = 0, b = 0, c = 0;
  if (!TakeNumber(t, 1, 4, &a) || t.empty()) return std::nullopt;
  const size_t firstDigits = s.size() - t.size();
  const char sep = t.front();
  if (sep != '-' && sep != '.' && sep != '/') return std::nullopt;
  t.remove_prefix(1);
  if (sep == '-') {
    if (firstDigits != 4 || !TakeNumber(t, 1, 2, &b) || !Take(t, '-') || !TakeNumber(t, 1, 2, &c)) return std::nullopt;
    s = t;
    return DayNumberOf(a, b, c);  // YYYY-MM-DD
  }
  if (!TakeNumber(t, 1, 2, &b) || !Take(t, sep) || !TakeNumber(t, 4, 4, &c)) return std::nullopt;
  if (firstDigits > 2) return std::nullopt;
  s = t;
  return sep == '.' ? DayNumberOf(c, b, a) : DayNumberOf(c, a, b);  // D.M.YYYY, M/D/YYYY
}

std::optional<int32_t> TakeTime(std::string_view& s) {
  std::string_view t = s;
  int h = 0, m = 0, sec = 0, ms = 0;
  if (!TakeNumber(t, 1, 2, &h) || !Take(t, ':') || !TakeNumber(t, 2, 2, &m)) return std::nullopt;
  if (Take(t, ':')) {
    if (!TakeNumber(t, 2, 2, &sec)) return std::nullopt;
    if (Take(t, '.')) {
      std::string_view digits = t;
      int frac = 0;
      if (!TakeNumber(t, 1, 3, &frac)) return std::nullopt;
      const size_t n = digits.size() - t.size();
      ms = frac * (n == 1 ? 100 : n == 2 ? 10 : 1);
    }
  }
  std::string_view rest = TrimBlanks(t);
  if (rest.size() >= 2 && (rest[1] == 'M' || rest[1] == 'm') &&
      (rest[0] == 'A' || rest[0] == 'a' || rest[0] == 'P' || rest[0] == 'p')) {
    if (h < 1 || h > 12) return std::nullopt;
    const bool pm = rest[0] == 'P' || rest[0] == 'p';
    h = h % 12 + (pm ? 12 : 0);
    rest.remove_prefix(2);
    t = rest;
  }
  if (h > 23 || m > 59 || sec > 59) return std::nullopt;
  s = t;
  return ((h * 60 + m) * 60 + sec) * 1000 + ms;
}

// Stores a value that was read; false for one that was not.
template <typename T>
bool StoreIfRead(const std::optional<T>& value, void (*store)(T, uint8_t*), uint8_t* area) {
  if (!value) return false;
  store(*value, area);
  return true;
}

bool ParseBool(std::string_view t, bool* out) {
  for (std::string_view yes : {"T", "TRUE", "Y", "YES", "1"})
    if (platform::EqualsIgnoringAsciiCase(t, yes)) return *out = true, true;
  for (std::string_view no : {"F", "FALSE", "N", "NO", "0"})
    if (platform::EqualsIgnoringAsciiCase(t, no)) return *out = false, true;
  return false;
}

}  // namespace

std::optional<int32_t> ParseTextDate(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  const std::optional<int32_t> day = TakeDate(s);
  if (!day || !s.empty()) return std::nullopt;
  return day;
}

std::optional<int32_t> ParseTextTime(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  const std::optional<int32_t> ms = TakeTime(s);
  if (!ms || !TrimBlanks(s).empty()) return std::nullopt;
  return ms;
}

std::optional<double> ParseTextTimestamp(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  const std::optional<int32_t> day = TakeDate(s);
  if (!day) return std::nullopt;
  int32_t ms = 0;
  if (!s.empty()) {
    if (s.front() != 'T' && !platform::IsBlank(s.front())) return std::nullopt;
    s.remove_prefix(1);
    const std::optional<int32_t> time = ParseTextTime(s);
    if (!time) return std::nullopt;
    ms = *time;
  }
  return static_cast<double>(*day) * 86400000.0 + ms;
}

bool DecodeTextValue(const TextColumn& column, std::string_view text, uint8_t* area) {
  if (column.type == ColumnKind::kString) {
    const size_t n = std::min<size_t>(text.size(), static_cast<size_t>(column.width));
    std::memcpy(area, text.data(), n);
    area[n] = 0;
    return true;
  }
  const std::string_view t = TrimBlanks(text);
  if (t.empty()) return false;
  switch (column.type) {
    case ColumnKind::kFloat:
    case ColumnKind::kCurrency:
    case ColumnKind::kInteger:
    case ColumnKind::kSmallint:
      return StoreNumberText(column.type, t, area);
    case ColumnKind::kBoolean: {
      bool b = false;
      if (!ParseBool(t, &b)) return false;
      StoreInt16(b ? 1 : 0, area);
      return true;
    }
    case ColumnKind::kDate: return StoreIfRead(ParseTextDate(t), StoreInt32, area);
    case ColumnKind::kTime: return StoreIfRead(ParseTextTime(t), StoreInt32, area);
    case ColumnKind::kDateTime: return StoreIfRead(ParseTextTimestamp(t), StoreDouble, area);
    default:
      return false;
  }
}

}  // namespace merivan::engine
