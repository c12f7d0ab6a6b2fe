#pragma once
// A 256-byte output area over the caller's bytes: what goes beyond its end
// is dropped, so a long pattern can neither overflow nor allocate.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "merivan/format/decimal_digits.h"

namespace merivan::format_detail {

class BoundedText {
 public:
  static constexpr size_t kCapacity = 256;

  // `bytes` has room for kCapacity bytes.
  explicit BoundedText(char* bytes) : next_(bytes), end_(bytes + kCapacity) {}
  // The rest of an area, from `next` up to its `end`.
  BoundedText(char* next, char* end) : next_(next), end_(end) {}

  void Put(char c) {
    if (next_ < end_) *next_++ = c;
  }
  void Put(std::string_view text) {
    const size_t n = std::min(text.size(), static_cast<size_t>(end_ - next_));
    // Most pieces of a date are a byte or two: a loop beats calling memcpy.
    if (n <= 8) {
      for (size_t i = 0; i < n; ++i) next_[i] = text[i];
    } else {
      std::memcpy(next_, text.data(), n);
    }
    next_ += n;
  }
  // value in decimal, zero-filled on the left to at least minDigits (0 to 20).
  void PutNumber(int64_t value, int minDigits) {
    if (end_ - next_ > kMaxDecimalDigits) {
      next_ = WriteSignedDecimal(next_, value, minDigits);
      return;
    }
    char digits[kMaxDecimalDigits + 1];
    Put(std::string_view(digits, static_cast<size_t>(WriteSignedDecimal(digits, value, minDigits) - digits)));
  }

  // The same for the parts of a date and time: 0 <= value < 100, minDigits 1 or 2.
  void PutSmallNumber(int value, int minDigits) {
    if (end_ - next_ < 2) {
      PutNumber(value, minDigits);
    } else if (value >= 10 || minDigits == 2) {
      std::memcpy(next_, kDigitPairs + value * 2, 2);
      next_ += 2;
    } else {
      *next_++ = static_cast<char>('0' + value);
    }
  }
  // A year with at least four digits.
  void PutYear(int64_t year) {
    if (year < 0 || year > 9999 || end_ - next_ < 4) {
      PutNumber(year, 4);
      return;
    }
    std::memcpy(next_, kDigitPairs + year / 100 * 2, 2);
    std::memcpy(next_ + 2, kDigitPairs + year % 100 * 2, 2);
    next_ += 4;
  }

  // Past the last byte written.
  char* End() const { return next_; }

 private:
  char* next_;
  char* end_;
};

}  // namespace merivan::format_detail
