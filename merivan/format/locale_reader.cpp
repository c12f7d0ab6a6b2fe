#include "merivan/format/locale_reader.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace merivan::format_detail {

namespace {
constexpr int kTextBuffer = 256;
constexpr int kCharBuffer = 2;
}  // namespace

std::string LocaleReader::Text(platform::LCTYPE item, std::string_view fallback) const {
  char buffer[kTextBuffer];
  const int written = platform::GetLocaleInfoA(locale_, item, buffer, kTextBuffer);
  if (written <= 0) return std::string(fallback);
  return std::string(buffer, static_cast<size_t>(written - 1));
}

char LocaleReader::Character(platform::LCTYPE item, char fallback) const {
  char buffer[kCharBuffer];
  const int written = platform::GetLocaleInfoA(locale_, item, buffer, kCharBuffer);
  return written <= 0 ? fallback : buffer[0];
}

int LocaleReader::Number(platform::LCTYPE item, std::string_view fallback, int invalid) const {
  const std::string text = Text(item, fallback);
  const char* begin = text.c_str();
  const bool startsWell = (*begin >= '0' && *begin <= '9') || (*begin == '-' && begin[1] >= '0' && begin[1] <= '9');
  if (!startsWell) return invalid;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(begin, &end, 10);
  if (*end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX) return invalid;
  return static_cast<int>(value);
}

std::string LocaleReader::Name(platform::LCTYPE item, const char* english) const {
  std::string text = Text(item, "");
  return text.empty() ? std::string(english) : text;
}

}  // namespace merivan::format_detail
