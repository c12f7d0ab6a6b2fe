#pragma once
// A fixed 256-byte output area: bytes beyond its end are dropped, so a long
// pattern can neither overflow nor allocate.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace merivan::format_detail {

class BoundedText {
 public:
  static constexpr size_t kCapacity = 256;

  void Put(char c) {
    if (length_ < kCapacity) bytes_[length_++] = c;
  }
  void Put(std::string_view text) {
    for (char c : text) Put(c);
  }
  // value in decimal, zero-filled on the left to at least minDigits.
  void PutNumber(int64_t value, int minDigits);

  std::string_view View() const { return {bytes_, length_}; }

 private:
  char bytes_[kCapacity];
  size_t length_ = 0;
};

}  // namespace merivan::format_detail
