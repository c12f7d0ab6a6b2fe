#pragma once
// UTF-16 text (what ODBC drivers deliver as wide characters) to UTF-8 and
// to a Windows code page, each character the code page lacks as one '?'.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace merivan::platform {

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16; a byte that starts no character becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-16 to the bytes of one code page. Single-byte code pages go through a
// table of every BMP character, built once per encoder; double-byte ones
// through iconv.
class Utf16Encoder {
 public:
  explicit Utf16Encoder(int codePage);
  ~Utf16Encoder();
  Utf16Encoder(const Utf16Encoder&) = delete;
  Utf16Encoder& operator=(const Utf16Encoder&) = delete;

  int CodePage() const { return codePage_; }
  // Most bytes one character can take (1, or 2 for double-byte code pages).
  int MaxBytesPerChar() const { return table_ ? 1 : 2; }

  // Appends the encoded `text` to `out`.
  void Append(std::u16string_view text, std::string& out) const;
  // Encodes `text` into `out` (at most `room` bytes, whole characters only)
  // and returns the count written.
  size_t Encode(std::u16string_view text, uint8_t* out, size_t room) const;

 private:
  int codePage_;
  // BMP character -> byte; 0 for a character the code page lacks (NUL maps to 0 itself).
  std::unique_ptr<std::array<uint8_t, 65536>> table_;
};

}  // namespace merivan::platform
