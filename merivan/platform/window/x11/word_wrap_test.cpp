#include "merivan/platform/window/x11/word_wrap.h"

#include <gtest/gtest.h>

namespace merivan::platform::x11 {
namespace {

// Every code point is 10 pixels wide.
int Measure(std::string_view text) {
  int n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n * 10;
}

TEST(WrapText, Cases) {
  struct Case {
    std::string text;
    int width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", 100, {""}},
      {"short", 100, {"short"}},
      {"one two three", 70, {"one two", "three"}},
      {"one two three", 130, {"one two three"}},
      {"aa bb cc dd", 50, {"aa bb", "cc dd"}},
      {"abcdefghijkl", 50, {"abcde", "fghij", "kl"}},
      {"x abcdefghijkl y", 50, {"x", "abcde", "fghij", "kl y"}},
      {"line one\nline two", 200, {"line one", "line two"}},
      {"crlf\r\nend", 200, {"crlf", "end"}},
      {"p\xC5\x99\xC3\xADprava adres\xC3\xA1\xC5\x99\x65", 50, {"p\xC5\x99\xC3\xADpr", "ava", "adres", "\xC3\xA1\xC5\x99\x65"}},
      {"two  blanks", 200, {"two  blanks"}},
      {"break   here", 50, {"break", "here"}},
      {"ab   cd", 200, {"ab   cd"}},
  };
  for (const Case& c : cases) EXPECT_EQ(WrapText(c.text, c.width, Measure), c.lines) << c.text;
}

TEST(WrapText, NoLineWiderThanTheLimit) {
  const std::string text =
      "P\xC5\x99i p\xC5\x99\xC3\xADprav\xC4\x9B k importu souboru /a/very/long/path/without/any/blanks/adresati.db "
      "do\xC5\xA1lo k chyb\xC4\x9B: Table does not exist.";
  for (int width : {10, 35, 80, 160, 400}) {
    for (const std::string& line : WrapText(text, width, Measure)) EXPECT_LE(Measure(line), std::max(width, 10)) << line;
  }
}

TEST(KeepLines, DropsWhatDoesNotFitAndSaysSo) {
  const std::vector<std::string> lines{"a", "b", "c"};
  EXPECT_EQ(KeepLines(lines, 3), lines);
  EXPECT_EQ(KeepLines(lines, 5), lines);
  EXPECT_EQ(KeepLines(lines, 2), (std::vector<std::string>{"a", "b\xE2\x80\xA6"}));
  EXPECT_EQ(KeepLines(lines, 0), (std::vector<std::string>{"a\xE2\x80\xA6"}));
}

}  // namespace
}  // namespace merivan::platform::x11
