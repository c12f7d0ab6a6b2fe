// Numbers and dates stored as text, as the dBASE and text readers decode them.
#include "merivan/platform/engine/common/value_parsing.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace merivan::engine {
namespace {

struct NumberCase {
  TFieldType type;
  const char* text;
  bool stored;
  double value;  // read back from the area as the type's form
};

double ReadBack(TFieldType type, const uint8_t* area) {
  if (type == ftSmallint) {
    int16_t v;
    std::memcpy(&v, area, 2);
    return v;
  }
  if (type == ftInteger) {
    int32_t v;
    std::memcpy(&v, area, 4);
    return v;
  }
  double v;
  std::memcpy(&v, area, 8);
  return v;
}

TEST(StoreNumberText, StoresWhatTheFieldCanHoldAndRefusesTheRest) {
  const NumberCase cases[] = {
      {ftSmallint, "32767", true, 32767},      {ftSmallint, "-32768", true, -32768},
      {ftSmallint, "32768", false, 0},         {ftSmallint, "-32769", false, 0},
      {ftSmallint, " 12.0 ", true, 12},        {ftSmallint, "1.5", false, 0},
      {ftInteger, "2147483647", true, 2147483647.0}, {ftInteger, "-2147483648", true, -2147483648.0},
      {ftInteger, "2147483648", false, 0},     {ftInteger, "1e3", true, 1000},
      {ftFloat, "+3.5", true, 3.5},            {ftFloat, ".5", true, 0.5},
      {ftFloat, "-12", true, -12},             {ftCurrency, "0.25", true, 0.25},
      {ftFloat, "", false, 0},                 {ftFloat, "   ", false, 0},
      {ftFloat, "abc", false, 0},              {ftFloat, "1,5", false, 0},
      {ftFloat, "e5", false, 0},               {ftFloat, "--1", false, 0},
      {ftInteger, "nan", false, 0},            {ftFloat, "inf", false, 0},
      {ftDate, "12", false, 0},                {ftString, "12", false, 0},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " as type " + std::to_string(c.type));
    uint8_t area[8] = {};
    ASSERT_EQ(StoreNumberText(c.type, c.text, area), c.stored);
    if (c.stored) {
      EXPECT_EQ(ReadBack(c.type, area), c.value);
    }
  }
}

TEST(DayNumberOf, CountsFromTheFirstOfJanuaryOfYearOne) {
  EXPECT_EQ(DayNumberOf(1, 1, 1), 1);
  EXPECT_EQ(DayNumberOf(1, 12, 31), 365);
  EXPECT_EQ(DayNumberOf(1900, 1, 1), 693596);
  EXPECT_EQ(DayNumberOf(2000, 2, 29), 730179);
  for (auto [y, m, d] : {std::array{1900, 2, 29}, {2001, 2, 29}, {0, 1, 1}, {10000, 1, 1}, {2000, 13, 1},
                         {2000, 4, 31}, {2000, 1, 0}}) {
    EXPECT_FALSE(DayNumberOf(y, m, d)) << y << "-" << m << "-" << d;
  }
}

}  // namespace
}  // namespace merivan::engine
