// DateTimeText: a timestamp as text by a date/time pattern.
#include "merivan/format/date_time_text.h"

#include "merivan/format/bounded_text.h"
#include "merivan/format/civil_date.h"
#include "merivan/format/era_text.h"
#include "merivan/format/regional_settings.h"
#include "merivan/platform/locale/ascii_text.h"

namespace merivan {

namespace {

using format_detail::BoundedText;
using format_detail::CivilDate;

constexpr int32_t kMsPerDay = 86'400'000;
// The given pattern is level 1; expansions inside level 2 output nothing.
constexpr int kMaxLevel = 2;

struct Moment {
  CivilDate date;
  int hour;
  int minute;
  int second;
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsLeadByte(char c) { return RegionalSettings.LeadBytes[static_cast<unsigned char>(c)]; }

// Case-insensitive test for `word` at `pos`.
bool StartsWith(std::string_view p, size_t pos, std::string_view word) {
  return platform::EqualsIgnoringAsciiCase(p.substr(pos, word.size()), word);
}

bool IsClockMarker(std::string_view p, size_t pos) {
  return StartsWith(p, pos, "am/pm") || StartsWith(p, pos, "a/p") || StartsWith(p, pos, "ampm");
}

// Whether a 12-hour marker follows an hour token ending at `pos`, before the
// next hour letter.
bool MarkerFollows(std::string_view p, size_t pos) {
  bool quoted = false;
  while (pos < p.size()) {
    const char c = p[pos];
    if (IsLeadByte(c)) {
      pos += 2;
      continue;
    }
    if (c == '\'' || c == '"') {
      quoted = !quoted;
    } else if (c == 'h' || c == 'H') {
      return false;
    } else if (!quoted && (c == 'a' || c == 'A')) {
      return IsClockMarker(p, pos);
    }
    ++pos;
  }
  return false;
}

class PatternWriter {
 public:
  PatternWriter(const Moment& when, BoundedText& out) : when_(when), out_(out) {}

  void Level(std::string_view p, int level);

 private:
  void Expand(std::string_view p, int level) {
    if (level < kMaxLevel) Level(p, level + 1);
  }
  // Handles the "a" rules at `pos`; returns the bytes consumed.
  size_t LetterA(std::string_view p, size_t pos, bool& clock12);
  void Run(std::string_view p, size_t end, char kind, int n, int level, char previous,
           bool& clock12);

