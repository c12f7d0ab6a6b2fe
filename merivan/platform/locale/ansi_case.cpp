#include "merivan/platform/locale/ansi_case.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <string>

namespace merivan::platform {

ByteMap LowerCaseMapOf(int codePage) {
  ByteMap map;
  for (int b = 0; b < 256; ++b) {
    map[b] = static_cast<uint8_t>(b < 'A' || b > 'Z' ? b : b - 'A' + 'a');
    if (b < 0x80) continue;
    const char byte = static_cast<char>(b);
    const std::string utf8 = CodePageToUtf8(std::string_view(&byte, 1), codePage);
    int32_t i = 0;
    UChar32 c;
    U8_NEXT(utf8.data(), i, static_cast<int32_t>(utf8.size()), c);
    if (c < 0 || i != static_cast<int32_t>(utf8.size())) continue;
    const UChar32 lower = u_tolower(c);
    if (lower == c) continue;
    char out[4];
    int32_t n = 0;
    UBool error = false;
    U8_APPEND(out, n, 4, lower, error);
    if (error) continue;
    const std::string back = Utf8ToCodePage(std::string_view(out, static_cast<size_t>(n)), codePage);
    if (back.size() == 1 && back[0] != '?') map[b] = static_cast<uint8_t>(back[0]);
  }
  return map;
}

const ByteMap& AnsiLowerCaseMap() {
  static const ByteMap map = LowerCaseMapOf(AnsiCodePage());
  return map;
}

}  // namespace merivan::platform
