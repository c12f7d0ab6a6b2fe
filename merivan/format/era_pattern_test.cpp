#include <gtest/gtest.h>

#include "merivan/format/era_pattern.h"

namespace merivan::format_detail {
namespace {

TEST(EraPatternTest, Rewrites) {
  std::bitset<256> none;
  std::bitset<256> sjis;
  for (int b = 0x81; b <= 0x9F; ++b) sjis.set(b);
  struct Case {
    const char* pattern;
    int calendar;
    int language;
    const std::bitset<256>* lead;
    const char* result;
  };
  const Case cases[] = {
      {"gg yyyy/MM/dd", 3, 0x11, &none, "ggg eeee/MM/dd"},
      {"GG YYYY yY y Y", 4, 0x04, &none, "ggg eeee ee e e"},
      {"yyy yyyyy", 5, 0x12, &none, "eee eeeee"},
      {"g ggg", 3, 0x11, &none, "g gggg"},
      // A trail byte "y" stays with its lead byte.
      {"\x81y yy", 3, 0x11, &sjis, "\x81y ee"},
      {"gg yyyy", 1, 0x11, &none, " yyyy"},
      {"Gg d.M.yyyy", 2, 0x04, &none, " d.M.yyyy"},
      {"gg yyyy", 1, 0x12, &none, " yyyy"},
      {"\x81g g", 1, 0x11, &sjis, "\x81g "},
      {"gg yyyy", 1, 0x05, &none, "gg yyyy"},
      {"gg yyyy", 0, 0x09, &none, "gg yyyy"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EraRewrite(c.pattern, c.calendar, c.language, *c.lead), c.result) << c.pattern;
}

}  // namespace
}  // namespace merivan::format_detail
