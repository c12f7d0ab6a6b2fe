// Reading a date/time pattern into its steps, left to right, one token at a
// time, as the pattern language has it.
#include "merivan/format/date_pattern.h"

#include <ostream>

#include "merivan/format/regional_settings.h"
#include "merivan/platform/locale/ascii_text.h"

namespace merivan {

namespace {

using Op = DatePattern::Op;
using Step = DatePattern::Step;

using platform::AsciiUpper;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Case-insensitive test for `word` at `pos`.
bool StartsWith(std::string_view p, size_t pos, std::string_view word) {
  return platform::EqualsIgnoringAsciiCase(p.substr(pos, word.size()), word);
}

bool IsClockMarker(std::string_view p, size_t pos) {
  return StartsWith(p, pos, "am/pm") || StartsWith(p, pos, "a/p") || StartsWith(p, pos, "ampm");
}

class Compiler {
 public:
  Compiler(std::string_view p, const std::bitset<256>& leadBytes, std::string& literals, std::vector<Step>& steps)
      : p_(p), leadBytes_(leadBytes), literals_(literals), steps_(steps) {}

  void Run();

 private:
  bool IsLeadByte(char c) const { return leadBytes_[static_cast<unsigned char>(c)]; }
  // Whether a 12-hour marker follows an hour token ending at `pos`, before
  // the next hour letter.
  bool MarkerFollows(size_t pos) const;
  void Add(Op op, int width = 0, uint32_t a = 0, uint32_t b = 0) {
    steps_.push_back({op, static_cast<uint8_t>(width), a, b});
  }
  // Literal bytes join the literal step before them.
  void Literal(std::string_view bytes);
  uint32_t Keep(std::string_view bytes) {
    const auto at = static_cast<uint32_t>(literals_.size());
    literals_.append(bytes);
    return at;
  }
  // The "a" rules at `pos`; returns the bytes consumed.
  size_t LetterA(size_t pos);
  void Token(char kind, int n, size_t end, char previous);

