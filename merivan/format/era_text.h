#pragma once
// The era tokens "g" and "e" of date patterns: the texts of the platform's
// alternative-calendar date format for the thread locale, read once per era
// into RegionalSettings.Eras.
#include <vector>

#include "merivan/format/bounded_text.h"
#include "merivan/format/civil_date.h"
#include "merivan/format/regional_settings.h"

namespace merivan::format_detail {

// The eras of the thread locale's alternative calendar.
std::vector<TEraSpan> LoadEraTable();

// Era name; runLength 1 gives the short form of Japanese and Taiwanese eras.
void PutEraName(const CivilDate& date, int runLength, BoundedText& out);
// Year within the era; runLength 1 drops a leading zero.
void PutEraYear(const CivilDate& date, int runLength, BoundedText& out);

}  // namespace merivan::format_detail
