#include "merivan/platform/engine/common/table_codepage.h"

#include <algorithm>
#include <cstring>

#include "merivan/platform/engine/common/byte_order.h"

namespace merivan::engine {

namespace {

// Mazovia and Kamenický are code page 437 with national letters in its upper half.
struct Letter {
  uint8_t byte;
  const char* utf8;
};
constexpr Letter kMazoviaLetters[] = {
    {0x86, "\xC4\x85"}, {0x8D, "\xC4\x87"}, {0x8F, "\xC4\x84"}, {0x90, "\xC4\x98"},
    {0x91, "\xC4\x99"}, {0x92, "\xC5\x82"}, {0x95, "\xC4\x86"}, {0x98, "\xC5\x9A"},
    {0x9C, "\xC5\x81"}, {0x9E, "\xC5\x9B"}, {0xA0, "\xC5\xB9"}, {0xA1, "\xC5\xBB"},
    {0xA2, "\xC3\xB3"}, {0xA3, "\xC3\x93"}, {0xA4, "\xC5\x84"}, {0xA5, "\xC5\x83"},
    {0xA6, "\xC5\xBA"}, {0xA7, "\xC5\xBC"},
};

// Czech and Slovak letters in 0x80..0xAB.
constexpr Letter kKamenickyLetters[] = {
    {0x80, "\xC4\x8C"}, {0x81, "\xC3\xBC"}, {0x82, "\xC3\xA9"}, {0x83, "\xC4\x8F"}, {0x84, "\xC3\xA4"},
    {0x85, "\xC4\x8E"}, {0x86, "\xC5\xA4"}, {0x87, "\xC4\x8D"}, {0x88, "\xC4\x9B"}, {0x89, "\xC4\x9A"},
    {0x8A, "\xC4\xB9"}, {0x8B, "\xC3\x8D"}, {0x8C, "\xC4\xBE"}, {0x8D, "\xC4\xBA"}, {0x8E, "\xC3\x84"},
    {0x8F, "\xC3\x81"}, {0x90, "\xC3\x89"}, {0x91, "\xC5\xBE"}, {0x92, "\xC5\xBD"}, {0x93, "\xC3\xB4"},
    {0x94, "\xC3\xB6"}, {0x95, "\xC3\x93"}, {0x96, "\xC5\xAF"}, {0x97, "\xC3\x9A"}, {0x98, "\xC3\xBD"},
    {0x99, "\xC3\x96"}, {0x9A, "\xC3\x9C"}, {0x9B, "\xC5\xA0"}, {0x9C, "\xC4\xBD"}, {0x9D, "\xC3\x9D"},
    {0x9E, "\xC5\x98"}, {0x9F, "\xC5\xA5"}, {0xA0, "\xC3\xA1"}, {0xA1, "\xC3\xAD"}, {0xA2, "\xC3\xB3"},
    {0xA3, "\xC3\xBA"}, {0xA4, "\xC5\x88"}, {0xA5, "\xC5\x87"}, {0xA6, "\xC5\xAE"}, {0xA7, "\xC3\x94"},
    {0xA8, "\xC5\xA1"}, {0xA9, "\xC5\x99"}, {0xAA, "\xC5\x95"}, {0xAB, "\xC5\x94"},
};

template <size_t N>
std::optional<platform::ByteMap> Cp437VariantToAnsi(const Letter (&letters)[N], int ansi) {
  std::optional<platform::ByteMap> map = platform::CodePageTable(437, ansi);
  if (!map) return map;
  for (const Letter& l : letters) {
    const std::string b = platform::Utf8ToCodePage(l.utf8, ansi);
    (*map)[l.byte] = b.size() == 1 ? static_cast<uint8_t>(b[0]) : '?';
  }
  return map;
}

}  // namespace

platform::ByteMap TableToAnsiMap(int codePage, int ansi) {
  if (codePage != 0) {
    if (codePage == ansi) {
      platform::ByteMap identity;
      for (int b = 0; b < 256; ++b) identity[b] = static_cast<uint8_t>(b);
      return identity;
    }
    const std::optional<platform::ByteMap> map =
        codePage == kMazoviaCodePage     ? Cp437VariantToAnsi(kMazoviaLetters, ansi)
        : codePage == kKamenickyCodePage ? Cp437VariantToAnsi(kKamenickyLetters, ansi)
                                         : platform::CodePageTable(codePage, ansi);
    if (map) return *map;
  }
  return platform::OemToAnsiMap();
}

bool KeepsAscii(const platform::ByteMap& map) {
  for (int b = 0; b < 0x80; ++b)
    if (map[b] != b) return false;
  return true;
}

namespace {

constexpr uint64_t kTopBits = 0x8080808080808080ull;
constexpr uint64_t kEachByte = 0x0101010101010101ull;

// Converts the bytes of the word at `src` whose top bit `marks` has into
// the word at `dst`, which holds the others already.
void ConvertMarked(const platform::ByteMap& map, const uint8_t* src, uint8_t* dst, uint64_t marks) {
  for (; marks != 0; marks &= marks - 1) {
    const size_t k = static_cast<size_t>(__builtin_ctzll(marks)) / 8;
    dst[k] = map[src[k]];
  }
}

// The top bit of every NUL byte of `word`; only the lowest is sure (a borrow
// can mark a byte after it), which is the one looked at.
uint64_t NulMarks(uint64_t word) { return (word - kEachByte) & ~word & kTopBits; }

// All eight bytes of the word at `src` into `dst`, converted.
void ConvertWord(const platform::ByteMap& map, bool keepsAscii, const uint8_t* src, uint64_t word, uint8_t* dst) {
  if (keepsAscii && (word & kTopBits) == 0) {
    std::memcpy(dst, src, 8);
    return;
  }
  for (int k = 0; k < 8; ++k) dst[k] = map[src[k]];
}

}  // namespace

size_t ConvertText(const platform::ByteMap& map, bool keepsAscii, const uint8_t* src, size_t width, uint8_t* dst) {
  if (width < 8) {
    for (size_t i = 0; i < width; ++i) {
      if (src[i] == 0) return i;
      dst[i] = map[src[i]];
    }
    return width;
  }
  // Words from the start, the last one ending with the field: it may cover
  // bytes converted already, converted again from `src` alike.
  for (size_t i = 0;; i += 8) {
    const size_t at = std::min(i, width - 8);
    const uint64_t word = LittleEndian(src + at, 8);
    // NULs of bytes before `i` in the last word were looked at already.
    const uint64_t nuls = NulMarks(word) & (~0ull << (8 * (i - at)));
    ConvertWord(map, keepsAscii, src + at, word, dst + at);
    if (nuls != 0) return at + static_cast<size_t>(__builtin_ctzll(nuls)) / 8;
    if (at + 8 == width) return width;
  }
}

void ConvertBytes(const platform::ByteMap& map, bool keepsAscii, uint8_t* bytes, size_t count) {
  ConvertBytes(map, keepsAscii, bytes, count, bytes);
}

void ConvertBytes(const platform::ByteMap& map, bool keepsAscii, const uint8_t* src, size_t count, uint8_t* dst) {
  size_t i = 0;
  if (keepsAscii) {
    // Only the bytes above ASCII change; two words a step, the first byte
    // in the low bits on every host.
    for (; i + 16 <= count; i += 16) {
      const uint64_t first = LittleEndian(src + i, 8), second = LittleEndian(src + i + 8, 8);
      if (dst != src) std::memcpy(dst + i, src + i, 16);
      if (((first | second) & kTopBits) == 0) continue;
      ConvertMarked(map, src + i, dst + i, first & kTopBits);
      ConvertMarked(map, src + i + 8, dst + i + 8, second & kTopBits);
    }
    if (i + 8 <= count) {
      if (dst != src) std::memcpy(dst + i, src + i, 8);
      ConvertMarked(map, src + i, dst + i, LittleEndian(src + i, 8) & kTopBits);
      i += 8;
    }
  }
  for (; i < count; ++i) dst[i] = map[src[i]];
}

}  // namespace merivan::engine
