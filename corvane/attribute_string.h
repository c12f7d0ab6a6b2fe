#pragma once

#include <array>
#include <cstddef>

namespace corvane {

// The installer's attribute string: "DSN=" and the texts appended to it in a
// 1024-byte array filled with NUL bytes, so at least two NULs end the list.
class AttributeString {
 public:
  static constexpr std::size_t kSize = 1024;
  // Text that still leaves the two ending NUL bytes.
  static constexpr std::size_t kMaxText = kSize - 2;

  AttributeString();

  // Appends the bytes up to the NUL; false, leaving the string as it was,
  // when the text would no longer fit.
  bool append(const char* bytes);
  const char* data() const { return bytes_.data(); }
  std::size_t length() const { return length_; }

 private:
  std::array<char, kSize> bytes_{};
  std::size_t length_ = 0;
};

}  // namespace corvane
