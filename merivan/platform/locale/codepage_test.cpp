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

TEST(IsValidUtf8, FourByteFormsUpToTheLastCodePoint) {
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));
  EXPECT_FALSE(IsValidUtf8("\xF0\x9F\x98"));
}

}  // namespace
}  // namespace merivan::platform
