#pragma once
// Test helper: keeps RegionalSettings and the locale environment as they
// were and puts them back when the test ends.
#include <utility>
#include <vector>

#include "merivan/format/regional_settings.h"
#include "merivan/platform/locale/test_locale_environment.h"

namespace merivan::testing_support {

class SettingsScope {
 public:
  SettingsScope() : saved_(RegionalSettings) {}
  ~SettingsScope() { RegionalSettings = saved_; }
  SettingsScope(const SettingsScope&) = delete;
  SettingsScope& operator=(const SettingsScope&) = delete;

  // Sets exactly the given locale variables and loads the settings.
  void Load(const std::vector<std::pair<const char*, const char*>>& vars) {
    environment_.Set(vars);
    LoadRegionalSettings();
  }
  LocaleEnvironment& Environment() { return environment_; }

 private:
  TRegionalSettings saved_;
  LocaleEnvironment environment_;
};

}  // namespace merivan::testing_support
