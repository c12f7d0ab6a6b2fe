#include "merivan/store/unique_names.h"

#include <algorithm>
#include <unordered_set>

#include "merivan/platform/locale/ansi_case.h"

namespace merivan {

namespace {
char Lower(char c) { return static_cast<char>(platform::AnsiLowerCaseMap()[static_cast<unsigned char>(c)]); }

}  // namespace

std::string FieldNameKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = Lower(c);
  return key;
}

bool SameFieldName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

void MakeNamesUnique(std::vector<std::string>& names) {
  std::unordered_set<std::string> taken;
  for (std::string& name : names) {
    if (taken.insert(FieldNameKey(name)).second) continue;
    for (int n = 1;; ++n) {
      std::string candidate = name + "_" + std::to_string(n);
      if (taken.insert(FieldNameKey(candidate)).second) {
        name = std::move(candidate);
        break;
      }
    }
  }
}

}  // namespace merivan
