#pragma once
// The short form of a pattern made only of numbers and the few bytes after
// each (most short dates and times: "d.M.yyyy", "dd/MM/yy", "H:mm:ss"): its
// text is a run of digit pairs and separators written without the steps'
// switch or bounds checks, which cost more than the digits themselves.
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "merivan/format/decimal_digits.h"

namespace merivan::format_detail {

// The numbers of a moment that a layout shows, each 0 to 99.
enum class DatePart : uint8_t { Day, Month, Century, YearOfCentury, Hour, Minute, Second, Count };

// Each number of a moment as where its two digits are in kDigitPairs.
class DateParts {
 public:
  void Set(DatePart part, unsigned value) { pairAt_[static_cast<size_t>(part)] = static_cast<uint8_t>(2 * value); }
  unsigned PairAt(DatePart part) const { return pairAt_[static_cast<size_t>(part)]; }

 private:
  std::array<uint8_t, static_cast<size_t>(DatePart::Count)> pairAt_;
};

class DateLayout {
 public:
  static constexpr size_t kTailMax = 4;
  static constexpr size_t kFieldsMax = 8;
  // The longest text of a layout, for the room its callers keep.
  static constexpr size_t kLengthMax = kFieldsMax * (2 + kTailMax);

  // Building, step by step; each returns false when the layout cannot take
  // the step, and the pattern then has none. minDigits is 1 or 2.
  bool AddNumber(DatePart part, int minDigits);
  // Bytes after the last number.
  bool AddSeparator(std::string_view bytes);
  // The marks as they are when the layout is made; UsableWith then tells
  // whether they still are.
  bool AddDateMark(char mark);
  bool AddTimeMark(char mark);
  bool Empty() const { return count_ == 0; }

  bool ShowsDate() const { return showsDate_; }
  bool ShowsTime() const { return showsTime_; }
  bool UsableWith(char dateMark, char timeMark) const {
    return (!usesDateMark_ || dateMark == dateMark_) && (!usesTimeMark_ || timeMark == timeMark_);
  }

  // Writes the text at `out`, which has room for kLengthMax bytes (each
  // field stores its whole tail, used or not), and returns its end.
  char* Write(const DateParts& parts, char* out) const {
    const Field* const end = fields_.data() + count_;
    for (const Field* field = fields_.data(); field != end; ++field) {
      const unsigned pairAt = parts.PairAt(field->part);
      // A single digit is the second byte of its pair.
      const unsigned single = pairAt < field->singleBelow ? 1 : 0;
      std::memcpy(out, kDigitPairs + pairAt + single, 2);
      out += 2 - single;
      std::memcpy(out, field->tail, kTailMax);
      out += field->tailLength;
    }
    return out;
  }

 private:
  struct Field {
    DatePart part;
    uint8_t singleBelow;  // pairs before that of 10 when they take one digit, else 0
    uint8_t tailLength;
    char tail[kTailMax];  // the separator after the number, marks put in
  };

  std::array<Field, kFieldsMax> fields_{};
  uint8_t count_ = 0;
  bool showsDate_ = false;
  bool showsTime_ = false;
  bool usesDateMark_ = false;
  bool usesTimeMark_ = false;
  char dateMark_ = 0;
  char timeMark_ = 0;
};

}  // namespace merivan::format_detail
