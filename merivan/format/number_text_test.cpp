#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "merivan/format/number_text.h"
#include "merivan/format/test_settings_scope.h"

namespace merivan {
namespace {

class NumberTextTest : public ::testing::Test {
 protected:
  void SetUp() override { scope_.Load({}); }
  testing_support::SettingsScope scope_;
};

struct FloatCase {
  double value;
  const char* text;
};

TEST_F(NumberTextTest, FloatTextGeneralFormat) {
  const FloatCase cases[] = {
      {0.1, "0.1"},
      {2.0 / 3.0, "0.666666666666667"},
      {1.0 / 3.0, "0.333333333333333"},
      {1e14, "100000000000000"},
      {1e15, "1E15"},
      {1234567890123456.0, "1.23456789012346E15"},
      {999999999999999.9, "1E15"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {0.1 + 0.2, "0.3"},
      {1.5e-7, "1.5E-7"},
      {-2.5, "-2.5"},
      {DBL_MAX, "1.79769313486232E308"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
      {DBL_MIN, "2.2250738585072E-308"},
      {-0.0, "0"},
      {0.0, "0"},
      {1.0, "1"},
      {12.5, "12.5"},
      {100.0, "100"},
      {123456789012345.0, "123456789012345"},
      {0.001234, "0.001234"},
      {-1e-300, "-1E-300"},
      {9.5, "9.5"},
      {0.5, "0.5"},
      {1e100, "1E100"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "INF"},
      {std::nan(""), "NAN"},
      {-std::nan(""), "NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatText(c.value), c.text) << c.text;
}

TEST_F(NumberTextTest, FloatTextRoundsTheEighteenDigitsHalfUp) {
  // The binary value is 0.12345678901235949964...: its 18 correctly rounded
  // digits end in 500, which the second rounding takes upwards.
  EXPECT_EQ(FloatText(0.1234567890123595), "0.12345678901236");
  EXPECT_EQ(FloatText(0.1234567890123765), "0.123456789012377");
  EXPECT_EQ(FloatText(9.999999999999999), "10");
  EXPECT_EQ(FloatText(99999999999999.95), "100000000000000");
  EXPECT_EQ(FloatText(99999999999999.94), "99999999999999.9");
}

TEST_F(NumberTextTest, FloatTextUsesTheDecimalMark) {
  RegionalSettings.DecimalMark = ',';
  EXPECT_EQ(FloatText(1234.5), "1234,5");
  EXPECT_EQ(FloatText(2.5), "2,5");
  EXPECT_EQ(FloatText(1.5e-7), "1,5E-7");
}

TEST_F(NumberTextTest, OutFormReusesTheCallersString) {
  std::string text;
  text.reserve(64);
  const char* data = text.data();
  FloatText(-1.23456789012346e-200, text);
  EXPECT_EQ(text, "-1.23456789012346E-200");
  FixedPointText(INT64_MIN, text);
  EXPECT_EQ(text, "-922337203685477.5808");
  EXPECT_EQ(text.data(), data);
}

struct FixedCase {
  int64_t value;
  const char* text;
};

TEST_F(NumberTextTest, FixedPointText) {
  const FixedCase cases[] = {
      {0, "0"},
      {125000, "12.5"},
      {-1, "-0.0001"},
      {10000, "1"},
      {5, "0.0005"},
      {1000000, "100"},
      {INT64_MAX, "922337203685477.5807"},
      {INT64_MIN, "-922337203685477.5808"},
      {123, "0.0123"},
      {-1234567, "-123.4567"},
      {10, "0.001"},
      {100000, "10"},
  };
  for (const auto& c : cases) EXPECT_EQ(FixedPointText(c.value), c.text) << c.text;
  RegionalSettings.DecimalMark = ',';
  EXPECT_EQ(FixedPointText(125000), "12,5");
}

}  // namespace
}  // namespace merivan
