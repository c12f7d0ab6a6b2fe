#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

// The text by the rule itself: the 18 correctly rounded digits from the C
// library's exact conversion, rounded half up to 15, laid out.
std::string ReferenceFloatText(double x) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17e", std::fabs(x));
  std::string d = std::string(1, text[0]) + std::string(text + 2, 17);
  int e = std::atoi(std::strchr(text, 'e') + 1) + 1;
  if (d[15] >= '5') {
    int i = 14;
    while (i >= 0 && d[i] == '9') d[i--] = '0';
    if (i >= 0) {
      ++d[i];
    } else {
      d = "1";
      ++e;
    }
  }
  d.resize(std::min<size_t>(d.size(), 15));
  while (d.size() > 1 && d.back() == '0') d.pop_back();
  std::string s = std::signbit(x) ? "-" : "";
  if (e > 15 || e < -3) {
    s += d.substr(0, 1);
    if (d.size() > 1) s += "." + d.substr(1);
    return s + "E" + std::to_string(e - 1);
  }
  if (e >= 1) {
    s += d.size() >= static_cast<size_t>(e) ? d.substr(0, e) : d + std::string(e - d.size(), '0');
    if (d.size() > static_cast<size_t>(e)) s += "." + d.substr(e);
    return s;
  }
  return s + "0." + std::string(-e, '0') + d;
}

// Random bit patterns, short decimals as tables hold them, and values next
// to powers of ten: the fast path for short decimals gives what the rule does.
TEST_F(NumberTextTest, FloatTextMatchesTheRuleOnManyValues) {
  std::mt19937_64 random(20261210);
  std::vector<double> values;
  for (int i = 0; i < 20000; ++i) {
    const uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v) && v != 0) values.push_back(v);
    values.push_back(static_cast<double>(static_cast<int64_t>(random() % 2000000) - 1000000) / 100.0);
    values.push_back(static_cast<double>(random() % 100000) * 1.25 - 5000.0);
  }
  for (double v : {DBL_MIN, std::nextafter(DBL_MIN, 0.0), DBL_MIN * 3, std::numeric_limits<double>::denorm_min() * 7})
    values.push_back(v);
  for (int k = -30; k <= 30; ++k) {
    const double p = std::pow(10.0, k);
    for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300)}) values.push_back(v);
  }
  for (double v : values) ASSERT_EQ(FloatText(v), ReferenceFloatText(v)) << std::hexfloat << v;
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
