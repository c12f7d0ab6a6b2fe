#pragma once
// English month and day names: the names of the English locales and the
// fallback of every name the locale does not give.
#include <array>

namespace merivan::platform {

inline constexpr std::array<const char*, 12> kEnglishMonthsShort = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
inline constexpr std::array<const char*, 12> kEnglishMonthsLong = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
// Sunday first.
inline constexpr std::array<const char*, 7> kEnglishDaysShort = {"Sun", "Mon", "Tue", "Wed",
                                                                 "Thu", "Fri", "Sat"};
inline constexpr std::array<const char*, 7> kEnglishDaysLong = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

}  // namespace merivan::platform
