#include "merivan/store/value_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "merivan/exceptions.h"
#include "merivan/format/regional_settings.h"
#include "merivan/store/fake_table_driver.h"

namespace merivan {
namespace {

using testing::Bytes;
using testing::FakeTable;
using testing::FakeTableDriver;
using testing::FakeValue;

class ValueTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = RegionalSettings;
    RegionalSettings.DecimalMark = '.';
    RegionalSettings.DateMark = '.';
    RegionalSettings.TimeMark = ':';
    RegionalSettings.ShortDatePattern = "d.M.yyyy";
    RegionalSettings.LongTimePattern = "h:mm:ss";
  }
  void TearDown() override { RegionalSettings = saved_; }

  // The text of one value of a one-column table.
  std::string Text(TFieldType type, int size, FakeValue value, uint8_t ansiShift = 0) {
    FakeTable t;
    t.fields = {{"F", type, size}};
    t.records = {{std::move(value)}};
    t.ansiShift = ansiShift;
    FakeTableDriver driver(std::move(t));
    EXPECT_TRUE(driver.Next());
    std::vector<uint8_t> area(std::max(kStringAreaSize, engine::DataAreaSize(type, size)));
    const std::string name = "F";
    const ValueTextField f{0, type, size, type == ftString || type == ftMemo, &name};
    std::string out = "stale";
    FieldValueText(driver, f, area.data(), out);
    return out;
  }

  TRegionalSettings saved_;
};

std::string Bcd(int digits, int places, bool negative, const std::string& nibbles) {
  std::string r(34, '\0');
  r[0] = static_cast<char>(digits);
  r[1] = static_cast<char>((negative ? 0x80 : 0) | places);
  for (size_t k = 0; k < nibbles.size(); ++k) {
    const int d = nibbles[k] - '0';
    r[2 + k / 2] = static_cast<char>(r[2 + k / 2] | (k % 2 == 0 ? d << 4 : d));
  }
  return r;
}

