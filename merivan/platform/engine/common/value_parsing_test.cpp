// Numbers and dates stored as text, as the dBASE and text readers decode them.
#include "merivan/platform/engine/common/value_parsing.h"

#include <gtest/gtest.h>

#include <array>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merivan::engine {
namespace {

using namespace std::string_view_literals;

struct NumberCase {
  ColumnKind type;
  std::string_view text;
  bool stored;
  double value;  // read back from the area as the type's form
};

double ReadBack(ColumnKind type, const uint8_t* area) {
  if (type == ColumnKind::kSmallint) return LoadInt16(area);
  if (type == ColumnKind::kInteger) return LoadInt32(area);
  return LoadDouble(area);
}

TEST(StoreNumberText, StoresWhatTheFieldCanHoldAndRefusesTheRest) {
  const NumberCase cases[] = {
      {ColumnKind::kSmallint, "32767", true, 32767},      {ColumnKind::kSmallint, "-32768", true, -32768},
      {ColumnKind::kSmallint, "32768", false, 0},         {ColumnKind::kSmallint, "-32769", false, 0},
      {ColumnKind::kSmallint, " 12.0 ", true, 12},        {ColumnKind::kSmallint, "1.5", false, 0},
      {ColumnKind::kInteger, "2147483647", true, 2147483647.0}, {ColumnKind::kInteger, "-2147483648", true, -2147483648.0},
      {ColumnKind::kInteger, "2147483648", false, 0},     {ColumnKind::kInteger, "1e3", true, 1000},
      {ColumnKind::kFloat, "+3.5", true, 3.5},            {ColumnKind::kFloat, ".5", true, 0.5},
      {ColumnKind::kFloat, "-12", true, -12},             {ColumnKind::kCurrency, "0.25", true, 0.25},
      {ColumnKind::kFloat, "", false, 0},                 {ColumnKind::kFloat, "   ", false, 0},
      {ColumnKind::kFloat, "abc", false, 0},              {ColumnKind::kFloat, "1,5", false, 0},
      {ColumnKind::kFloat, "e5", false, 0},               {ColumnKind::kFloat, "--1", false, 0},
      {ColumnKind::kInteger, "nan", false, 0},            {ColumnKind::kFloat, "inf", false, 0},
      {ColumnKind::kDate, "12", false, 0},                {ColumnKind::kString, "12", false, 0},
      // Right-aligned in a dBASE field, as the word-at-a-time path reads them.
      {ColumnKind::kInteger, "   123456", true, 123456},  {ColumnKind::kInteger, "  -1234567", true, -1234567},
      {ColumnKind::kInteger, "   12.000", true, 12},      {ColumnKind::kInteger, "     1.50", false, 0},
      {ColumnKind::kSmallint, "    -0.00", true, 0},      {ColumnKind::kSmallint, "  32768.0", false, 0},
      {ColumnKind::kFloat, "    -5000.00", true, -5000}, {ColumnKind::kFloat, "   119998.75", true, 119998.75},
      {ColumnKind::kFloat, "       +.25", true, 0.25},   {ColumnKind::kFloat, "         -.5", true, -0.5},
      {ColumnKind::kFloat, "          5.", true, 5},     {ColumnKind::kFloat, "          -.", false, 0},
      {ColumnKind::kFloat, "     1.2.3", false, 0},      {ColumnKind::kFloat, "    12-3.5", false, 0},
      {ColumnKind::kFloat, "  1234567.8", true, 1234567.8}, {ColumnKind::kFloat, " 12345678.9", true, 12345678.9},
      {ColumnKind::kFloat, "  1.23456789", true, 1.23456789}, {ColumnKind::kFloat, "\0\0\0\0\0\0\0\0" "42"sv, true, 42},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " as type " + std::to_string(static_cast<int>(c.type)));
    uint8_t area[8] = {};
    ASSERT_EQ(StoreNumberText(c.type, c.text, area), c.stored);
    if (c.stored) {
      EXPECT_EQ(ReadBack(c.type, area), c.value);
    }
  }
}

// Short texts take a quicker path than long ones: both must give the
// double that strtod gives, to the last bit.
TEST(ParseDecimalText, ShortAndLongTextsRoundAsStrtod) {
  std::vector<std::string> texts = {"0", "-0", "007", "5.", ".5", "-.5", "0.1", "0.3", "-5000.00",
                                    "123456789012345", "1234567890123456", "99999999999999.9",
                                    "0.000000000000001", "9007199254740993", "1.7976931348623157e308"};
  uint64_t x = 88172645463325252ull;  // xorshift: many digit counts and places
  for (int i = 0; i < 20000; ++i) {
    x ^= x << 13, x ^= x >> 7, x ^= x << 17;
    const int width = 1 + static_cast<int>(x % 17), places = static_cast<int>((x >> 8) % (width + 1));
    std::string t = std::to_string(x >> 20).substr(0, static_cast<size_t>(width));
    if (places > 0) t.insert(t.size() - std::min<size_t>(t.size(), static_cast<size_t>(places)), ".");
    if (x & 0x100000) t.insert(0, "-");
    texts.push_back(t);
  }
  for (const std::string& t : texts) {
    const double expected = std::strtod(t.c_str(), nullptr);
    // As given, and right-aligned in fields of several widths as dBASE stores them.
    for (const size_t width : {size_t{0}, size_t{8}, size_t{10}, size_t{12}, size_t{20}}) {
      const std::string field = std::string(width > t.size() ? width - t.size() : 0, ' ') + t;
      const std::optional<double> v = ParseDecimalText(field);
      ASSERT_TRUE(v) << "'" << field << "'";
      EXPECT_EQ(std::memcmp(&*v, &expected, sizeof expected), 0) << "'" << field << "': " << *v << " != " << expected;
    }
  }
  for (const char* bad : {"-", ".", "-.", "1.2.3", "1-2", "+-", "0x10", "1 2", "..5", "5..", "-+5", "1.-5", "--5"}) {
    for (const size_t width : {size_t{0}, size_t{12}}) {
      const std::string field = std::string(width, ' ') + bad;
      EXPECT_FALSE(ParseDecimalText(field)) << "'" << field << "'";
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
