#pragma once
// A date/time pattern and the steps it is read into once, when it is set:
// a value's text then runs the steps instead of reading the pattern anew.
// The steps hold what the pattern alone decides (runs, minute or month,
// 12- or 24-hour clock, quoted text); marks, names and the patterns that an
// expansion reaches are taken from RegionalSettings when the text is made.
// A pattern of numbers and separators also gets a layout (date_layout.h),
// with the marks of the moment put in; a text uses it only while they last.
#include <bitset>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "merivan/format/date_layout.h"

namespace merivan {

class DatePattern {
 public:
  enum class Op : uint8_t {
    Literal,      // literals[a, a + b)
    DateMark,
    TimeMark,
    Year2,        // year mod 100, two digits
    Year4,        // at least four digits
    Month,        // width digits
    MonthShort,
    MonthLong,
    Day,          // width digits
    DayShort,
    DayLong,
    Hour,         // width digits; b != 0: the 12-hour clock
    Minute,
    Second,
    ShortDate,    // expansions of the settings' patterns
    LongDate,
    ShortTime,
    LongTime,
    DateAndTime,  // "c"
    AmPmText,
    AmPmChoice,   // before noon literals[a, a + width), else literals[b, b + width)
    EraName,      // width: the run length, at most 3
    EraYear,
  };
  struct Step {
    Op op;
    uint8_t width;
    uint32_t a;
    uint32_t b;
  };

  // `leadBytes`: the double-byte lead bytes the text is read with.
  explicit DatePattern(std::string_view text = "", const std::bitset<256>& leadBytes = {});
  // Reads the new text with the lead bytes of RegionalSettings.
  DatePattern& operator=(std::string_view text);

  const std::string& Text() const { return text_; }
  const std::vector<Step>& Steps() const { return steps_; }
  const std::string& Literals() const { return literals_; }
  // The short form of the steps, or nullptr.
  const format_detail::DateLayout* Layout() const { return layout_ ? &*layout_ : nullptr; }
  // "c" alone: the short date and the long time of the settings.
  bool IsDateAndTime() const { return steps_.size() == 1 && steps_[0].op == Op::DateAndTime; }

  friend bool operator==(const DatePattern& p, std::string_view text) { return p.text_ == text; }
  friend bool operator!=(const DatePattern& p, std::string_view text) { return p.text_ != text; }
  friend std::ostream& operator<<(std::ostream& out, const DatePattern& p);

 private:
  void Compile(const std::bitset<256>& leadBytes);

  std::string text_;
  std::string literals_;
  std::vector<Step> steps_;
  std::optional<format_detail::DateLayout> layout_;
};

}  // namespace merivan
