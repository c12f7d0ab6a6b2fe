#include "merivan/format/civil_date.h"

#include <gtest/gtest.h>

namespace merivan::format_detail {
namespace {

int DaysInMonth(int64_t year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Every day from 1 January of year 1 to 31 December 9999 follows the one
// before it in the calendar, and the weekdays cycle.
TEST(CivilDate, EveryDayFollowsTheOneBefore) {
  CivilDate before = DecodeDayNumber(1);
  ASSERT_EQ(before.year, 1);
  ASSERT_EQ(before.month, 1);
  ASSERT_EQ(before.day, 1);
  EXPECT_EQ(before.weekday, 2);  // a Monday
  for (int32_t n = 2; n <= 3652059; ++n) {
    const CivilDate d = DecodeDayNumber(n);
    CivilDate next = before;
    if (++next.day > DaysInMonth(next.year, next.month)) {
      next.day = 1;
      if (++next.month > 12) {
        next.month = 1;
        ++next.year;
      }
    }
    next.weekday = before.weekday % 7 + 1;
    ASSERT_TRUE(d.year == next.year && d.month == next.month && d.day == next.day && d.weekday == next.weekday)
        << "day number " << n << ": " << d.year << "-" << d.month << "-" << d.day;
    before = d;
  }
  EXPECT_EQ(before.year, 9999);
  EXPECT_EQ(before.month, 12);
  EXPECT_EQ(before.day, 31);
}

TEST(CivilDate, EndsOfTheRange) {
  struct Case {
    int32_t dayNumber;
    int64_t year;
    int month, day;
  } cases[] = {{0, 0, 0, 0}, {-1, 0, 0, 0}, {693594, 1899, 12, 30}, {730914, 2002, 3, 5},
               {2147483647, 5879611, 7, 11}};
  for (const Case& c : cases) {
    const CivilDate d = DecodeDayNumber(c.dayNumber);
    EXPECT_EQ(d.year, c.year) << c.dayNumber;
    EXPECT_EQ(d.month, c.month) << c.dayNumber;
    EXPECT_EQ(d.day, c.day) << c.dayNumber;
  }
}

}  // namespace
}  // namespace merivan::format_detail
