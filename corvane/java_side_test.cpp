#include "corvane/java_side.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

std::u16string decode(const std::string& bytes) {
  std::vector<jchar> units(bytes.size() + 1);
  const std::size_t count = decodeUtf8(bytes.data(), bytes.size(), units.data());
  return std::u16string(units.begin(), units.begin() + static_cast<std::ptrdiff_t>(count));
}

std::string encode(const std::u16string& text) {
  std::vector<jchar> units(text.begin(), text.end());
  return encodeUtf8(units.data(), units.size());
}

struct Case {
  const char* what;
  std::string bytes;
  std::u16string text;
  bool wellFormed;  // then the text also encodes back to the bytes
};

TEST(Utf8, BytesDecodeWithOneReplacementCharacterForEachIllFormedSequence) {
  const std::vector<Case> cases = {
      {"ASCII", "Sales", u"Sales", true},
      {"empty", "", u"", true},
      {"Czech letters", "\xC3\x9A\xC4\x8D\x65tnictv\xC3\xAD \xC5\xBEluťou\xC4\x8Dk\xC3\xBD", u"Účetnictví žluťoučký",
       true},
      {"a supplementary character", "Db\xF0\x9F\x98\x80", u"Db\U0001F600", true},
      {"the last code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF", true},
      {"the edges of two and three bytes", "\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", u"\u0080\u07FF\u0800\uFFFF",
       true},
      {"a Latin-1 byte", "Caf\xE9", u"Caf\uFFFD", false},
      {"Latin-1 bytes between letters", "\xE9t\xE9", u"\uFFFDt\uFFFD", false},
      {"a stray continuation byte", "a\x80z", u"a\uFFFDz", false},
      {"an overlong two-byte form", "\xC0\xAF", u"\uFFFD\uFFFD", false},
      {"an overlong three-byte form", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD", false},
      {"a surrogate in three bytes", "\xED\xA0\xBD", u"\uFFFD\uFFFD\uFFFD", false},
      {"modified UTF-8 of a supplementary character", "\xED\xA0\xBD\xED\xB8\x80",
       u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", false},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},
      {"a cut four-byte sequence", "x\xF0\x9F\x98", u"x\uFFFD", false},
      {"a cut sequence before ASCII", "\xE2\x82z", u"\uFFFDz", false},
      {"bytes never in UTF-8", "\xFE\xFF", u"\uFFFD\uFFFD", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(decode(c.bytes), c.text) << c.what;
    if (c.wellFormed) {
      EXPECT_EQ(encode(c.text), c.bytes) << c.what;
    }
  }
}

TEST(Utf8, UnpairedSurrogatesEncodeAsTheReplacementCharacter) {
  const std::u16string high(1, u'\xD83D');
  const std::u16string low(1, u'\xDE00');
  EXPECT_EQ(encode(u"a" + high + u"b"), "a\uFFFDb");
  EXPECT_EQ(encode(low + high), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(encode(u"x" + high), "x\xEF\xBF\xBD");
  EXPECT_EQ(encode(high + low), "\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace corvane
