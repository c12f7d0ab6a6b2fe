#pragma once
// Test helper: sets the locale variables for one test and puts them, and
// the thread locale, back as they were afterwards.
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "merivan/platform/locale/locale_info.h"

namespace merivan::testing_support {

class LocaleEnvironment {
 public:
  LocaleEnvironment() {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~LocaleEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
    platform::SetThreadLocale(platform::LOCALE_USER_DEFAULT);
  }
  LocaleEnvironment(const LocaleEnvironment&) = delete;
  LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

  // Exactly the given variables set, the others unset; the thread follows them.
  void Set(const std::vector<std::pair<const char*, const char*>>& vars) {
    for (const char* name : kVariables) unsetenv(name);
    for (const auto& [name, value] : vars) setenv(name, value, 1);
    platform::SetThreadLocale(platform::LOCALE_USER_DEFAULT);
  }

 private:
  static constexpr const char* kVariables[] = {"LC_ALL", "LC_CTYPE", "LC_TIME", "LC_NUMERIC",
                                               "LANG"};
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace merivan::testing_support
