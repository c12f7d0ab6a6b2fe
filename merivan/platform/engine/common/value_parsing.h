#pragma once
// Values stored as text (dBASE numbers and dates, text-table fields) read
// into the forms of the field data areas.
#include <cstdint>
#include <optional>
#include <string_view>

#include "merivan/store/field_type.h"

namespace merivan::engine {

// Blanks around the text are ignored; nullopt for an empty text or one that
// is not a plain decimal number ("-12", "+3.5", ".5", "1e3"; '.' is the mark).
std::optional<double> ParseDecimalText(std::string_view text);

// Stores a decimal text (as ParseDecimalText reads it) into the data area
// of a number field: ftFloat and ftCurrency as doubles, ftSmallint and
// ftInteger when the value is whole and in their range. False otherwise.
bool StoreNumberText(TFieldType type, std::string_view text, uint8_t* area);

// The day number of a date (day 1 = 1 January of year 1, proleptic
// Gregorian); nullopt when the date does not exist or lies before year 1.
std::optional<int32_t> DayNumberOf(int year, int month, int day);

// Day number of the Julian day number `jdn` (Visual FoxPro dates).
constexpr int64_t kJulianDayOfDayZero = 1721425;

// Little-endian stores into a data area.
void StoreInt16(int16_t v, uint8_t* area);
void StoreInt32(int32_t v, uint8_t* area);
void StoreDouble(double v, uint8_t* area);

}  // namespace merivan::engine
