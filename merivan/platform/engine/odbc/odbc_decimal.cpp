#include "merivan/platform/engine/odbc/odbc_decimal.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace merivan::engine::odbc {

namespace {

constexpr size_t kMaxDigits = 64;
constexpr size_t kMaxPlaces = 32;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

bool DecimalTextToBcd(std::string_view text, bool truncated, uint8_t* record) {
  text = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::string digits;  // every digit of the mantissa
  long point = -1;     // digits before the point
  for (; i < text.size() && (IsDigit(text[i]) || text[i] == '.'); ++i) {
    if (text[i] == '.') {
      if (point >= 0) return false;
      point = static_cast<long>(digits.size());
    } else {
      digits.push_back(text[i]);
    }
  }
  if (digits.empty()) return false;
  if (point < 0) {
    point = static_cast<long>(digits.size());
    truncated = false;  // a cut integer part cannot be told from a whole one
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negativeExponent = text[i++] == '-';
    if (i == text.size()) return false;
    long exponent = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), 100000L);
    point += negativeExponent ? -exponent : exponent;
  }
  if (i != text.size()) return false;

  // Integer and fraction digits around the point.
  std::string integer, fraction;
  if (point <= 0) {
    fraction = std::string(static_cast<size_t>(-point), '0') + digits;
  } else if (static_cast<size_t>(point) >= digits.size()) {
    integer = digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
  } else {
    integer = digits.substr(0, static_cast<size_t>(point));
    fraction = digits.substr(static_cast<size_t>(point));
  }
  const size_t lead = integer.find_first_not_of('0');
  integer.erase(0, lead == std::string::npos ? integer.size() : lead);
  bool sticky = truncated;
  if (fraction.size() > kMaxPlaces) {
    sticky = sticky || fraction.find_first_not_of('0', kMaxPlaces) != std::string::npos;
    fraction.resize(kMaxPlaces);
  }
  if (sticky) {
    if (fraction.size() < kMaxPlaces) fraction.resize(kMaxPlaces, '0');
    if (fraction.back() == '0') fraction.back() = '1';
  }
  if (integer.size() + fraction.size() > kMaxDigits) {
    integer = "1" + std::string(kMaxPlaces, '0');
    fraction.clear();
  }
  std::string all = integer + fraction;
  if (all.empty()) all = "0";

  std::memset(record, 0, kBcdRecordBytes);
  record[0] = static_cast<uint8_t>(all.size());
  record[1] = static_cast<uint8_t>((negative ? 0x80 : 0) | fraction.size());
  for (size_t k = 0; k < all.size(); ++k) {
    const auto nibble = static_cast<uint8_t>(all[k] - '0');
    record[2 + k / 2] |= k % 2 == 0 ? static_cast<uint8_t>(nibble << 4) : nibble;
  }
  return true;
}

}  // namespace merivan::engine::odbc
