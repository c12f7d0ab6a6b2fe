#include <gtest/gtest.h>

#include "merivan/platform/locale/icu_pattern.h"

namespace merivan::platform {
namespace {

icu::UnicodeString U(const char* utf8) { return icu::UnicodeString::fromUTF8(utf8); }

TEST(IcuPatternTest, ConvertsDatePatterns) {
  const std::pair<const char*, const char*> cases[] = {
      {"dd/MM/y", "dd/MM/yyyy"},
      {"M/d/yy", "M/d/yy"},
      {"d. MMMM y", "d. MMMM yyyy"},
      {"EEEE, MMMM d, y", "dddd, MMMM d, yyyy"},
      {"EEE d LLL yyyy", "ddd d MMM yyyy"},
      {"y 'm'. MMMM d 'd'.", "yyyy 'm'. MMMM d 'd'."},
      {"d 'de' MMMM 'de' y", "d 'de' MMMM 'de' yyyy"},
      {"d MMMM y 'г'.", "d MMMM yyyy г."},
      {"dd 'o''clock'", "dd 'o'\"'\"'clock'"},
      {"''d''", "\"'\"d\"'\""},
      {"Gy年M月d日", "ggyyyy年M月d日"},
      {"GGGGGy/M/d", "gyyyy/M/d"},
      {"d\u200F/M\u200F/y", "d/M/yyyy"},
      {"h:mm\u202Fa", "h:nn AMPM"},
      {"y-MM-dd QQQ w", "yyyy-MM-dd  "},
      {"MMMMM d", "MMM d"},
  };
  for (const auto& [icu, ours] : cases) EXPECT_EQ(ConvertIcuDatePattern(U(icu)), ours) << icu;
}

TEST(IcuPatternTest, ReadsTheClockFromTimePatterns) {
  struct Case {
    const char* pattern;
    int itime, itlzero, markBefore;
    const char* separator;
  };
  const Case cases[] = {
      {"HH:mm:ss", 1, 1, 0, ":"},
      {"H:mm:ss", 1, 0, 0, ":"},
      {"h:mm:ss\u202Fa", 0, 0, 0, ":"},
      {"a h:mm:ss", 0, 0, 1, ":"},
      {"Bh:mm:ss", 0, 0, 1, ":"},
      {"HH.mm.ss", 1, 1, 0, "."},
      {"H:mm:ss 'ч'.", 1, 0, 0, ":"},
      {"HH 'h' mm", 1, 1, 0, "h"},
  };
  for (const auto& c : cases) {
    const TimePatternFacts facts = AnalyzeIcuTimePattern(U(c.pattern));
    EXPECT_EQ(facts.itime, c.itime) << c.pattern;
    EXPECT_EQ(facts.itlzero, c.itlzero) << c.pattern;
    EXPECT_EQ(facts.itimemarkposn, c.markBefore) << c.pattern;
    EXPECT_EQ(facts.separator, c.separator) << c.pattern;
  }
}

TEST(IcuPatternTest, FindsTheDateSeparator) {
  const std::pair<const char*, const char*> cases[] = {
      {"dd.MM.yy", "."}, {"M/d/yy", "/"}, {"y. MM. dd.", "."}, {"y-MM-dd", "-"},
      {"d\u200F/M\u200F/y", "/"}, {"yyyyMMdd", ""},
  };
  for (const auto& [pattern, separator] : cases)
    EXPECT_EQ(DateSeparatorOf(U(pattern)), separator) << pattern;
}

}  // namespace
}  // namespace merivan::platform
