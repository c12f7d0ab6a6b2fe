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

TEST(TableToAnsiMap, SamePageKeepsEveryByte) {
  const platform::ByteMap map = TableToAnsiMap(1250, 1250);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(map[b], b);
}

}  // namespace
}  // namespace merivan::engine
