#pragma once
// Locale items of the locales our own table lacks, derived from ICU's data.
// Texts are UTF-8.
#include <optional>
#include <string>

#include "merivan/platform/locale/locale_info.h"
#include "merivan/platform/locale/posix_locale.h"

namespace merivan::platform {

// The Windows language id ICU maps the locale to; 0 when it knows none.
LCID IcuLcidOf(const PosixLocale& locale);

// The ICU name of a Windows language id ("fr_FR" of 0x040C), or "".
std::string IcuLocaleNameOf(LCID lcid);

// nullopt when ICU has no data for the locale's language or the item is
// not one the regional settings read.
std::optional<std::string> IcuLocaleItem(const PosixLocale& locale, LCTYPE item);

}  // namespace merivan::platform
