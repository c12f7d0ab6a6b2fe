#include "merivan/field_list.h"

namespace merivan {

namespace {

bool IsBlank(char c) { return c >= 1 && c <= ' '; }

}  // namespace

std::vector<std::string> ParseFieldList(const std::string& list) {
  std::vector<std::string> names;
  const char* p = list.c_str();  // stops at the first NUL
  while (IsBlank(*p)) ++p;
  while (*p != '\0') {
    std::string name;
    if (*p == '"') {
      ++p;
      while (*p != '\0') {
        if (*p == '"') {
          if (p[1] != '"') {
            ++p;
            break;
          }
          ++p;
        }
        name += *p++;
      }
    } else {
      while (*p != '\0' && !IsBlank(*p) && *p != ',') name += *p++;
    }
    names.push_back(std::move(name));
    while (IsBlank(*p)) ++p;
    if (*p == ',') {
      do {
        ++p;
      } while (IsBlank(*p));
    }
  }
  return names;
}

}  // namespace merivan
