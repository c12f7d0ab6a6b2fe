#include <gtest/gtest.h>

#include <random>
#include <string>

#include "merivan/format/date_time_text.h"
#include "merivan/format/test_settings_scope.h"

namespace merivan {
namespace {

constexpr int32_t k5March2002 = 730914;
constexpr int32_t kHour = 3'600'000;
constexpr int32_t kMinute = 60'000;
constexpr int32_t kSecond = 1'000;
constexpr int32_t k140509 = 14 * kHour + 5 * kMinute + 9 * kSecond;

class DateTimeTextTest : public ::testing::Test {
 protected:
  void SetUp() override { scope_.Load({}); }
  testing_support::SettingsScope scope_;
};

struct PatternCase {
  const char* pattern;
  int32_t day;
  int32_t ms;
  const char* text;
};

void ExpectAll(const std::vector<PatternCase>& cases) {
  for (const auto& c : cases)
    EXPECT_EQ(DateTimeText(c.pattern, c.day, c.ms), c.text)
        << "pattern \"" << c.pattern << "\" day " << c.day << " ms " << c.ms;
}

TEST_F(DateTimeTextTest, DefaultSettings) {
  ExpectAll({
      {"", k5March2002, k140509, "3/5/02 2:05:09 pm"},
      {"", k5March2002, 0, "3/5/02"},
      {"c", k5March2002, 500, "3/5/02"},
      {"h:mm AMPM", k5March2002, 30 * kMinute, "12:30 am"},
      {"h:mm AMPM", k5March2002, 12 * kHour + 30 * kMinute, "12:30 pm"},
      {"t", k5March2002, k140509, "2:05 pm"},
      {"tt", k5March2002, k140509, "2:05:09 pm"},
      {"ddddd", k5March2002, 0, "3/5/02"},
      {"dddddd", k5March2002, 0, "March 5, 2002"},
      {"dddd ddd aaaa aaa", k5March2002, 0, "Tuesday Tue Tuesday Tue"},
      {"mmmm mmm mm m", k5March2002, 0, "March Mar 03 3"},
      {"yyyy yyy yy y", k5March2002, 0, "2002 2002 02 02"},
      {"yyyy", 1, 0, "0001"},
      {"d.m.yyyy", 1, 0, "1.1.0001"},
      {"d.m.yyyy dddd", 693594, 0, "30.12.1899 Saturday"},
      {"d.m.yyyy", 3652059, 0, "31.12.9999"},
      {"yyyy", 2147483647, 0, "5879611"},
  });
}

TEST_F(DateTimeTextTest, CzechPatterns) {
  RegionalSettings.ShortDatePattern = "d.M.yyyy";
  RegionalSettings.LongTimePattern = "h:mm:ss";
  RegionalSettings.DateMark = '.';
  ExpectAll({
      {"", k5March2002, k140509, "5.3.2002 14:05:09"},
      {"", k5March2002, 0, "5.3.2002"},
      {"", k5March2002, 500, "5.3.2002"},
      {"", k5March2002, 9 * kSecond, "5.3.2002 0:00:09"},
      {"d.M.yyyy", 0, 0, "0.0.0000"},
      {"d.M.yyyy", -5, 0, "0.0.0000"},
      // Month and weekday 0 of such days have no names.
      {"[mmmm][mmm][dddd][ddd][aaaa][aaa]", 0, 0, "[][][][][][]"},
      {"tt", 693594, 32'709'000, "9:05:09"},
  });
}

TEST_F(DateTimeTextTest, MarksMinutesAndClock) {
  RegionalSettings.DateMark = '-';
  RegionalSettings.TimeMark = '.';
  ExpectAll({
      {"dd/mm/yyyy", k5March2002, 0, "05-03-2002"},
      {"hh:mm", k5March2002, 9 * kHour + 7 * kMinute, "09.07"},
      {"h:m", k5March2002, 9 * kHour + 7 * kMinute, "9.7"},
      {"mm:ss", k5March2002, 9 * kHour + 7 * kMinute + 8 * kSecond, "03.08"},
      {"hh nn", k5March2002, 9 * kHour + 7 * kMinute, "09 07"},
      {"h 'x' mm", k5March2002, 9 * kHour + 7 * kMinute, "9 x 07"},
      // A letter between the hour and "mm" makes it a month again.
      {"h z mm", k5March2002, 9 * kHour + 7 * kMinute, "9 z 03"},
      {"hhh:nnn:sss", k5March2002, 9 * kHour + 7 * kMinute + 8 * kSecond, "09.07.08"},
      {"H:MM:SS", k5March2002, 23 * kHour + 59 * kMinute + 59 * kSecond, "23.59.59"},
      {"h am/pm", k5March2002, 0, "12 am"},
      {"h AM/PM", k5March2002, 13 * kHour, "1 PM"},
      {"h a/p", k5March2002, 23 * kHour, "11 p"},
      {"h A/P", k5March2002, 11 * kHour, "11 A"},
      {"am/pm h", k5March2002, 13 * kHour, "pm 1"},
      {"h", k5March2002, 13 * kHour, "13"},
      // The look-ahead stops at the next hour letter.
      {"h h ampm", k5March2002, 13 * kHour, "13 1 pm"},
      // A marker inside quotes does not count, whichever quote opened them.
      {"h 'ampm' x", k5March2002, 13 * kHour, "13 ampm x"},
      {"h \"am/pm\"", k5March2002, 13 * kHour, "13 am/pm"},
      // Both quote kinds toggle the one look-ahead state, so here the marker
      // counts although the unclosed double quote copies it as text.
      {"h \"x' ampm", k5March2002, 13 * kHour, "1 x' ampm"},
      {"axa", k5March2002, 0, "axa"},
      {"aaaaa", k5March2002, 0, "Tuesdaya"},
  });
}

TEST_F(DateTimeTextTest, Quoting) {
  ExpectAll({
      {"hh 'o''clock'", k5March2002, 9 * kHour, "09 oclock"},
      {"\"yyyy\" yyyy", k5March2002, 0, "yyyy 2002"},
      {"'it''s' \"a 'b'\"", k5March2002, 0, "its a 'b'"},
      {"d 'unclosed", k5March2002, 0, "5 unclosed"},
      {"d \"", k5March2002, 0, "5 "},
      {"z 12 # x, q", k5March2002, 0, "z 12 # x, q"},
  });
}

TEST_F(DateTimeTextTest, ExpansionNestsTwoLevels) {
  RegionalSettings.ShortDatePattern = "d.m. (t)";
  RegionalSettings.LongDatePattern = "dddd c";
  RegionalSettings.ShortTimePattern = "h:nn [ddddd]";
  ExpectAll({
      // Level 2 expands nothing further.
      {"ddddd", k5March2002, k140509, "5.3. ()"},
      {"dddddd", k5March2002, k140509, "Tuesday "},
      {"t", k5March2002, k140509, "14:05 []"},
      {"c", k5March2002, 0, "5.3. ()"},
  });
}

TEST_F(DateTimeTextTest, ExpansionStartsWithTwentyFourHourClock) {
  RegionalSettings.ShortTimePattern = "h:nn";
  ExpectAll({
      {"ampm h t", k5March2002, 13 * kHour, "pm 1 13:00"},
  });
}

TEST_F(DateTimeTextTest, DoubleByteCharactersAreCopiedWhole) {
  RegionalSettings.LeadBytes.set(0x82);
  // 0x82 0x68 would otherwise be read as an hour letter "h".
  EXPECT_EQ(DateTimeText("\x82hd", k5March2002, 0), "\x82h" "5");
  // The lead byte resets the previous letter: "mm" is a month again.
  EXPECT_EQ(DateTimeText("h\x82xmm", k5March2002, 7 * kMinute), "0\x82x03");
  // The 12-hour look-ahead skips the trail byte "a" of 0x82 0x61.
  EXPECT_EQ(DateTimeText("h\x82" "ampm", k5March2002, 13 * kHour), "13\x82" "a3p3");
}

TEST_F(DateTimeTextTest, OutputIsCutAt256Bytes) {
  const std::string pattern(300, 'x');
  EXPECT_EQ(DateTimeText(pattern, k5March2002, 0), std::string(256, 'x'));
  std::string names;
  for (int i = 0; i < 60; ++i) names += "mmmm ";
  const std::string text = DateTimeText(names, k5March2002, 0);
  EXPECT_EQ(text.size(), 256u);
  EXPECT_EQ(text.substr(0, 12), "March March ");
}

// Arbitrary bytes as patterns, with nested settings patterns and lead
// bytes: the output never passes 256 bytes and nothing reads outside.
TEST_F(DateTimeTextTest, ArbitraryPatternsStayInBounds) {
  std::mt19937 random(1);
  const std::string alphabet = "ymndhstcgeaAMPYHD/:'\" \x81\x82 .-";
  const auto pattern = [&](size_t length) {
    std::string p;
    for (size_t i = 0; i < length; ++i)
      p += random() % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    return p;
  };
  RegionalSettings.LeadBytes.set(0x81);
  RegionalSettings.LeadBytes.set(0xE0);
  for (int round = 0; round < 2000; ++round) {
    RegionalSettings.ShortDatePattern = pattern(random() % 40);
    RegionalSettings.LongDatePattern = pattern(random() % 40);
    RegionalSettings.ShortTimePattern = pattern(random() % 40);
    RegionalSettings.LongTimePattern = pattern(random() % 300);
    const int32_t day = static_cast<int32_t>(random());
    const int32_t ms = static_cast<int32_t>(random());
    EXPECT_LE(DateTimeText(pattern(random() % 400), day, ms).size(), 256u);
  }
}

// Patterns of numbers and short separators take the short form of
// date_layout.h; the others, and years past 9999, take the steps.
TEST_F(DateTimeTextTest, NumberPatterns) {
  RegionalSettings.ShortDatePattern = "dd/mm/yyyy";
  RegionalSettings.LongTimePattern = "hh:nn:ss";
  ExpectAll({
      {"", k5March2002, k140509, "05/03/2002 14:05:09"},
      {"d.m.yyyy", 3652059, 0, "31.12.9999"},
      {"d.m.yyyy", 3652060, 0, "1.1.10000"},
      {"yy-m-d", 693596, 0, "00-1-1"},
      {"d. m. yyyy h:nn", k5March2002, 9 * kHour + 3 * kMinute, "5. 3. 2002 9:03"},
      // Five bytes after a number, a literal first, nine numbers.
      {"d'abcde'm", k5March2002, 0, "5abcde3"},
      {"'x'd", k5March2002, 0, "x5"},
      {"d d d d d d d d d", k5March2002, 0, "5 5 5 5 5 5 5 5 5"},
      {"h:nn am/pm", k5March2002, 13 * kHour, "1:00 pm"},
  });
}

// A pattern keeps the marks it was read with only while the settings do.
TEST_F(DateTimeTextTest, MarksChangedAfterThePatterns) {
  RegionalSettings.ShortDatePattern = "dd/mm/yyyy";
  RegionalSettings.LongTimePattern = "hh:nn:ss";
  RegionalSettings.DateMark = '-';
  RegionalSettings.TimeMark = '.';
  const DatePattern dateAndTime("");
  char text[kDateTimeTextMax];
  EXPECT_EQ(std::string(text, DateTimeText(dateAndTime, k5March2002, k140509, text)), "05-03-2002 14.05.09");
  EXPECT_EQ(std::string(text, DateTimeText(RegionalSettings.LongTimePattern, k5March2002, k140509, text)),
            "14.05.09");
}

// The same pattern with an era step after it, which writes nothing while
// there are no eras, runs the steps: both must give the same text.
TEST_F(DateTimeTextTest, ShortFormWritesWhatTheStepsWrite) {
  ASSERT_TRUE(RegionalSettings.Eras.empty());
  std::mt19937 random(3);
  const std::string alphabet = "dmyhnsH/: .-";
  RegionalSettings.DateMark = '.';
  for (int round = 0; round < 5000; ++round) {
    std::string pattern;
    const size_t length = 1 + random() % 14;
    for (size_t i = 0; i < length; ++i) pattern += alphabet[random() % alphabet.size()];
    const auto day = static_cast<int32_t>(static_cast<int64_t>(random() % 3'700'000) - 20);
    const auto ms = static_cast<int32_t>(random());
    EXPECT_EQ(DateTimeText(pattern, day, ms), DateTimeText(pattern + "g", day, ms))
        << "pattern \"" << pattern << "\" day " << day << " ms " << ms;
  }
}

TEST_F(DateTimeTextTest, TimeOutsideOneDayWrapsAround) {
  EXPECT_EQ(DateTimeText("h:nn:ss", k5March2002, -1000), "23:59:59");
  EXPECT_EQ(DateTimeText("h:nn:ss", k5March2002, 86'400'000 + 61'000), "0:01:01");
}

TEST_F(DateTimeTextTest, OutFormReusesTheCallersString) {
  std::string text;
  text.reserve(64);
  const char* data = text.data();
  DateTimeText("dddd, mmmm d, yyyy hh:nn:ss", k5March2002, k140509, text);
  EXPECT_EQ(text, "Tuesday, March 5, 2002 14:05:09");
  EXPECT_EQ(text.data(), data);
}

}  // namespace
}  // namespace merivan