TEST_F(ValueTextTest, IntegersAndBooleans) {
  struct Case {
    TFieldType type;
    std::string area;
    const char* text;
  } cases[] = {
      {ftSmallint, Bytes<int16_t>(-32768), "-32768"},
      {ftSmallint, Bytes<int16_t>(0), "0"},
      {ftWord, Bytes<uint16_t>(65535), "65535"},
      {ftInteger, Bytes<uint32_t>(4294967295u), "-1"},
      {ftInteger, Bytes<int32_t>(2147483647), "2147483647"},
      {ftAutoInc, Bytes<int32_t>(17), "17"},
      {ftBoolean, Bytes<uint16_t>(2), "True"},
      {ftBoolean, Bytes<uint16_t>(1), "True"},
      {ftBoolean, Bytes<uint16_t>(0), "False"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(c.type, 0, c.area), c.text) << c.text;
}

TEST_F(ValueTextTest, NullGivesEmptyTextForEveryType) {
  for (TFieldType t : {ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate,
                       ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo,
                       ftParadoxOle, ftDBaseOle, ftTypedBinary}) {
    EXPECT_EQ(Text(t, 8, std::nullopt), "") << t;
  }
}

TEST_F(ValueTextTest, StringsKeepBlanksAndAreNotEscaped) {
  EXPECT_EQ(Text(ftString, 10, std::string("Smith   ")), "Smith   ");
  EXPECT_EQ(Text(ftString, 10, std::string("a;b\"c")), "a;b\"c");
  EXPECT_EQ(Text(ftString, 10, std::string("")), "");
  // Bytes after the first NUL are not part of the value.
  EXPECT_EQ(Text(ftString, 10, std::string("ab\0cd", 5)), "ab");
  // A value filling the whole width without its NUL ends at the width.
  EXPECT_EQ(Text(ftString, 3, std::string("abcdef")), "abc");
}

TEST_F(ValueTextTest, StringsAndMemosAreConvertedToAnsi) {
  EXPECT_EQ(Text(ftString, 10, std::string("a\x81z"), 1), "a\x82z");
  EXPECT_EQ(Text(ftMemo, 0, std::string("x\x90\r\ny\0z", 7), 1), std::string("x\x91\r\ny\0z", 7));
  // Other blobs stay as they are.
  EXPECT_EQ(Text(ftBlob, 0, std::string("x\x90", 2), 1), "x\x90");
}

TEST_F(ValueTextTest, Blobs) {
  for (TFieldType t : {ftBlob, ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary}) {
    EXPECT_EQ(Text(t, 0, std::string("\0\1;\"\r\n", 6)), std::string("\0\1;\"\r\n", 6)) << t;
    EXPECT_EQ(Text(t, 0, std::string()), "") << t;
  }
}

TEST_F(ValueTextTest, ShortBlobReadFails) {
  FakeTable t;
  t.fields = {{"B", ftBlob, 0}};
  t.records = {{std::string("abcdef")}};
  t.blobShortBy = 1;
  FakeTableDriver driver(std::move(t));
  driver.Next();
  std::vector<uint8_t> area(kStringAreaSize);
  const std::string name = "B";
  std::string out;
  try {
    FieldValueText(driver, {0, ftBlob, 0, false, &name}, area.data(), out);
    FAIL() << "no failure";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
}

TEST_F(ValueTextTest, BytesAndVarBytesGiveTheWholeArea) {
  EXPECT_EQ(Text(ftBytes, 4, std::string("\0a\0b", 4)), std::string("\0a\0b", 4));
  const std::string var = Bytes<uint16_t>(3) + "abc";
  const std::string text = Text(ftVarBytes, 16, var);
  ASSERT_EQ(text.size(), 18u);
  EXPECT_EQ(text.substr(0, 5), var);
  EXPECT_EQ(text.substr(5), std::string(13, '\0'));
}

TEST_F(ValueTextTest, FloatsAndCurrency) {
  struct Case {
    double v;
    const char* text;
  } cases[] = {{0.1, "0.1"}, {1.0 / 3, "0.333333333333333"}, {1e15, "1E15"}, {0.00001, "1E-5"}, {-0.0, "0"},
               {12.5, "12.5"}};
  for (const Case& c : cases) {
    EXPECT_EQ(Text(ftFloat, 0, Bytes(c.v)), c.text);
    EXPECT_EQ(Text(ftCurrency, 0, Bytes(c.v)), c.text);
  }
  RegionalSettings.DecimalMark = ',';
  EXPECT_EQ(Text(ftFloat, 0, Bytes(2.5)), "2,5");
}

TEST_F(ValueTextTest, Bcd) {
  EXPECT_EQ(Text(ftBCD, 2, Bcd(4, 2, false, "1250")), "12.5");
  EXPECT_EQ(Text(ftBCD, 4, Bcd(1, 4, true, "1")), "-0.0001");
  EXPECT_EQ(Text(ftBCD, 5, Bcd(1, 5, false, "5")), "0");
  EXPECT_EQ(Text(ftBCD, 5, Bcd(2, 5, false, "15")), "0.0002");
  EXPECT_EQ(Text(ftBCD, 0, Bcd(3, 2, true, "000")), "0");
}

TEST_F(ValueTextTest, BcdOutOfRangeFails) {
  for (const std::string& rec : {Bcd(0, 0, false, ""), Bcd(16, 0, false, "1000000000000000")}) {
    try {
      Text(ftBCD, 0, rec);
      ADD_FAILURE() << "no failure";
    } catch (const EDatabaseError& e) {
      EXPECT_STREQ(e.what(), "Value of field 'F' is out of range");
    }
  }
}

TEST_F(ValueTextTest, DatesTimesAndTimestamps) {
  EXPECT_EQ(Text(ftDate, 0, Bytes<int32_t>(730914)), "5.3.2002");
  EXPECT_EQ(Text(ftTime, 0, Bytes<int32_t>(32709000)), "9:05:09");
  const double day = 730914.0 * 86400000.0;
  EXPECT_EQ(Text(ftDateTime, 0, Bytes(day + 50709000.0)), "5.3.2002 14:05:09");
  EXPECT_EQ(Text(ftDateTime, 0, Bytes(day + 500.0)), "5.3.2002");
}

TEST_F(ValueTextTest, TimestampsOutsideTheCalendarGiveDayZero) {
  const std::string zero = Text(ftDateTime, 0, Bytes(0.0));
  for (double v : {-1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                   86400000.0 * 2147483648.0}) {
    EXPECT_EQ(Text(ftDateTime, 0, Bytes(v)), zero) << v;
  }
}

}  // namespace
}  // namespace merivan
