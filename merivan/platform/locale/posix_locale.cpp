#include "merivan/platform/locale/posix_locale.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace merivan::platform {

namespace {

int CalendarTypeOf(std::string_view modifier) {
  const size_t key = modifier.find("calendar=");
  if (key == std::string_view::npos) return 1;
  std::string_view value = modifier.substr(key + 9);
  value = value.substr(0, value.find_first_of(";@,"));
  if (value == "japanese") return 3;
  if (value == "roc") return 4;
  if (value == "korean") return 5;
  return 1;
}

}  // namespace

std::optional<PosixLocale> ParsePosixLocale(std::string_view name) {
  const size_t at = name.find('@');
  const std::string_view modifier = at == std::string_view::npos ? "" : name.substr(at + 1);
  std::string_view base = name.substr(0, std::min(name.find('.'), at));
  if (base.empty() || base == "C" || base == "POSIX") return std::nullopt;
  PosixLocale locale;
  locale.base = std::string(base);
  const size_t underscore = base.find('_');
  locale.language = std::string(base.substr(0, underscore));
  if (underscore != std::string_view::npos) locale.territory = std::string(base.substr(underscore + 1));
  locale.calendarType = CalendarTypeOf(modifier);
  if (locale.language.empty()) return std::nullopt;
  return locale;
}

std::string LocaleVariable(LocaleCategory category) {
  const char* own = category == LocaleCategory::Ctype     ? "LC_CTYPE"
                    : category == LocaleCategory::Numeric ? "LC_NUMERIC"
                                                          : "LC_TIME";
  for (const char* variable : {"LC_ALL", own, "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return "";
}

std::optional<PosixLocale> UserLocale(LocaleCategory category) {
  return ParsePosixLocale(LocaleVariable(category));
}

}  // namespace merivan::platform