  const Moment& when_;
  BoundedText& out_;
};

void PatternWriter::Level(std::string_view p, int level) {
  char previous = 0;
  bool clock12 = false;
  size_t pos = 0;
  while (pos < p.size()) {
    const char c = p[pos];
    if (IsLeadByte(c)) {
      out_.Put(c);
      if (pos + 1 < p.size()) out_.Put(p[pos + 1]);
      pos += 2;
      previous = 0;
      continue;
    }
    const char kind = platform::AsciiUpper(c);
    switch (kind) {
      case 'Y': case 'M': case 'N': case 'D': case 'H':
      case 'S': case 'T': case 'C': case 'G': case 'E': {
        size_t end = pos + 1;
        while (end < p.size() && p[end] == c) ++end;
        Run(p, end, kind, static_cast<int>(end - pos), level, previous, clock12);
        previous = kind;
        pos = end;
        continue;
      }
      case 'A':
        pos += LetterA(p, pos, clock12);
        previous = 'A';
        continue;
      default:
        break;
    }
    ++pos;
    if (c == '\'' || c == '"') {
      const size_t close = p.find(c, pos);
      const size_t end = close == std::string_view::npos ? p.size() : close;
      out_.Put(p.substr(pos, end - pos));
      pos = close == std::string_view::npos ? p.size() : close + 1;
    } else if (c == '/') {
      out_.Put(RegionalSettings.DateMark);
    } else if (c == ':') {
      out_.Put(RegionalSettings.TimeMark);
    } else {
      out_.Put(c);
      if (IsLetter(c)) previous = kind;
    }
  }
}

size_t PatternWriter::LetterA(std::string_view p, size_t pos, bool& clock12) {
  const bool morning = when_.hour < 12;
  if (StartsWith(p, pos, "am/pm")) {
    out_.Put(p.substr(morning ? pos : pos + 3, 2));
    clock12 = true;
    return 5;
  }
  if (StartsWith(p, pos, "a/p")) {
    out_.Put(p[morning ? pos : pos + 2]);
    clock12 = true;
    return 3;
  }
  if (StartsWith(p, pos, "ampm")) {
    out_.Put(morning ? RegionalSettings.AmText : RegionalSettings.PmText);
    clock12 = true;
    return 4;
  }
  if (StartsWith(p, pos, "aaaa")) {
    out_.Put(RegionalSettings.DayNamesLong[when_.date.weekday]);
    return 4;
  }
  if (StartsWith(p, pos, "aaa")) {
    out_.Put(RegionalSettings.DayNamesShort[when_.date.weekday]);
    return 3;
  }
  out_.Put(p[pos]);
  return 1;
}

void PatternWriter::Run(std::string_view p, size_t end, char kind, int n, int level, char previous,
                        bool& clock12) {
  const CivilDate& d = when_.date;
  const int width = n < 2 ? n : 2;
  switch (kind) {
    case 'Y':
      if (n <= 2)
        out_.PutNumber(d.year % 100, 2);
      else
        out_.PutNumber(d.year, 4);
      break;
    case 'M':
      if (previous == 'H') {
        out_.PutNumber(when_.minute, width);
      } else if (n <= 2) {
        out_.PutNumber(d.month, n);
      } else {
        // Month 0 (day numbers below 1) has the empty entry 0.
        out_.Put(n == 3 ? RegionalSettings.MonthNamesShort[d.month]
                        : RegionalSettings.MonthNamesLong[d.month]);
      }
      break;
    case 'N':
      out_.PutNumber(when_.minute, width);
      break;
    case 'D':
      if (n <= 2)
        out_.PutNumber(d.day, n);
      else if (n == 3)
        out_.Put(RegionalSettings.DayNamesShort[d.weekday]);
      else if (n == 4)
        out_.Put(RegionalSettings.DayNamesLong[d.weekday]);
      else
        Expand(n == 5 ? RegionalSettings.ShortDatePattern : RegionalSettings.LongDatePattern, level);
      break;
    case 'H': {
      if (!clock12) clock12 = MarkerFollows(p, end);
      int hour = when_.hour;
      if (clock12) {
        hour %= 12;
        if (hour == 0) hour = 12;
      }
      out_.PutNumber(hour, width);
      break;
    }
    case 'S':
      out_.PutNumber(when_.second, width);
      break;
    case 'T':
      Expand(n == 1 ? RegionalSettings.ShortTimePattern : RegionalSettings.LongTimePattern, level);
      break;
    case 'C':
      if (level >= kMaxLevel) break;
      Expand(RegionalSettings.ShortDatePattern, level);
      if (when_.hour != 0 || when_.minute != 0 || when_.second != 0) {
        out_.Put(' ');
        Expand(RegionalSettings.LongTimePattern, level);
      }
      break;
    case 'G':
      format_detail::PutEraName(d, n, out_);
      break;
    case 'E':
      format_detail::PutEraYear(d, n, out_);
      break;
  }
}

}  // namespace

void DateTimeText(std::string_view pattern, int32_t day, int32_t ms, std::string& out) {
  // A time of day outside one day is taken modulo the day, never negative.
  ms %= kMsPerDay;
  if (ms < 0) ms += kMsPerDay;
  const Moment when{format_detail::DecodeDayNumber(day), ms / 3'600'000, ms / 60'000 % 60,
                    ms / 1'000 % 60};
  BoundedText text;
  PatternWriter(when, text).Level(pattern.empty() ? std::string_view("c") : pattern, 1);
  out.assign(text.View().data(), text.View().size());
}

std::string DateTimeText(std::string_view pattern, int32_t day, int32_t ms) {
  std::string text;
  DateTimeText(pattern, day, ms, text);
  return text;
}

}  // namespace merivan
