// TEMPORARY: answers no item until the locale tables land.
#include "merivan/platform/locale/locale_info.h"

namespace merivan::platform {
LCID GetThreadLocale() { return 0; }
bool SetThreadLocale(LCID) { return true; }
int GetLocaleInfoA(LCID, LCTYPE, char*, int) { return 0; }
int GetDateFormatA(LCID, uint32_t, const SystemDate&, const char*, char*, int) { return 0; }
bool DbcsEnabled() { return false; }
}  // namespace merivan::platform
