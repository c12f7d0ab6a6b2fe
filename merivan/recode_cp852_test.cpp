#include "merivan/recode_cp852.h"

#include <gtest/gtest.h>

#include <map>

#include "merivan/platform/locale/codepage.h"

namespace merivan {
namespace {

std::string AllBytes() {
  std::string s;
  for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

TEST(RecodeToCp852, Examples) {
  EXPECT_EQ(RecodeToCp852(""), "");
  EXPECT_EQ(RecodeToCp852("P\xF8\xEDprava"), "P\xFD\xA1prava");
  EXPECT_EQ(RecodeToCp852("adres\xE1\xF8" "e"), "adres\xA0\xFD" "e");
  EXPECT_EQ(RecodeToCp852("\x84x\x93y\x94"), "\"x\"y\"");
  EXPECT_EQ(RecodeToCp852("a\x80" "b"), std::string("a\0b", 3));
}

TEST(RecodeToCp852, LowerHalfUnchangedAndLengthKept) {
  const std::string all = AllBytes();
  const std::string out = RecodeToCp852(all);
  ASSERT_EQ(out.size(), 256u);
  EXPECT_EQ(out.substr(0, 128), all.substr(0, 128));
}

TEST(RecodeToCp852, ExceptionsAndOutputCounts) {
  const std::map<int, int> exceptions = {
      {0x80, 0x00}, {0x81, 0x7F}, {0x82, 0x27}, {0x83, 0x66}, {0x84, 0x22}, {0x85, 0x00}, {0x86, 0x7F},
      {0x87, 0x7F}, {0x88, 0x7F}, {0x89, 0x00}, {0x8B, 0x3C}, {0x90, 0x7F}, {0x91, 0x27}, {0x92, 0x27},
      {0x93, 0x22}, {0x94, 0x22}, {0x95, 0xFA}, {0x96, 0xF0}, {0x97, 0x2D}, {0x98, 0x7F}, {0x99, 0x00},
      {0x9B, 0x3E}, {0xA0, 0x7F}, {0xA6, 0x7F}, {0xA9, 0x00}, {0xAC, 0x7F}, {0xAD, 0x7F}, {0xAE, 0x00},
      {0xB1, 0x00}, {0xB2, 0x00}, {0xB5, 0x7F}, {0xB6, 0x7F}, {0xB7, 0x00}, {0xFF, 0x00}};
  ASSERT_EQ(exceptions.size(), 34u);
  // Every other upper byte is the same character in code page 852.
  const auto published = platform::CodePageTable(1250, 852);
  ASSERT_TRUE(published.has_value());
  std::map<int, int> outputs;
  for (int b = 0; b < 256; ++b) {
    const int out = RecodeByteToCp852(static_cast<uint8_t>(b));
    ++outputs[out];
    if (b < 0x80) continue;
    const auto e = exceptions.find(b);
    EXPECT_EQ(out, e != exceptions.end() ? e->second : (*published)[b]) << std::hex << b;
  }
  EXPECT_EQ(outputs[0x00], 11);
  EXPECT_EQ(outputs[0x7F], 13);
  EXPECT_EQ(outputs[0x22], 4);
  EXPECT_EQ(outputs[0x27], 4);
  for (int b : {0x2D, 0x3C, 0x3E, 0x66}) EXPECT_EQ(outputs[b], 2) << b;
  for (int b : {0x3B, 0x0D, 0x0A}) EXPECT_EQ(outputs[b], 1) << b;
}

}  // namespace
}  // namespace merivan
