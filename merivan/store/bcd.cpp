#include "merivan/store/bcd.h"

namespace merivan {

namespace {
constexpr int kMaxDigits = 64;  // 32 bytes, two digits each
constexpr int kFixedPlaces = 4;

int Digit(const uint8_t* record, int k) {
  const uint8_t b = record[2 + k / 2];
  return k % 2 == 0 ? b >> 4 : b & 0x0F;
}
}  // namespace

bool BcdToFixedPoint(const uint8_t* record, int64_t& result) {
  const int p = record[0];
  const bool negative = (record[1] & 0x80) != 0;
  const int s = record[1] & 0x3F;
  if (p == 0 || p > kMaxDigits) return false;
  for (int k = 0; k < p; ++k) {
    if (Digit(record, k) > 9) return false;
  }
  // The fixed-point value keeps the digits down to the fourth decimal place;
  // places beyond it are dropped with rounding, missing ones padded with zeros.
  const int kept = p - s + kFixedPlaces;  // digits of the scaled integer part
  const unsigned __int128 limit = negative ? (static_cast<unsigned __int128>(1) << 63)
                                           : (static_cast<unsigned __int128>(1) << 63) - 1;
  unsigned __int128 q = 0;
  for (int k = 0; k < kept; ++k) {
    const int d = k < p ? Digit(record, k) : 0;
    q = q * 10 + static_cast<unsigned>(d);
    if (q > limit) return false;
  }
  if (kept < p) {
    // Round half to even on the dropped digits.
    const int first = Digit(record, kept < 0 ? 0 : kept);
    bool rest = false;
    for (int k = (kept < 0 ? 0 : kept) + 1; k < p; ++k) rest = rest || Digit(record, k) != 0;
    bool up = false;
    if (kept < 0) {
      up = false;  // below half a unit of the last kept place
    } else if (first > 5 || (first == 5 && rest)) {
      up = true;
    } else if (first == 5) {
      up = (q % 2) == 1;
    }
    if (up) ++q;
    if (q > limit) return false;
  }
  result = negative ? static_cast<int64_t>(-static_cast<__int128>(q)) : static_cast<int64_t>(q);
  return true;
}

}  // namespace merivan
