#pragma once
// The era rewrite of the locale's date patterns.
#include <bitset>
#include <string>

namespace merivan::format_detail {

// Calendar types 3, 4 and 5 turn "gg" into "ggg" and the year letters into
// era-year letters; Chinese, Japanese and Korean with any other calendar lose
// their era letters; everything else is kept.
std::string EraRewrite(const std::string& pattern, int calendarType, int primaryLanguage,
                       const std::bitset<256>& leadBytes);

}  // namespace merivan::format_detail