  std::string_view p_;
  const std::bitset<256>& leadBytes_;
  std::string& literals_;
  std::vector<Step>& steps_;
  bool clock12_ = false;
};

void Compiler::Run() {
  char previous = 0;
  size_t pos = 0;
  while (pos < p_.size()) {
    const char c = p_[pos];
    if (IsLeadByte(c)) {
      Literal(p_.substr(pos, 2));
      pos += 2;
      previous = 0;
      continue;
    }
    const char kind = AsciiUpper(c);
    switch (kind) {
      case 'Y': case 'M': case 'N': case 'D': case 'H':
      case 'S': case 'T': case 'C': case 'G': case 'E': {
        size_t end = pos + 1;
        while (end < p_.size() && p_[end] == c) ++end;
        Token(kind, static_cast<int>(end - pos), end, previous);
        previous = kind;
        pos = end;
        continue;
      }
      case 'A':
        pos += LetterA(pos);
        previous = 'A';
        continue;
      default:
        break;
    }
    ++pos;
    if (c == '\'' || c == '"') {
      const size_t close = p_.find(c, pos);
      const size_t end = close == std::string_view::npos ? p_.size() : close;
      Literal(p_.substr(pos, end - pos));
      pos = close == std::string_view::npos ? p_.size() : close + 1;
    } else if (c == '/') {
      Add(Op::DateMark);
    } else if (c == ':') {
      Add(Op::TimeMark);
    } else {
      Literal(p_.substr(pos - 1, 1));
      if (IsLetter(c)) previous = kind;
    }
  }
}

bool Compiler::MarkerFollows(size_t pos) const {
  bool quoted = false;
  while (pos < p_.size()) {
    const char c = p_[pos];
    if (IsLeadByte(c)) {
      pos += 2;
      continue;
    }
    if (c == '\'' || c == '"') {
      quoted = !quoted;
    } else if (c == 'h' || c == 'H') {
      return false;
    } else if (!quoted && (c == 'a' || c == 'A')) {
      return IsClockMarker(p_, pos);
    }
    ++pos;
  }
  return false;
}

void Compiler::Literal(std::string_view bytes) {
  if (bytes.empty()) return;
  if (!steps_.empty() && steps_.back().op == Op::Literal && steps_.back().a + steps_.back().b == literals_.size()) {
    steps_.back().b += static_cast<uint32_t>(bytes.size());
    literals_.append(bytes);
    return;
  }
  Add(Op::Literal, 0, Keep(bytes), static_cast<uint32_t>(bytes.size()));
}

size_t Compiler::LetterA(size_t pos) {
  if (StartsWith(p_, pos, "am/pm")) {
    const uint32_t am = Keep(p_.substr(pos, 2));
    Add(Op::AmPmChoice, 2, am, Keep(p_.substr(pos + 3, 2)));
    clock12_ = true;
    return 5;
  }
  if (StartsWith(p_, pos, "a/p")) {
    const uint32_t am = Keep(p_.substr(pos, 1));
    Add(Op::AmPmChoice, 1, am, Keep(p_.substr(pos + 2, 1)));
    clock12_ = true;
    return 3;
  }
  if (StartsWith(p_, pos, "ampm")) {
    Add(Op::AmPmText);
    clock12_ = true;
    return 4;
  }
  if (StartsWith(p_, pos, "aaaa")) {
    Add(Op::DayLong);
    return 4;
  }
  if (StartsWith(p_, pos, "aaa")) {
    Add(Op::DayShort);
    return 3;
  }
  Literal(p_.substr(pos, 1));
  return 1;
}

void Compiler::Token(char kind, int n, size_t end, char previous) {
  const int width = n < 2 ? n : 2;
  switch (kind) {
    case 'Y': Add(n <= 2 ? Op::Year2 : Op::Year4); break;
    case 'M':
      if (previous == 'H')
        Add(Op::Minute, width);
      else if (n <= 2)
        Add(Op::Month, n);
      else
        Add(n == 3 ? Op::MonthShort : Op::MonthLong);
      break;
    case 'N': Add(Op::Minute, width); break;
    case 'D':
      if (n <= 2)
        Add(Op::Day, n);
      else
        Add(n == 3 ? Op::DayShort : n == 4 ? Op::DayLong : n == 5 ? Op::ShortDate : Op::LongDate);
      break;
    case 'H':
      if (!clock12_) clock12_ = MarkerFollows(end);
      Add(Op::Hour, width, 0, clock12_ ? 1 : 0);
      break;
    case 'S': Add(Op::Second, width); break;
    case 'T': Add(n == 1 ? Op::ShortTime : Op::LongTime); break;
    case 'C': Add(Op::DateAndTime); break;
    case 'G': Add(Op::EraName, n < 3 ? n : 3); break;
    case 'E': Add(Op::EraYear, n < 3 ? n : 3); break;
  }
}

// The layout of the steps, with the settings' marks of the moment, when
// they are all numbers, marks and short literals after a number.
std::optional<format_detail::DateLayout> LayoutOf(const std::vector<Step>& steps, const std::string& literals) {
  using format_detail::DatePart;
  format_detail::DateLayout layout;
  for (const Step& step : steps) {
    bool taken = false;
    switch (step.op) {
      case Op::Literal: taken = layout.AddSeparator(std::string_view(literals).substr(step.a, step.b)); break;
      case Op::DateMark: taken = layout.AddDateMark(RegionalSettings.DateMark); break;
      case Op::TimeMark: taken = layout.AddTimeMark(RegionalSettings.TimeMark); break;
      case Op::Year2: taken = layout.AddNumber(DatePart::YearOfCentury, 2); break;
      case Op::Year4:
        taken = layout.AddNumber(DatePart::Century, 2) && layout.AddNumber(DatePart::YearOfCentury, 2);
        break;
      case Op::Month: taken = layout.AddNumber(DatePart::Month, step.width); break;
      case Op::Day: taken = layout.AddNumber(DatePart::Day, step.width); break;
      // The 12-hour clock comes with an AM/PM step, which no layout takes.
      case Op::Hour: taken = step.b == 0 && layout.AddNumber(DatePart::Hour, step.width); break;
      case Op::Minute: taken = layout.AddNumber(DatePart::Minute, step.width); break;
      case Op::Second: taken = layout.AddNumber(DatePart::Second, step.width); break;
      default: break;
    }
    if (!taken) return std::nullopt;
  }
  if (layout.Empty()) return std::nullopt;
  return layout;
}

}  // namespace

DatePattern::DatePattern(std::string_view text, const std::bitset<256>& leadBytes) : text_(text) {
  Compile(leadBytes);
}

DatePattern& DatePattern::operator=(std::string_view text) {
  text_.assign(text.data(), text.size());
  Compile(RegionalSettings.LeadBytes);
  return *this;
}

void DatePattern::Compile(const std::bitset<256>& leadBytes) {
  literals_.clear();
  steps_.clear();
  // The empty pattern means "c".
  Compiler(text_.empty() ? std::string_view("c") : std::string_view(text_), leadBytes, literals_, steps_).Run();
  layout_ = LayoutOf(steps_, literals_);
}

std::ostream& operator<<(std::ostream& out, const DatePattern& p) { return out << p.Text(); }

}  // namespace merivan
