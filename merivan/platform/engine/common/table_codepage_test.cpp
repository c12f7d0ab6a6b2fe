// The conversion of stored characters: the word-at-a-time pass over ASCII
// must give what converting every byte gives.
#include "merivan/platform/engine/common/table_codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace merivan::engine {
namespace {

// One map that keeps ASCII and one that changes every byte.
std::pair<platform::ByteMap, platform::ByteMap> TwoMaps() {
  platform::ByteMap upperHalf, everyByte;
  for (int b = 0; b < 256; ++b) {
    upperHalf[b] = static_cast<uint8_t>(b < 0x80 ? b : 0xFF - (b - 0x80));
    everyByte[b] = static_cast<uint8_t>(b ^ 0x20);
  }
  return {upperHalf, everyByte};
}

TEST(ConvertBytes, GivesWhatConvertingEveryByteGives) {
  const auto [upperHalf, everyByte] = TwoMaps();
  ASSERT_TRUE(KeepsAscii(upperHalf));
  ASSERT_FALSE(KeepsAscii(everyByte));
  uint64_t x = 0x9E3779B97F4A7C15ull;
  for (const platform::ByteMap* map : {&upperHalf, &everyByte}) {
    for (size_t length = 0; length <= 40; ++length) {
      for (int round = 0; round < 20; ++round) {
        std::string text(length, '\0');
        for (char& c : text) {
          x ^= x << 13, x ^= x >> 7, x ^= x << 17;
          // Mostly ASCII with a national letter here and there, as real names are.
          c = static_cast<char>(x % 8 == 0 ? 0x80 | (x >> 8) : 0x20 + (x >> 8) % 0x5F);
        }
        std::string expected = text;
        for (char& c : expected) c = static_cast<char>((*map)[static_cast<uint8_t>(c)]);
        // Copied into a buffer with bytes of its own around the text, which must stay.
        std::string copied(length + 2, '#');
        ConvertBytes(*map, KeepsAscii(*map), reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                     reinterpret_cast<uint8_t*>(copied.data()) + 1);
        ASSERT_EQ(copied, "#" + expected + "#") << "length " << length;
        ConvertBytes(*map, KeepsAscii(*map), reinterpret_cast<uint8_t*>(text.data()), text.size());
        ASSERT_EQ(text, expected) << "length " << length;
      }
    }
  }
}

// A field's text, measured to its first NUL and converted in words: the
// text as converting every byte gives it, its length, nothing written past
// the field's width.
TEST(ConvertText, MeasuresAndConvertsAsTheBytesDo) {
  const auto [upperHalf, everyByte] = TwoMaps();
  uint64_t x = 0x2545F4914F6CDD1Dull;
  auto next = [&x] { return x ^= x << 13, x ^= x >> 7, x ^= x << 17; };
  for (const platform::ByteMap* map : {&upperHalf, &everyByte}) {
    for (size_t width = 0; width <= 40; ++width) {
      for (int round = 0; round < 60; ++round) {
        std::string field(width, '\0');
        for (char& c : field) c = static_cast<char>(next() % 8 == 0 ? 0x80 | (x >> 8) : 0x20 + (x >> 8) % 0x5F);
        // A NUL at each place, or none; bytes after it are whatever the file holds.
        const size_t nul = static_cast<size_t>(round) % (width + 1);
        if (nul < width) field[nul] = '\0';
        std::string expected = field.substr(0, nul);
        for (char& c : expected) c = static_cast<char>((*map)[static_cast<uint8_t>(c)]);
        std::string room(width + 1, '#');
        const size_t length = ConvertText(*map, KeepsAscii(*map), reinterpret_cast<const uint8_t*>(field.data()),
                                          width, reinterpret_cast<uint8_t*>(room.data()));
        ASSERT_EQ(length, nul) << "width " << width;
        ASSERT_EQ(room.substr(0, length), expected) << "width " << width;
        ASSERT_EQ(room[width], '#') << "width " << width;
      }
    }
  }
}

TEST(TableToAnsiMap, SamePageKeepsEveryByte) {
  const platform::ByteMap map = TableToAnsiMap(1250, 1250);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(map[b], b);
}

}  // namespace
}  // namespace merivan::engine
