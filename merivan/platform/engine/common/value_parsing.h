#pragma once
// Values stored as text (dBASE numbers and dates, text-table fields) read
// into the forms of the field data areas.
#include <cstdint>
#include <optional>
#include <string_view>

#include "merivan/platform/engine/data_area.h"

namespace merivan::engine {

// Blanks around the text are ignored; nullopt for an empty text or one that
// is not a plain decimal number ("-12", "+3.5", ".5", "1e3"; '.' is the mark).
std::optional<double> ParseDecimalText(std::string_view text);

// Stores a decimal text (as ParseDecimalText reads it) into the data area
// of a number column: kFloat and kCurrency as doubles, kSmallint and
// kInteger when the value is whole and in their range. False otherwise.
bool StoreNumberText(ColumnKind type, std::string_view text, uint8_t* area);

// The day number of a date (day 1 = 1 January of year 1, proleptic
// Gregorian); nullopt when the date does not exist or lies before year 1.
std::optional<int32_t> DayNumberOf(int year, int month, int day);

// The day number of the eight bytes at `text` as a dBASE date "YYYYMMDD";
// nullopt for a byte that is no digit or a date that does not exist.
std::optional<int32_t> DayNumberOfDateText(const uint8_t* text);

// The Julian day number of day 0: a Visual FoxPro date, stored as a Julian
// day number, less this is its day number.
constexpr int64_t kJulianDayOfDayZero = 1721425;

}  // namespace merivan::engine
