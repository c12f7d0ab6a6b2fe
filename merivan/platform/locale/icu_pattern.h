#pragma once
// ICU date and time patterns turned into the Windows-style pattern language
// of the regional settings.
#include <string>

#include <unicode/unistr.h>

namespace merivan::platform {

// A date pattern: y -> yyyy (yy stays), M/L kept up to four, d, E -> ddd or
// dddd, G -> gg (narrow: g); literal letters quoted; unknown fields and
// bidirectional marks dropped. UTF-8.
std::string ConvertIcuDatePattern(const icu::UnicodeString& pattern);

struct TimePatternFacts {
  int itime = 1;          // 1 = 24-hour clock (H or k)
  int itlzero = 0;        // 1 = hour of two letters
  int itimemarkposn = 0;  // 1 = AM/PM marker before the hour
  std::string separator;  // between hour and minute, UTF-8
};
TimePatternFacts AnalyzeIcuTimePattern(const icu::UnicodeString& pattern);

// The literal text after the first field of a date pattern, without blanks
// and marks: "." of "dd.MM.y", "/" of "M/d/yy". Empty when there is none.
std::string DateSeparatorOf(const icu::UnicodeString& pattern);

}  // namespace merivan::platform
