#include "merivan/format/era_text.h"

#include <string_view>

#include "merivan/format/regional_settings.h"
#include "merivan/platform/locale/locale_info.h"

namespace merivan::format_detail {

namespace {

constexpr int kLangChinese = 0x04;
constexpr int kLangJapanese = 0x11;
constexpr int kSubLangTaiwan = 1;

// The platform's date text by `picture` into `buffer`; empty on failure.
std::string_view AltCalendarText(const CivilDate& date, const char* picture, char (&buffer)[256]) {
  if (date.year < 1 || date.year > 9999) return {};
  const platform::SystemDate when{static_cast<int>(date.year), date.month, date.day};
  const int written = platform::GetDateFormatA(platform::GetThreadLocale(),
                                               platform::DATE_USE_ALT_CALENDAR, when, picture,
                                               buffer, sizeof buffer);
  if (written <= 0) return {};
  return std::string_view(buffer, static_cast<size_t>(written - 1));
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

void PutEraName(const CivilDate& date, int runLength, BoundedText& out) {
  char buffer[256];
  std::string_view name = AltCalendarText(date, "gg", buffer);
  if (name.empty()) return;
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
  char buffer[256];
  std::string_view year = AltCalendarText(date, runLength > 2 ? "yyyy" : "yy", buffer);
  if (runLength == 1 && !year.empty() && year[0] == '0') year.remove_prefix(1);
  out.Put(year);
}

}  // namespace merivan::format_detail
