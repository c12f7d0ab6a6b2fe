#include "merivan/field_list.h"

#include <string_view>

#include "merivan/platform/locale/ascii_text.h"

namespace merivan {

std::vector<std::string> ParseFieldList(const std::string& list) {
  using platform::IsBlank;
  const std::string_view text(list.c_str());  // stops at the first NUL
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };
  std::vector<std::string> names;
  skipBlanks();
  while (i < text.size()) {
    std::string name;
    if (text[i] == '"') {
      ++i;
      while (i < text.size()) {
        if (text[i] == '"') {
          if (i + 1 == text.size() || text[i + 1] != '"') {
            ++i;
            break;
          }
          ++i;
        }
        name += text[i++];
      }
    } else {
      while (i < text.size() && !IsBlank(text[i]) && text[i] != ',') name += text[i++];
    }
    names.push_back(std::move(name));
    skipBlanks();
    if (i < text.size() && text[i] == ',') {
      ++i;
      skipBlanks();
    }
  }
  return names;
}

}  // namespace merivan
