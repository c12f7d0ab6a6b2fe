#include "merivan/platform/locale/codepage.h"

#include <gtest/gtest.h>

namespace merivan::platform {
namespace {

TEST(TextToUtf8, KeepsUtf8AndReadsEverythingElseInTheGivenCodePage) {
  struct Case {
    std::string in;
    int codePage;
    std::string out;
  } cases[] = {
      {"", 1250, ""},
      {"adresati.db", 1250, "adresati.db"},
      {"Adresáře", 1252, "Adresáře"},                     // UTF-8 stays, whatever the code page
      {"P\xF8\xEDprava", 1250, "Příprava"},               // Windows-1250 bytes
      {"P\xF8\xEDprava", 1252, "Pøíprava"},               // the same bytes read as Windows-1252
      {"\xC3", 1250, "Ă"},                                // a cut UTF-8 sequence is no UTF-8
      {"\xED\xA0\x80", 1252, "í\xC2\xA0€"},               // nor is an encoded surrogate
      {"\xC0\xAF", 1250, "ŔŻ"},                             // nor an overlong form
  };
  for (const auto& c : cases) EXPECT_EQ(TextToUtf8(c.in, c.codePage), c.out) << c.in;
}

// Windows-1255 and 1258 decoders keep a letter back in case a combining
// mark follows: the last letter of a text must still come out.
TEST(CodePageConversion, StatefulCodePagesGiveTheirLastCharacter) {
  struct Case {
    int codePage;
    std::string bytes;
    std::string utf8;
  } cases[] = {
      {1255, "\xE9\xF0\xE5\xE0\xF8", "ינואר"},
      {1258, "th\xE1ng", "tháng"},
      {1250, "\xFAnor", "únor"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CodePageToUtf8(c.bytes, c.codePage), c.utf8) << c.codePage;
    EXPECT_EQ(Utf8ToCodePage(c.utf8, c.codePage), c.bytes) << c.codePage;
    // One byte at a time, as the table readers' byte maps are built.
    const auto same = CodePageTable(c.codePage, c.codePage);
    ASSERT_TRUE(same) << c.codePage;
    const auto last = static_cast<unsigned char>(c.bytes.back());
    EXPECT_EQ((*same)[last], last) << c.codePage;
  }
}

TEST(IsValidUtf8, FourByteFormsUpToTheLastCodePoint) {
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));
  EXPECT_FALSE(IsValidUtf8("\xF0\x9F\x98"));
}

}  // namespace
}  // namespace merivan::platform
