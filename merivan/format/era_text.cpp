#include "merivan/format/era_text.h"

#include <optional>
#include <string>
#include <string_view>

#include "merivan/format/regional_settings.h"
#include "merivan/platform/locale/locale_info.h"

namespace merivan::format_detail {

namespace {

constexpr int kLangChinese = 0x04;
constexpr int kLangJapanese = 0x11;
constexpr int kSubLangTaiwan = 1;

// The platform's text of `date` by `picture`; nullopt on failure.
std::optional<std::string> AltCalendarText(const platform::SystemDate& date, const char* picture) {
  char buffer[256];
  const int written = platform::GetDateFormatA(platform::GetThreadLocale(), platform::DATE_USE_ALT_CALENDAR, date,
                                               picture, buffer, sizeof buffer);
  if (written <= 0) return std::nullopt;
  return std::string(buffer, static_cast<size_t>(written - 1));
}

bool Before(const CivilDate& d, const TEraSpan& era) {
  if (d.year != era.firstYear) return d.year < era.firstYear;
  if (d.month != era.firstMonth) return d.month < era.firstMonth;
  return d.day < era.firstDay;
}

// The era of a date of years 1 to 9999 (the platform's range); none before
// the first era or where the platform has no text.
const TEraSpan* EraOf(const CivilDate& date) {
  if (date.year < 1 || date.year > 9999) return nullptr;
  const std::vector<TEraSpan>& eras = RegionalSettings.Eras;
  for (auto era = eras.rbegin(); era != eras.rend(); ++era)
    if (!Before(date, *era)) return era->shown ? &*era : nullptr;
  return nullptr;
}

// Byte length of the character that starts at `pos` (a lead byte takes its
// trail byte with it).
size_t CharLength(std::string_view text, size_t pos) {
  const auto byte = static_cast<unsigned char>(text[pos]);
  return RegionalSettings.LeadBytes[byte] && pos + 1 < text.size() ? 2 : 1;
}

size_t CharCount(std::string_view text) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) ++count;
  return count;
}

}  // namespace

std::vector<TEraSpan> LoadEraTable() {
  std::vector<TEraSpan> eras;
  for (const platform::SystemDate& first : platform::EraStartDates(platform::GetThreadLocale())) {
    TEraSpan era{first.year, first.month, first.day, false, "", 0, 1};
    const std::optional<std::string> name = AltCalendarText(first, "gg");
    const std::optional<std::string> year = AltCalendarText(first, "yyyy");
    int64_t value = 0;
    bool digits = year && !year->empty();
    for (const char c : year.value_or("")) {
      if (c < '0' || c > '9') digits = false;
      value = value * 10 + (c - '0');
    }
    if (name && digits) {
      era.shown = true;
      era.name = *name;
      era.yearOffset = first.year - value;
      // A zero in front of the first year tells a zero-filled year.
      if ((*year)[0] == '0' && year->size() > 1) era.yearDigits = static_cast<int>(year->size());
    }
    eras.push_back(std::move(era));
  }
  return eras;
}

void PutEraName(const CivilDate& date, int runLength, BoundedText& out) {
  const TEraSpan* era = EraOf(date);
  if (!era || era->name.empty()) return;
  std::string_view name = era->name;
  if (runLength == 1) {
    if (RegionalSettings.PrimaryLanguage == kLangJapanese) {
      name = name.substr(0, CharLength(name, 0));
    } else if (RegionalSettings.PrimaryLanguage == kLangChinese &&
               RegionalSettings.SubLanguage == kSubLangTaiwan && CharCount(name) == 4) {
      size_t pos = CharLength(name, 0);
      pos += CharLength(name, pos);
      name = name.substr(pos);
    }
  }
  out.Put(name);
}

void PutEraYear(const CivilDate& date, int runLength, BoundedText& out) {
  const TEraSpan* era = EraOf(date);
  if (!era) return;
  const int64_t year = date.year - era->yearOffset;
  // "yyyy" for runs of three and more, else "yy"; a single letter drops a
  // leading zero of the "yy" text.
  if (runLength > 2) {
    out.PutNumber(year, era->yearDigits);
  } else if (runLength == 2 || year % 100 >= 10) {
    out.PutNumber(year % 100, 2);
  } else {
    out.PutNumber(year % 100, 1);
  }
}

}  // namespace merivan::format_detail
