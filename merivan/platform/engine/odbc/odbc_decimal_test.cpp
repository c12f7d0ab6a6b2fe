#include "merivan/platform/engine/odbc/odbc_decimal.h"

#include <gtest/gtest.h>

#include <string>

namespace merivan::engine::odbc {
namespace {

// The record as "[-]digits/places".
std::string Shown(const uint8_t* r) {
  std::string s = (r[1] & 0x80) ? "-" : "";
  for (int k = 0; k < r[0]; ++k) s += static_cast<char>('0' + ((k % 2 == 0 ? r[2 + k / 2] >> 4 : r[2 + k / 2]) & 15));
  return s + "/" + std::to_string(r[1] & 0x3F);
}

TEST(DecimalText, KeepsTheValuesOwnDigits) {
  const struct {
    const char* text;
    bool truncated;
    const char* record;
  } cases[] = {
      {"12.50", false, "1250/2"},
      {"-0.0001", false, "-0001/4"},
      {"0", false, "0/0"},
      {".5", false, "5/1"},
      {"+7", false, "7/0"},
      {"  42 ", false, "42/0"},
      {"0012.3", false, "123/1"},
      {"1.0e+15", false, "1000000000000000/0"},
      {"1.5E-3", false, "0015/4"},
      {"123", true, "123/0"},  // a cut integer part is taken as it came
      {"0.00005", true, "00005000000000000000000000000001/32"},
      {"0.123456789012345678901234567890123456", false, "12345678901234567890123456789012/32"},
      {"0.000000000000000000000000000000001", false, "00000000000000000000000000000001/32"},
      {"123456789012345678901234567890123456789012345678901234567890123456", false,
       "100000000000000000000000000000000/0"},
  };
  for (const auto& c : cases) {
    uint8_t record[kBcdRecordBytes];
    ASSERT_TRUE(DecimalTextToBcd(c.text, c.truncated, record)) << c.text;
    EXPECT_EQ(Shown(record), c.record) << c.text;
  }
}

TEST(DecimalText, RefusesWhatIsNoNumber) {
  for (const char* text : {"", "-", "abc", "1.2.3", "1e", "12x", "NaN"}) {
    uint8_t record[kBcdRecordBytes];
    EXPECT_FALSE(DecimalTextToBcd(text, false, record)) << text;
  }
}

}  // namespace
}  // namespace merivan::engine::odbc
