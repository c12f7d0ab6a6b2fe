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

// Each level writes through its own BoundedText over the rest of the area,
// whose address never leaves it, so that its position can stay in a
// register across the byte stores; calls that write elsewhere get the rest
// of the area and hand back where they ended.
class PatternWriter {
 public:
  PatternWriter(const Moment& when, char* end) : when_(when), end_(end) {}

  // Writes the level's text from `at` on; returns its end.
  char* Level(const DatePattern& pattern, int level, char* at) const;

 private:
  char* Expand(const DatePattern& pattern, int level, char* at) const {
    return level < kMaxLevel ? Level(pattern, level + 1, at) : at;
  }
  template <typename Put>
  char* Era(Put put, int runLength, char* at) const {
    BoundedText text(at, end_);
    put(when_.date, runLength, text);
    return text.End();
  }

  const Moment& when_;
  char* const end_;
};

char* PatternWriter::Level(const DatePattern& pattern, int level, char* at) const {
  const TRegionalSettings& s = RegionalSettings;
  const CivilDate& d = when_.date;
  const char* literals = pattern.Literals().data();
  BoundedText out(at, end_);
  for (const DatePattern::Step& step : pattern.Steps()) {
    switch (step.op) {
      case Op::Literal: out.Put(std::string_view(literals + step.a, step.b)); break;
      case Op::DateMark: out.Put(s.DateMark); break;
      case Op::TimeMark: out.Put(s.TimeMark); break;
      case Op::Year2: out.PutSmallNumber(static_cast<int>(d.year % 100), 2); break;
      case Op::Year4: out.PutYear(d.year); break;
      case Op::Month: out.PutSmallNumber(d.month, step.width); break;
      // Month and weekday 0 (day numbers below 1) have the empty entry 0.
      case Op::MonthShort: out.Put(s.MonthNamesShort[d.month]); break;
      case Op::MonthLong: out.Put(s.MonthNamesLong[d.month]); break;
      case Op::Day: out.PutSmallNumber(d.day, step.width); break;
      case Op::DayShort: out.Put(s.DayNamesShort[d.weekday]); break;
      case Op::DayLong: out.Put(s.DayNamesLong[d.weekday]); break;
      case Op::Hour: {
        int hour = when_.hour;
        if (step.b != 0) {
          hour %= 12;
          if (hour == 0) hour = 12;
        }
        out.PutSmallNumber(hour, step.width);
        break;
      }
      case Op::Minute: out.PutSmallNumber(when_.minute, step.width); break;
      case Op::Second: out.PutSmallNumber(when_.second, step.width); break;
      case Op::ShortDate: out = BoundedText(Expand(s.ShortDatePattern, level, out.End()), end_); break;
      case Op::LongDate: out = BoundedText(Expand(s.LongDatePattern, level, out.End()), end_); break;
      case Op::ShortTime: out = BoundedText(Expand(s.ShortTimePattern, level, out.End()), end_); break;
      case Op::LongTime: out = BoundedText(Expand(s.LongTimePattern, level, out.End()), end_); break;
      case Op::DateAndTime:
        if (level >= kMaxLevel) break;
        out = BoundedText(Expand(s.ShortDatePattern, level, out.End()), end_);
        if (when_.hour != 0 || when_.minute != 0 || when_.second != 0) {
          out.Put(' ');
          out = BoundedText(Expand(s.LongTimePattern, level, out.End()), end_);
        }
        break;
      case Op::AmPmText: out.Put(when_.hour < 12 ? s.AmText : s.PmText); break;
      case Op::AmPmChoice:
        out.Put(std::string_view(literals + (when_.hour < 12 ? step.a : step.b), step.width));
        break;
      case Op::EraName: out = BoundedText(Era(format_detail::PutEraName, step.width, out.End()), end_); break;
      case Op::EraYear: out = BoundedText(Era(format_detail::PutEraYear, step.width, out.End()), end_); break;
    }
  }
  return out.End();
}

using format_detail::DateLayout;
using format_detail::DatePart;
using format_detail::DateParts;

static_assert(2 * DateLayout::kLengthMax + 1 <= kDateTimeTextMax, "two layouts and a blank fit the area");

// The date parts of a layout; false for years past 9999, which take more digits.
bool SetDate(int32_t day, DateParts& parts) {
  const CivilDate d = format_detail::DecodeDayNumber(day);
  if (d.year > 9999) return false;
  const auto year = static_cast<uint32_t>(d.year);
  parts.Set(DatePart::Day, static_cast<unsigned>(d.day));
  parts.Set(DatePart::Month, static_cast<unsigned>(d.month));
  parts.Set(DatePart::Century, year / 100);
  parts.Set(DatePart::YearOfCentury, year % 100);
  return true;
}

// ms: 0 to 86,399,999.
void SetTime(int32_t ms, DateParts& parts) {
  const auto time = static_cast<uint32_t>(ms);
  const uint32_t hour = time / 3'600'000;
  parts.Set(DatePart::Hour, hour);
  parts.Set(DatePart::Minute, time / 60'000 % 60);
  parts.Set(DatePart::Second, time / 1'000 % 60);
}

// The text by layouts alone, when the pattern has one or is "c" and the
// settings' patterns it runs have them; else nullptr, and the steps write it.
char* LayoutText(const DatePattern& pattern, int32_t day, int32_t ms, char* out) {
  const TRegionalSettings& s = RegionalSettings;
  const DateLayout* first = pattern.Layout();
  const DateLayout* second = nullptr;
  if (!first) {
    if (!pattern.IsDateAndTime()) return nullptr;
    first = s.ShortDatePattern.Layout();
    // Midnight has no time text.
    if (ms >= 1'000) {
      second = s.LongTimePattern.Layout();
      if (!second || !second->UsableWith(s.DateMark, s.TimeMark)) return nullptr;
    }
  }
  if (!first || !first->UsableWith(s.DateMark, s.TimeMark)) return nullptr;
  DateParts parts;
  if ((first->ShowsDate() || (second && second->ShowsDate())) && !SetDate(day, parts)) return nullptr;
  if (first->ShowsTime() || (second && second->ShowsTime())) SetTime(ms, parts);
  char* end = first->Write(parts, out);
  if (!second) return end;
  *end++ = ' ';
  return second->Write(parts, end);
}

}  // namespace

char* DateTimeText(const DatePattern& pattern, int32_t day, int32_t ms, char* out) {
  // A time of day outside one day is taken modulo the day, never negative.
  if (static_cast<uint32_t>(ms) >= static_cast<uint32_t>(kMsPerDay)) {
    ms %= kMsPerDay;
    if (ms < 0) ms += kMsPerDay;
  }
  if (char* end = LayoutText(pattern, day, ms, out)) return end;
  const Moment when{format_detail::DecodeDayNumber(day), ms / 3'600'000, ms / 60'000 % 60,
                    ms / 1'000 % 60};
  return PatternWriter(when, out + kDateTimeTextMax).Level(pattern, 1, out);
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
