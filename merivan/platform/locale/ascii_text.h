#pragma once
// ASCII rules for the words of formats and commands (schema keys, type
// names, "true", ".DBF", "am/pm"), the same under every locale and code page.
// Names and values of the table use the ANSI code page's case instead
// (ansi_case.h).
#include <cstddef>
#include <string>
#include <string_view>

namespace merivan::platform {

// A blank: the space or an ASCII control character (NUL, tab, CR, ...).
constexpr bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// `s` without the blanks at either end.
constexpr std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string AsciiUpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

}  // namespace merivan::platform
