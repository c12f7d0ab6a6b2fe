#pragma once
// Reads the items of one locale by the loader's rules: text items into a
// 256-byte buffer, character items into a 2-byte buffer, number items parsed
// as decimal integers, name items with an English fallback.
#include <string>
#include <string_view>

#include "merivan/platform/locale/locale_info.h"

namespace merivan::format_detail {

class LocaleReader {
 public:
  explicit LocaleReader(platform::LCID locale) : locale_(locale) {}

  // The locale's text, or `fallback` when the call fails.
  std::string Text(platform::LCTYPE item, std::string_view fallback) const;
  // The first byte of the item (NUL when it is empty), or `fallback` when the
  // call fails, which includes items longer than one byte.
  char Character(platform::LCTYPE item, char fallback) const;
  // The text item (default `fallback`) as a decimal integer; text that is
  // not one counts as `invalid`.
  int Number(platform::LCTYPE item, std::string_view fallback, int invalid) const;
  // The locale's name, or `english` when the item fails or is empty.
  std::string Name(platform::LCTYPE item, const char* english) const;

 private:
  platform::LCID locale_;
};

}  // namespace merivan::format_detail
