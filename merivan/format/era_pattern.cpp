#include "merivan/format/era_pattern.h"

namespace merivan::format_detail {

namespace {

bool IsY(char c) { return c == 'y' || c == 'Y'; }
bool IsG(char c) { return c == 'g' || c == 'G'; }

std::string RewriteYears(const std::string& p, const std::bitset<256>& leadBytes) {
  std::string out;
  out.reserve(p.size() + 8);
  size_t i = 0;
  while (i < p.size()) {
    const char c = p[i];
    if (leadBytes[static_cast<unsigned char>(c)]) {
      out += p.substr(i, 2);
      i += 2;
    } else if (IsG(c) && i + 1 < p.size() && IsG(p[i + 1])) {
      out += "ggg";
      i += 2;
    } else if (IsY(c)) {
      size_t n = 1;
      while (n < 4 && i + n < p.size() && IsY(p[i + n])) ++n;
      // Runs are taken four, then two, then one at a time.
      const size_t take = n == 4 ? 4 : n >= 2 ? 2 : 1;
      out.append(take, 'e');
      i += take;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

}  // namespace

std::string EraRewrite(const std::string& pattern, int calendarType, int primaryLanguage,
                       const std::bitset<256>& leadBytes) {
  if (calendarType == 3 || calendarType == 4 || calendarType == 5)
    return RewriteYears(pattern, leadBytes);
  if (primaryLanguage == 0x04 || primaryLanguage == 0x11 || primaryLanguage == 0x12) {
    std::string out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
      const char c = pattern[i];
      // A trail byte may look like "g"; it stays with its lead byte.
      if (leadBytes[static_cast<unsigned char>(c)] && i + 1 < pattern.size()) {
        out += c;
        out += pattern[++i];
      } else if (!IsG(c)) {
        out += c;
      }
    }
    return out;
  }
  return pattern;
}

}  // namespace merivan::format_detail
