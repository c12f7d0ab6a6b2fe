#pragma once
// Test helper: keeps RegionalSettings and the locale variables as they were
// and puts them back when the test ends.
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "merivan/format/regional_settings.h"
#include "merivan/platform/locale/locale_info.h"

namespace merivan::testing_support {

class SettingsScope {
 public:
  SettingsScope() : saved_(RegionalSettings) {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      env_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~SettingsScope() {
    for (const auto& [name, value] : env_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
    platform::SetThreadLocale(platform::LOCALE_USER_DEFAULT);
    RegionalSettings = saved_;
  }
  SettingsScope(const SettingsScope&) = delete;
  SettingsScope& operator=(const SettingsScope&) = delete;

  // Sets exactly the given variables (the others unset) and loads the settings.
  void Load(std::vector<std::pair<const char*, const char*>> vars) {
    for (const char* name : kVariables) unsetenv(name);
    for (const auto& [name, value] : vars) setenv(name, value, 1);
    platform::SetThreadLocale(platform::LOCALE_USER_DEFAULT);
    LoadRegionalSettings();
  }

 private:
  static constexpr const char* kVariables[] = {"LC_ALL", "LC_CTYPE", "LC_TIME", "LC_NUMERIC",
                                               "LANG"};
  TRegionalSettings saved_;
  std::vector<std::pair<std::string, std::optional<std::string>>> env_;
};

}  // namespace merivan::testing_support
