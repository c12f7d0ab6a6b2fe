#include "merivan/platform/locale/wide_text.h"

#include <gtest/gtest.h>

#include "merivan/platform/locale/codepage.h"

namespace merivan::platform {
namespace {

TEST(WideText, Utf8RoundTrip) {
  for (const std::string s : {"", "abc", "Příliš žluťoučký kůň", "日本語", "emoji \xF0\x9F\x98\x80 end"}) {
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s) << s;
  }
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80").size(), 2u);
  EXPECT_EQ(Utf16ToUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz");  // unpaired surrogate
  EXPECT_EQ(Utf8ToUtf16("a\x80z"), u"a\xFFFDz");
}

TEST(WideText, EncodesSingleByteCodePages) {
  const Utf16Encoder cp1250(1250);
  std::string out;
  cp1250.Append(u"Řádek ěščřžýáíé", out);
  EXPECT_EQ(out, Utf8ToCodePage("Řádek ěščřžýáíé", 1250));
  out.clear();
  // Characters the code page lacks become one '?' each, a surrogate pair too.
  cp1250.Append(u"a\u00E0\u20AC\U0001F600\u65E5b", out);
  EXPECT_EQ(out, "a?\x80??b");
  const Utf16Encoder cp1252(1252);
  out.clear();
  cp1252.Append(u"\u00E0\u0159", out);
  EXPECT_EQ(out, "\xE0?");
  uint8_t room[3];
  EXPECT_EQ(cp1250.Encode(u"abcdef", room, sizeof room), 3u);
  EXPECT_EQ(std::string(room, room + 3), "abc");
}

TEST(WideText, EncodesDoubleByteCodePagesInWholeCharacters) {
  const Utf16Encoder cp932(932);
  EXPECT_EQ(cp932.MaxBytesPerChar(), 2);
  std::string out;
  cp932.Append(u"a\u65E5\u672C", out);
  EXPECT_EQ(out, Utf8ToCodePage("a日本", 932));
  uint8_t room[4];
  // "a" and one character fit; half of the next does not go in.
  EXPECT_EQ(cp932.Encode(u"a\u65E5\u672C", room, sizeof room), 3u);
}

}  // namespace
}  // namespace merivan::platform
