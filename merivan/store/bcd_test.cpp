#include "merivan/store/bcd.h"

#include <gtest/gtest.h>

#include <string>

#include "merivan/platform/engine/data_area.h"

namespace merivan {
namespace {

// A record from its digit count, places, sign and digits.
std::string Record(int digits, int places, bool negative, const std::string& nibbles) {
  std::string r(engine::kBcdAreaSize, '\0');
  r[0] = static_cast<char>(digits);
  r[1] = static_cast<char>((negative ? 0x80 : 0) | places);
  for (size_t k = 0; k < nibbles.size(); ++k) {
    const int d = nibbles[k] >= 'A' ? nibbles[k] - 'A' + 10 : nibbles[k] - '0';
    r[2 + k / 2] = static_cast<char>(r[2 + k / 2] | (k % 2 == 0 ? d << 4 : d));
  }
  return r;
}

TEST(BcdToFixedPoint, ConvertsWithHalfToEvenRounding) {
  struct Case {
    int p, s;
    bool neg;
    const char* digits;
    int64_t expected;
  } cases[] = {
      {4, 2, false, "1250", 125000},
      {1, 4, true, "1", -1},
      {1, 5, false, "5", 0},         // 0.00005: tie to even
      {2, 5, false, "15", 2},        // 0.00015 -> 0.0002
      {2, 5, false, "25", 2},        // 0.00025 -> 0.0002
      {3, 6, false, "251", 3},       // above the tie
      {2, 5, true, "15", -2},
      {3, 0, true, "000", 0},        // zero whatever the sign
      {1, 0, false, "7", 70000},
      {1, 40, false, "9", 0},        // far below a unit
      {19, 4, false, "9223372036854775807", INT64_MAX},
      {19, 4, true, "9223372036854775808", INT64_MIN},
      {2, 0, false, "1A", 200000},     // a nibble above 9 carries: 1*10 + 10
      {2, 5, false, "0F", 2},        // 0.00015 spelled with a nibble of 15
      {2, 5, false, "1F", 2},        // 0.00025: tie to even
      {64, 60, false, "1000000000000000000000000000000000000000000000000000000000000000", 10000000},
  };
  for (const Case& c : cases) {
    const std::string r = Record(c.p, c.s, c.neg, c.digits);
    int64_t v = -99;
    ASSERT_TRUE(BcdToFixedPoint(reinterpret_cast<const uint8_t*>(r.data()), v)) << c.digits;
    EXPECT_EQ(v, c.expected) << c.digits;
  }
}

TEST(BcdToFixedPoint, IgnoresBitSixAndDigitsPastTheCount) {
  std::string r = Record(2, 1, false, "125");  // third nibble beyond p
  r[1] = static_cast<char>(r[1] | 0x40);
  int64_t v = 0;
  ASSERT_TRUE(BcdToFixedPoint(reinterpret_cast<const uint8_t*>(r.data()), v));
  EXPECT_EQ(v, 12000);
}

TEST(BcdToFixedPoint, FailsOutsideTheRange) {
  const std::string bad[] = {
      Record(0, 0, false, ""),
      Record(16, 0, false, "1000000000000000"),        // 10^15
      Record(19, 4, false, "9223372036854775808"),     // 2^63
      Record(20, 4, true, "92233720368547758080"),
      Record(65, 0, false, "1"),                       // more digits than the record holds
  };
  for (const std::string& r : bad) {
    int64_t v = 0;
    EXPECT_FALSE(BcdToFixedPoint(reinterpret_cast<const uint8_t*>(r.data()), v));
  }
}

}  // namespace
}  // namespace merivan
