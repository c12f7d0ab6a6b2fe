// DateTimeText: a timestamp as text by the steps of a date/time pattern.
#include "merivan/format/date_time_text.h"

#include "merivan/format/bounded_text.h"
#include "merivan/format/civil_date.h"
#include "merivan/format/era_text.h"
#include "merivan/format/regional_settings.h"

namespace merivan {

namespace {

using format_detail::BoundedText;
using format_detail::CivilDate;
using Op = DatePattern::Op;

constexpr int32_t kMsPerDay = 86'400'000;
// The given pattern is level 1; expansions inside level 2 output nothing.
constexpr int kMaxLevel = 2;

struct Moment {
  CivilDate date;
  int hour;
  int minute;
  int second;
};

class PatternWriter {
 public:
  PatternWriter(const Moment& when, BoundedText& out) : when_(when), out_(out) {}

  void Level(const DatePattern& pattern, int level);

 private:
  void Expand(const DatePattern& pattern, int level) {
    if (level < kMaxLevel) Level(pattern, level + 1);
  }

  const Moment& when_;
  BoundedText& out_;
};

void PatternWriter::Level(const DatePattern& pattern, int level) {
  const TRegionalSettings& s = RegionalSettings;
  const CivilDate& d = when_.date;
  const char* literals = pattern.Literals().data();
  for (const DatePattern::Step& step : pattern.Steps()) {
    switch (step.op) {
      case Op::Literal: out_.Put(std::string_view(literals + step.a, step.b)); break;
      case Op::DateMark: out_.Put(s.DateMark); break;
      case Op::TimeMark: out_.Put(s.TimeMark); break;
      case Op::Year2: out_.PutSmallNumber(static_cast<int>(d.year % 100), 2); break;
      case Op::Year4: out_.PutYear(d.year); break;
      case Op::Month: out_.PutSmallNumber(d.month, step.width); break;
      // Month and weekday 0 (day numbers below 1) have the empty entry 0.
      case Op::MonthShort: out_.Put(s.MonthNamesShort[d.month]); break;
      case Op::MonthLong: out_.Put(s.MonthNamesLong[d.month]); break;
      case Op::Day: out_.PutSmallNumber(d.day, step.width); break;
      case Op::DayShort: out_.Put(s.DayNamesShort[d.weekday]); break;
      case Op::DayLong: out_.Put(s.DayNamesLong[d.weekday]); break;
      case Op::Hour: {
        int hour = when_.hour;
        if (step.b != 0) {
          hour %= 12;
          if (hour == 0) hour = 12;
        }
        out_.PutSmallNumber(hour, step.width);
        break;
      }
      case Op::Minute: out_.PutSmallNumber(when_.minute, step.width); break;
      case Op::Second: out_.PutSmallNumber(when_.second, step.width); break;
      case Op::ShortDate: Expand(s.ShortDatePattern, level); break;
      case Op::LongDate: Expand(s.LongDatePattern, level); break;
      case Op::ShortTime: Expand(s.ShortTimePattern, level); break;
      case Op::LongTime: Expand(s.LongTimePattern, level); break;
      case Op::DateAndTime:
        if (level >= kMaxLevel) break;
        Expand(s.ShortDatePattern, level);
        if (when_.hour != 0 || when_.minute != 0 || when_.second != 0) {
          out_.Put(' ');
          Expand(s.LongTimePattern, level);
        }
        break;
      case Op::AmPmText: out_.Put(when_.hour < 12 ? s.AmText : s.PmText); break;
      case Op::AmPmChoice:
        out_.Put(std::string_view(literals + (when_.hour < 12 ? step.a : step.b), step.width));
        break;
      case Op::EraName: format_detail::PutEraName(d, step.width, out_); break;
      case Op::EraYear: format_detail::PutEraYear(d, step.width, out_); break;
    }
  }
}

}  // namespace

char* DateTimeText(const DatePattern& pattern, int32_t day, int32_t ms, char* out) {
  // A time of day outside one day is taken modulo the day, never negative.
  ms %= kMsPerDay;
  if (ms < 0) ms += kMsPerDay;
  const Moment when{format_detail::DecodeDayNumber(day), ms / 3'600'000, ms / 60'000 % 60,
                    ms / 1'000 % 60};
  BoundedText text(out);
  PatternWriter(when, text).Level(pattern, 1);
  return text.End();
}

void DateTimeText(std::string_view pattern, int32_t day, int32_t ms, std::string& out) {
  char text[kDateTimeTextMax];
  char* end = DateTimeText(DatePattern(pattern, RegionalSettings.LeadBytes), day, ms, text);
  out.assign(text, static_cast<size_t>(end - text));
}

std::string DateTimeText(std::string_view pattern, int32_t day, int32_t ms) {
  std::string text;
  DateTimeText(pattern, day, ms, text);
  return text;
}

}  // namespace merivan
