#pragma once
// The Win32 locale calls the regional settings are read with, answered from
// the POSIX locale environment: LC_ALL, else LC_TIME or LC_NUMERIC for their
// items, else LANG. "C", "POSIX" or nothing set: every item fails.
#include <cstdint>

namespace merivan::platform {

using LCID = uint32_t;
using LCTYPE = uint32_t;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

constexpr LCTYPE LOCALE_SDECIMAL = 0x0E;
constexpr LCTYPE LOCALE_SDATE = 0x1D;
constexpr LCTYPE LOCALE_STIME = 0x1E;
constexpr LCTYPE LOCALE_SSHORTDATE = 0x1F;
constexpr LCTYPE LOCALE_SLONGDATE = 0x20;
constexpr LCTYPE LOCALE_ITIME = 0x23;
constexpr LCTYPE LOCALE_ITLZERO = 0x25;
constexpr LCTYPE LOCALE_S1159 = 0x28;
constexpr LCTYPE LOCALE_S2359 = 0x29;
constexpr LCTYPE LOCALE_SDAYNAME1 = 0x2A;  // Monday; SDAYNAME7 = 0x30 is Sunday
constexpr LCTYPE LOCALE_SDAYNAME7 = 0x30;
constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x31;
constexpr LCTYPE LOCALE_SABBREVDAYNAME7 = 0x37;
constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x38;
constexpr LCTYPE LOCALE_SMONTHNAME12 = 0x43;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x44;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME12 = 0x4F;
constexpr LCTYPE LOCALE_ITIMEMARKPOSN = 0x1005;
constexpr LCTYPE LOCALE_ICALENDARTYPE = 0x1009;

constexpr uint32_t DATE_USE_ALT_CALENDAR = 0x04;

// Calendar types of LOCALE_ICALENDARTYPE.
constexpr int CAL_GREGORIAN = 1;
constexpr int CAL_JAPAN = 3;
constexpr int CAL_TAIWAN = 4;
constexpr int CAL_KOREA = 5;

// The calling thread's locale: the user default (the language id of the
// LC_TIME locale, else of the LC_NUMERIC one) until SetThreadLocale chose
// another. 0 when no locale is set.
LCID GetThreadLocale();
// LOCALE_USER_DEFAULT returns the thread to following the environment.
bool SetThreadLocale(LCID locale);

// Writes the item's text and a NUL into `buffer`; returns the count written
// including the NUL, 0 when the item is unknown or the buffer too small.
// With size 0 it returns the size needed and writes nothing. Texts are bytes
// of the ANSI code page (AnsiCodePage()).
int GetLocaleInfoA(LCID locale, LCTYPE item, char* buffer, int size);

struct SystemDate {
  int year;
  int month;
  int day;
};

// The date by `picture` (g/gg era, y/yy/yyyy year, M.. month, d.. day,
// quoted text, other bytes as written) in the locale's calendar; with
// DATE_USE_ALT_CALENDAR the alternative calendar of LOCALE_ICALENDARTYPE.
// Returns as GetLocaleInfoA; 0 for a date the calendar cannot show.
int GetDateFormatA(LCID locale, uint32_t flags, const SystemDate& date, const char* picture,
                   char* buffer, int size);

// GetSystemMetrics(SM_DBCSENABLED): whether the ANSI code page is double-byte.
bool DbcsEnabled();

}  // namespace merivan::platform
