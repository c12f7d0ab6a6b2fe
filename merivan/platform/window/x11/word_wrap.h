#pragma once
// Breaking a message into lines no wider than a limit, at blanks where it
// can, inside a word only when the word alone is too wide.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace merivan::platform::x11 {

// Width in pixels of a piece of UTF-8 text.
using TextMeasure = std::function<int(std::string_view)>;

// Lines of `utf8` (line breaks in it are kept, "\r\n" and "\n"); each line
// measures at most `maxWidth` unless a single character is wider.
std::vector<std::string> WrapText(std::string_view utf8, int maxWidth, const TextMeasure& measure);

// At most `maxLines` lines (at least one); when some are dropped the last
// line kept ends in "\u2026".
std::vector<std::string> KeepLines(std::vector<std::string> lines, size_t maxLines);

}  // namespace merivan::platform::x11
