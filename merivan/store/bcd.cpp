#include "merivan/store/bcd.h"

#include <array>
#include <cstddef>

namespace merivan {

namespace {
constexpr int kMaxDigits = 64;  // 32 bytes, two digits each
constexpr int kFixedPlaces = 4;

int Nibble(const uint8_t* record, int k) {
  const uint8_t b = record[2 + k / 2];
  return k % 2 == 0 ? b >> 4 : b & 0x0F;
}
}  // namespace

bool BcdToFixedPoint(const uint8_t* record, int64_t& result) {
  const int p = record[0];
  const bool negative = (record[1] & 0x80) != 0;
  const int s = record[1] & 0x3F;
  if (p == 0 || p > kMaxDigits) return false;

  // The nibbles spell N = sum of nibble * 10^position; a nibble above 9 (as
  // some files hold) carries into the next digit, which yields proper digits.
  std::array<int, kMaxDigits + 1> digits{};
  int carry = 0;
  for (int k = p - 1; k >= 0; --k) {
    const int d = Nibble(record, k) + carry;
    digits[static_cast<size_t>(k) + 1] = d % 10;
    carry = d / 10;
  }
  digits[0] = carry;
  const int count = p + 1;  // digits[0] is the carry digit, often 0

  // The fixed-point value keeps the digits down to the fourth decimal place;
  // places beyond it are dropped with rounding, missing ones padded with zeros.
  const int kept = count - s + kFixedPlaces;
  const unsigned __int128 limit = negative ? (static_cast<unsigned __int128>(1) << 63)
                                           : (static_cast<unsigned __int128>(1) << 63) - 1;
  unsigned __int128 q = 0;
  for (int k = 0; k < kept; ++k) {
    q = q * 10 + static_cast<unsigned>(k < count ? digits[static_cast<size_t>(k)] : 0);
    if (q > limit) return false;
  }
  if (kept >= 0 && kept < count) {
    // Half to even on the dropped digits; with kept < 0 even the first
    // dropped place is a padding zero, so the value rounds to 0.
    const int first = digits[static_cast<size_t>(kept)];
    bool rest = false;
    for (int k = kept + 1; k < count; ++k) rest = rest || digits[static_cast<size_t>(k)] != 0;
    if (first > 5 || (first == 5 && (rest || q % 2 == 1))) ++q;
    if (q > limit) return false;
  }
  result = negative ? static_cast<int64_t>(-static_cast<__int128>(q)) : static_cast<int64_t>(q);
  return true;
}

}  // namespace merivan
