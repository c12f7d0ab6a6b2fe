#include "merivan/platform/engine/common/value_parsing.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "merivan/platform/engine/common/byte_order.h"
#include "merivan/platform/locale/ascii_text.h"

namespace merivan::engine {

namespace {

// Texts are read eight bytes at a time, as one word each, the first byte
// in the low bits on every host.
constexpr uint64_t kTopBits = 0x8080808080808080ull;
constexpr uint64_t kEachByte = 0x0101010101010101ull;
constexpr uint64_t kZeroDigits = kEachByte * '0';

uint64_t WordAt(const void* p) { return LittleEndian(static_cast<const uint8_t*>(p), 8); }

// The top bit of each byte of `word` above `limit` (below 0x80); no carry
// crosses from byte to byte.
uint64_t BytesAbove(uint64_t word, uint8_t limit) {
  return (((word & ~kTopBits) + kEachByte * (0x7F - limit)) | word) & kTopBits;
}

int FirstMarkedByte(uint64_t marks) { return __builtin_ctzll(marks) / 8; }

// The number the last `count` (1 to 8) digit values, one a byte, of `values` make.
uint64_t NumberOfLastDigits(uint64_t values, int count) {
  uint64_t v = values & (~0ull << (8 * (8 - count)));  // leading zeros in place of the bytes before them
  v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFull;    // two digits a 16-bit lane
  v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFull;  // four a 32-bit lane
  return (v * 10000 + (v >> 32)) & 0xFFFFFFFFull;
}

// The run of digits that ends at `end`, read as one word: fewer than 8
// digits, or false. `end - 8` must lie inside the text.
struct DigitRun {
  uint64_t number;
  int length;
};
bool DigitsBefore(const char* end, DigitRun& run) {
  const uint64_t values = WordAt(end - 8) ^ kZeroDigits;  // digits become 0..9
  const uint64_t stops = BytesAbove(values, 9);
  if (stops == 0) return false;
  run.length = __builtin_clzll(stops) / 8;
  run.number = run.length != 0 ? NumberOfLastDigits(values, run.length) : 0;
  return true;
}

constexpr uint64_t kIntegerPowers[] = {1ull,
                                       10ull,
                                       100ull,
                                       1000ull,
                                       10000ull,
                                       100000ull,
                                       1000000ull,
                                       10000000ull,
                                       100000000ull,
                                       1000000000ull,
                                       10000000000ull,
                                       100000000000ull,
                                       1000000000000ull,
                                       10000000000000ull,
                                       100000000000000ull,
                                       1000000000000000ull};
constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Adds the decimal digits from `p` on to `digits`; returns past the last one.
const char* AddDigits(const char* p, const char* end, uint64_t& digits) {
  uint64_t v = digits;
  for (; p < end && static_cast<unsigned char>(*p - '0') < 10; ++p) v = v * 10 + static_cast<unsigned char>(*p - '0');
  digits = v;
  return p;
}

// A decimal text of the common dBASE form [-]digits[.digits] with at most
// 15 digits: every such number and its power of ten are exact doubles.
struct ShortDecimal {
  uint64_t digits;  // all digits, the point left out
  int places;       // digits after the point
  bool negative;
};

constexpr int kMaxShortDigits = 15;

// The text without the blanks around it (dBASE pads with blanks, some
// writers with NULs) and without one leading '+'.
std::string_view NumberPart(std::string_view text) {
  const char* const bytes = text.data();
  size_t first = 0, end = text.size();
  // Leading blanks a word at a time first: dBASE right-aligns its numbers.
  for (; end - first >= 8; first += 8) {
    const uint64_t shown = BytesAbove(WordAt(bytes + first), ' ');
    if (shown != 0) {
      first += static_cast<size_t>(FirstMarkedByte(shown));
      break;
    }
  }
  while (first < end && platform::IsBlank(bytes[first])) ++first;
  while (end > first && platform::IsBlank(bytes[end - 1])) --end;
  if (first < end && bytes[first] == '+') ++first;
  return std::string_view(bytes + first, end - first);
}

// `text` (a NumberPart) as a ShortDecimal; false for any other form, or
// more than 15 digits (a sum that may have wrapped).
bool ScanShortDecimalBytes(std::string_view text, ShortDecimal& d) {
  const char* p = text.data();
  const char* const end = p + text.size();
  d = ShortDecimal{0, 0, p < end && *p == '-'};
  if (d.negative) ++p;
  const char* const whole = p;
  p = AddDigits(p, end, d.digits);
  int count = static_cast<int>(p - whole);
  if (p < end && *p == '.') {
    const char* const fraction = ++p;
    p = AddDigits(p, end, d.digits);
    d.places = static_cast<int>(p - fraction);
    count += d.places;
  }
  return p == end && count != 0 && count <= kMaxShortDigits;
}

// ScanShortDecimalBytes for a right-aligned number with fewer than 8 digits
// on either side of the point, read from the right a word at a time: the
// whole part, the point, the fraction. `begin` is where the bytes before
// `text` (blanks or '+', none a digit) start; false when the words would
// reach before it or the text is of any other form.
bool ScanShortDecimalWords(std::string_view text, const char* begin, ShortDecimal& d) {
  const char* const first = text.data();
  const char* const end = first + text.size();
  if (end - begin < 8) return false;
  DigitRun last;
  if (!DigitsBefore(end, last)) return false;
  d = ShortDecimal{last.number, 0, false};
  int count = last.length;
  const char* start = end - last.length;  // of the whole part
  if (start > first && start[-1] == '.') {
    const char* const point = start - 1;
    if (point - begin < 8) return false;
    DigitRun whole;
    if (!DigitsBefore(point, whole)) return false;
    d.places = last.length;
    d.digits += whole.number * kIntegerPowers[d.places];
    count += whole.length;
    start = point - whole.length;
  }
  if (start != first) {
    if (start - 1 != first || *first != '-') return false;
    d.negative = true;
  }
  return count != 0;
}

// Numbers as dBASE stores them take the word path; any other text, or one it
// cannot decide, the byte path. The results come through `d`, not as
// optionals: returned, the small struct went through memory in parts and was
// read back whole, which stalled every value.
bool ScanShortDecimal(std::string_view text, const char* begin, ShortDecimal& d) {
  return ScanShortDecimalWords(text, begin, d) || ScanShortDecimalBytes(text, d);
}

// One division of exact doubles rounds as from_chars would, at a fraction of its cost.
double ValueOf(const ShortDecimal& d) {
  const double v = static_cast<double>(d.digits) / kPowers[d.places];
  return d.negative ? -v : v;
}

// Any other decimal text (a NumberPart) through from_chars.
std::optional<double> ParseLongDecimal(std::string_view text) {
  if (text.empty()) return std::nullopt;
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

// Stores `v` into the area of a number column as StoreNumberText says.
bool StoreNumber(ColumnKind type, double v, uint8_t* area) {
  switch (type) {
    case ColumnKind::kFloat:
    case ColumnKind::kCurrency:
      StoreDouble(v, area);
      return true;
    case ColumnKind::kSmallint:
      if (std::nearbyint(v) != v || v < -32768 || v > 32767) return false;
      StoreInt16(static_cast<int16_t>(v), area);
      return true;
    case ColumnKind::kInteger:
      if (std::nearbyint(v) != v || v < -2147483648.0 || v > 2147483647.0) return false;
      StoreInt32(static_cast<int32_t>(v), area);
      return true;
    default:
      return false;
  }
}

// StoreNumber of ValueOf(d), the whole-number columns in integers: with at
// most 15 digits a fraction that is not zero never rounds to a whole double
// (it lies 10^-places from the nearest whole number, far beyond half the
// double's spacing), so the integer test decides as the double test would.
bool StoreShortDecimal(ColumnKind type, const ShortDecimal& d, uint8_t* area) {
  if (type != ColumnKind::kSmallint && type != ColumnKind::kInteger) return StoreNumber(type, ValueOf(d), area);
  uint64_t whole = d.digits;
  if (d.places != 0) {
    const uint64_t power = kIntegerPowers[d.places];
    if (whole % power != 0) return false;
    whole /= power;
  }
  const int64_t v = d.negative ? -static_cast<int64_t>(whole) : static_cast<int64_t>(whole);
  if (type == ColumnKind::kSmallint) {
    if (v < INT16_MIN || v > INT16_MAX) return false;
    StoreInt16(static_cast<int16_t>(v), area);
    return true;
  }
  if (v < INT32_MIN || v > INT32_MAX) return false;
  StoreInt32(static_cast<int32_t>(v), area);
  return true;
}

}  // namespace

std::optional<double> ParseDecimalText(std::string_view text) {
  const std::string_view number = NumberPart(text);
  if (ShortDecimal d; ScanShortDecimal(number, text.data(), d)) return ValueOf(d);
  return ParseLongDecimal(number);
}

bool StoreNumberText(ColumnKind type, std::string_view text, uint8_t* area) {
  const std::string_view number = NumberPart(text);
  if (ShortDecimal d; ScanShortDecimal(number, text.data(), d)) return StoreShortDecimal(type, d, area);
  const std::optional<double> v = ParseLongDecimal(number);
  return v && StoreNumber(type, *v, area);
}

std::optional<int32_t> DayNumberOf(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
  // Days in each month and before it, of common and of leap years.
  static constexpr int kDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                       {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
  static constexpr int kDaysBefore[2][12] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
                                             {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};
  // Unsigned: the year is positive here, and its divisions become shifts and multiplications.
  const auto y = static_cast<uint32_t>(year);
  const int leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
  if (day > kDays[leap][month - 1]) return std::nullopt;
  const uint32_t before = y - 1;
  return static_cast<int32_t>(before * 365 + before / 4 - before / 100 + before / 400) +
         kDaysBefore[leap][month - 1] + day;
}

std::optional<int32_t> DayNumberOfDateText(const uint8_t* text) {
  const uint64_t values = WordAt(text) ^ kZeroDigits;
  if (BytesAbove(values, 9) != 0) return std::nullopt;
  const uint64_t pairs = (values * 10 + (values >> 8)) & 0x00FF00FF00FF00FFull;  // 0..99 a 16-bit lane
  const auto pair = [pairs](int lane) { return static_cast<int>((pairs >> (16 * lane)) & 0xFF); };
  return DayNumberOf(pair(0) * 100 + pair(1), pair(2), pair(3));
}

}  // namespace merivan::engine
