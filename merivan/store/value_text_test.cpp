#include "merivan/store/value_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "merivan/exceptions.h"
#include "merivan/format/date_time_text.h"
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
    std::vector<uint8_t> area(std::max(engine::kStringAreaSize, engine::DataAreaSize(testing::KindOf(type), size)));
    const std::string name = "F";
    const ValueTextField f{0, type, size, type == ftString || type == ftMemo, &name};
    std::string out = "stale";
    FieldValueText(driver, f, area.data(), out);
    // A value with a bound gives the same text written in place.
    if (const size_t bound = ValueTextBound(f)) {
      std::string direct(bound, '\0');
      direct.resize(static_cast<size_t>(FieldValueText(driver, f, area.data(), direct.data()) - direct.data()));
      EXPECT_EQ(direct, out) << "in place";
    }
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
  std::vector<uint8_t> area(engine::kStringAreaSize);
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

// A time counts from 30 December 1899 taken as unsigned: the day shows only
// when the time pattern holds date letters.
TEST_F(ValueTextTest, TimesBeyondADayAndNegativeTimes) {
  struct Case {
    int32_t stored;
    const char* pattern;
    const char* text;
  } cases[] = {
      {0, "h:mm:ss", "0:00:00"},
      {0, "d.M.yyyy h:mm:ss", "30.12.1899 0:00:00"},
      {86399999, "d.M.yyyy h:mm:ss", "30.12.1899 23:59:59"},
      {90000000, "h:mm:ss", "1:00:00"},
      {90000000, "d.M.yyyy h:mm:ss", "31.12.1899 1:00:00"},
      // -1 is 4294967295 ms: 49 days and 61,367,295 ms.
      {-1, "h:mm:ss", "17:02:47"},
      {-1, "d.M.yyyy h:mm:ss", "17.2.1900 17:02:47"},
      {INT32_MIN, "d.M.yyyy h:mm:ss", "23.1.1900 20:31:23"},
  };
  for (const Case& c : cases) {
    RegionalSettings.LongTimePattern = c.pattern;
    EXPECT_EQ(Text(ftTime, 0, Bytes<int32_t>(c.stored)), c.text) << c.stored << " " << c.pattern;
  }
}

// The stored milliseconds round to the nearest integer, ties to even, before
// they are split into day and time.
TEST_F(ValueTextTest, TimestampsRoundTiesToEven) {
  const double day = 730914.0 * 86400000.0;
  const double lastMs = day + 86399999.0;
  struct Case {
    double stored;
    const char* text;
  } cases[] = {
      {day + 50708999.5, "5.3.2002 14:05:09"},  // ties up to ...000 (even)
      {day + 50709000.5, "5.3.2002 14:05:09"},  // ties down to ...000 (even)
      {day + 50709999.5, "5.3.2002 14:05:10"},  // ...999.5 goes to ...000 (even)
      {lastMs, "5.3.2002 23:59:59"},
      {lastMs + 0.5, "6.3.2002"},  // ...999.5 ties to the next day's midnight
      {lastMs + 0.25, "5.3.2002 23:59:59"},
      {day - 0.5, "5.3.2002"},  // ...000 - 0.5 ties to even ...000
  };
  for (const Case& c : cases) EXPECT_EQ(Text(ftDateTime, 0, Bytes(c.stored)), c.text) << std::fixed << c.stored;
  // -0.4 rounds to zero, which is day 0 like any negative value.
  EXPECT_EQ(Text(ftDateTime, 0, Bytes(-0.4)), Text(ftDateTime, 0, Bytes(0.0)));
  EXPECT_EQ(Text(ftDateTime, 0, Bytes(0.4)), Text(ftDateTime, 0, Bytes(0.0)));
}

// The largest timestamp inside the bound has day number 2^31 - 1.
TEST_F(ValueTextTest, LastTimestampBelowTheBound) {
  const double bound = 86400000.0 * 2147483648.0;
  const double last = std::nextafter(bound, 0.0);  // 32 ms below: 23:59:59.968
  RegionalSettings.ShortDatePattern = "d.M.yyyy";
  const std::string text = Text(ftDateTime, 0, Bytes(last));
  EXPECT_EQ(text, DateTimeText("", 2147483647, 86399968)) << text;
  EXPECT_NE(text, Text(ftDateTime, 0, Bytes(0.0)));
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
