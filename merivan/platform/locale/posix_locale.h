#pragma once
// Which locale the user chose, by the POSIX rules: LC_ALL, else the
// category's own variable, else LANG. Unset, "C" and "POSIX" mean none.
#include <optional>
#include <string>
#include <string_view>

namespace merivan::platform {

enum class LocaleCategory { Ctype, Numeric, Time };

struct PosixLocale {
  std::string base;      // language and territory: "cs_CZ" of "cs_CZ.UTF-8@euro"
  std::string language;  // "cs"
  std::string territory; // "CZ", or empty
  int calendarType = 1;  // 3, 4, 5 for "@calendar=japanese", "roc", "korean"
};

// nullopt for an empty name, "C", "POSIX" and their ".codeset" forms.
std::optional<PosixLocale> ParsePosixLocale(std::string_view name);

// The variable's value that decides the category, "" when none is set.
std::string LocaleVariable(LocaleCategory category);

std::optional<PosixLocale> UserLocale(LocaleCategory category);

}  // namespace merivan::platform
