#include "merivan/platform/locale/windows_locales.h"

#include "merivan/platform/locale/english_names.h"

namespace merivan::platform {

namespace {

const WindowsLocale kLocales[] = {
    {"cs_CZ", 0x0405, ",", ".", ":", "d.M.yyyy", "d. MMMM yyyy", "dop.", "odp.", 1, 0, 0, "n. l.",
     {"led", "úno", "bře", "dub", "kvě", "čvn", "čvc", "srp", "zář", "říj", "lis", "pro"},
     {"leden", "únor", "březen", "duben", "květen", "červen", "červenec", "srpen", "září",
      "říjen", "listopad", "prosinec"},
     {"ne", "po", "út", "st", "čt", "pá", "so"},
     {"neděle", "pondělí", "úterý", "středa", "čtvrtek", "pátek", "sobota"}},
    {"sk_SK", 0x041B, ",", ". ", ":", "d. M. yyyy", "d. MMMM yyyy", "", "", 1, 0, 0, "n. l.",
     {"jan", "feb", "mar", "apr", "máj", "jún", "júl", "aug", "sep", "okt", "nov", "dec"},
     {"január", "február", "marec", "apríl", "máj", "jún", "júl", "august", "september",
      "október", "november", "december"},
     {"ne", "po", "ut", "st", "št", "pi", "so"},
     {"nedeľa", "pondelok", "utorok", "streda", "štvrtok", "piatok", "sobota"}},
    {"pl_PL", 0x0415, ",", "-", ":", "yyyy-MM-dd", "d MMMM yyyy", "", "", 1, 1, 0, "n.e.",
     {"sty", "lut", "mar", "kwi", "maj", "cze", "lip", "sie", "wrz", "paź", "lis", "gru"},
     {"styczeń", "luty", "marzec", "kwiecień", "maj", "czerwiec", "lipiec", "sierpień",
      "wrzesień", "październik", "listopad", "grudzień"},
     {"N", "Pn", "Wt", "Śr", "Cz", "Pt", "So"},
     {"niedziela", "poniedziałek", "wtorek", "środa", "czwartek", "piątek", "sobota"}},
    {"hu_HU", 0x040E, ",", ".", ":", "yyyy.MM.dd.", "yyyy. MMMM d.", "de.", "du.", 1, 0, 0,
     "i. sz.",
     {"jan.", "febr.", "márc.", "ápr.", "máj.", "jún.", "júl.", "aug.", "szept.", "okt.", "nov.",
      "dec."},
     {"január", "február", "március", "április", "május", "június", "július", "augusztus",
      "szeptember", "október", "november", "december"},
     {"V", "H", "K", "Sze", "Cs", "P", "Szo"},
     {"vasárnap", "hétfő", "kedd", "szerda", "csütörtök", "péntek", "szombat"}},
    {"de_DE", 0x0407, ",", ".", ":", "dd.MM.yyyy", "dddd, d. MMMM yyyy", "", "", 1, 1, 0,
     "n. Chr.",
     {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
     {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September",
      "Oktober", "November", "Dezember"},
     {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
     {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"}},
    {"en_US", 0x0409, ".", "/", ":", "M/d/yyyy", "dddd, MMMM d, yyyy", "AM", "PM", 0, 0, 0,
     "A.D.", kEnglishMonthsShort,
     kEnglishMonthsLong, kEnglishDaysShort, kEnglishDaysLong},
    {"en_GB", 0x0809, ".", "/", ":", "dd/MM/yyyy", "dd MMMM yyyy", "AM", "PM", 1, 1, 0, "A.D.",
     kEnglishMonthsShort, kEnglishMonthsLong, kEnglishDaysShort, kEnglishDaysLong},
};

}  // namespace

const WindowsLocale* FindWindowsLocale(std::string_view base) {
  const bool bareLanguage = base.find('_') == std::string_view::npos;
  for (const auto& locale : kLocales) {
    const std::string_view name = locale.base;
    if (name == base) return &locale;
    if (bareLanguage && name.substr(0, name.find('_')) == base) return &locale;
  }
  return nullptr;
}

std::optional<std::string> WindowsLocaleItem(const WindowsLocale& locale, LCTYPE item,
                                             int calendarType) {
  switch (item) {
    case LOCALE_SDECIMAL: return locale.decimal;
    case LOCALE_SDATE: return locale.dateSeparator;
    case LOCALE_STIME: return locale.timeSeparator;
    case LOCALE_SSHORTDATE: return locale.shortDate;
    case LOCALE_SLONGDATE: return locale.longDate;
    case LOCALE_S1159: return locale.am;
    case LOCALE_S2359: return locale.pm;
    case LOCALE_ITIME: return std::to_string(locale.itime);
    case LOCALE_ITLZERO: return std::to_string(locale.itlzero);
    case LOCALE_ITIMEMARKPOSN: return std::to_string(locale.itimemarkposn);
    case LOCALE_ICALENDARTYPE: return std::to_string(calendarType);
    default: break;
  }
  if (item >= LOCALE_SDAYNAME1 && item <= LOCALE_SDAYNAME7)
    return locale.daysLong[(item - LOCALE_SDAYNAME1 + 1) % 7];
  if (item >= LOCALE_SABBREVDAYNAME1 && item <= LOCALE_SABBREVDAYNAME7)
    return locale.daysShort[(item - LOCALE_SABBREVDAYNAME1 + 1) % 7];
  if (item >= LOCALE_SMONTHNAME1 && item <= LOCALE_SMONTHNAME12)
    return locale.monthsLong[item - LOCALE_SMONTHNAME1];
  if (item >= LOCALE_SABBREVMONTHNAME1 && item <= LOCALE_SABBREVMONTHNAME12)
    return locale.monthsShort[item - LOCALE_SABBREVMONTHNAME1];
  return std::nullopt;
}

}  // namespace merivan::platform
