#include "merivan/platform/locale/codepage.h"

#include "merivan/platform/locale/posix_locale.h"

#include <iconv.h>
#include <langinfo.h>
#include <string.h>  // explicit_bzero

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>

namespace merivan::platform {

namespace {

struct Iconv {
  iconv_t cd;
  Iconv(const std::string& to, const std::string& from) : cd(iconv_open(to.c_str(), from.c_str())) {}
  ~Iconv() {
    if (ok()) iconv_close(cd);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
};

std::string IconvName(int codePage) { return "CP" + std::to_string(codePage); }

std::string LanguageOf(std::string_view locale) {
  const size_t end = locale.find_first_of("_.@");
  return std::string(locale.substr(0, end));
}

std::string CtypeLocale() {
  const std::string name = LocaleVariable(LocaleCategory::Ctype);
  return name.empty() ? "C" : name;
}

// Chinese splits by script: traditional for Taiwan, Hong Kong and Macao.
bool TraditionalChinese(std::string_view locale) {
  for (const char* mark : {"_TW", "_HK", "_MO", "Hant"})
    if (locale.find(mark) != std::string_view::npos) return true;
  return false;
}

// The East Asian and Thai code pages serve as both ANSI and OEM code page.
int AsianCodePageOf(std::string_view locale) {
  const std::string lang = LanguageOf(locale);
  if (lang == "ja") return 932;
  if (lang == "ko") return 949;
  if (lang == "zh") return TraditionalChinese(locale) ? 950 : 936;
  if (lang == "th") return 874;
  return 0;
}

// Converts `in` with `cd`, replacing each unconvertible input character by
// one '?'. `inputIsUtf8` tells how to skip a bad character of the input.
std::string Convert(iconv_t cd, std::string_view in, bool inputIsUtf8) {
  std::string out;
  out.reserve(in.size() * (inputIsUtf8 ? 1 : 3) + 4);
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  char buf[1024];
  while (left > 0) {
    char* dst = buf;
    size_t room = sizeof buf;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf, dst - buf);
    if (r != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: skip one character of the input.
    size_t skip = 1;
    if (inputIsUtf8) {
      const unsigned char c = static_cast<unsigned char>(*src);
      skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      if (skip > left) skip = left;
    }
    src += skip;
    left -= skip;
    out.push_back('?');
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  // Stateful converters (Windows-1255 and 1258 hold back a letter that a
  // combining mark may follow; shift encodings owe a return to ASCII) give
  // their last output only when flushed.
  char* dst = buf;
  size_t room = sizeof buf;
  iconv(cd, nullptr, nullptr, &dst, &room);
  out.append(buf, dst - buf);
  // The text may be a password: no copy of it stays behind on the stack.
  explicit_bzero(buf, sizeof buf);
  return out;
}

// The single-byte ANSI and OEM code pages of a language; languages not
// listed take 1252 and 850 (en keeps 437 outside the British Isles).
struct LanguageCodePages {
  const char* lang;
  int ansi;
  int oem;
};

constexpr LanguageCodePages kLanguageCodePages[] = {
    {"cs", 1250, 852}, {"sk", 1250, 852}, {"pl", 1250, 852}, {"hu", 1250, 852},
    {"sl", 1250, 852}, {"hr", 1250, 852}, {"ro", 1250, 852}, {"sq", 1250, 852},
    {"bs", 1250, 852}, {"sr", 1250, 852}, {"ru", 1251, 866}, {"bg", 1251, 866},
    {"uk", 1251, 866}, {"be", 1251, 866}, {"mk", 1251, 866}, {"el", 1253, 737},
    {"tr", 1254, 857}, {"az", 1254, 857}, {"he", 1255, 862}, {"ar", 1256, 720},
    {"fa", 1256, 720}, {"ur", 1256, 850}, {"lt", 1257, 775}, {"lv", 1257, 775},
    {"et", 1257, 775}, {"vi", 1258, 1258},
};

const LanguageCodePages* CodePagesOfLanguage(std::string_view lang) {
  for (const auto& e : kLanguageCodePages)
    if (lang == e.lang) return &e;
  return nullptr;
}

}  // namespace

int AnsiCodePageOf(std::string_view locale) {
  if (const int asian = AsianCodePageOf(locale)) return asian;
  const LanguageCodePages* pages = CodePagesOfLanguage(LanguageOf(locale));
  return pages ? pages->ansi : 1252;
}

int OemCodePageOf(std::string_view locale) {
  if (const int asian = AsianCodePageOf(locale)) return asian;
  const std::string lang = LanguageOf(locale);
  if (const LanguageCodePages* pages = CodePagesOfLanguage(lang)) return pages->oem;
  // English outside the United Kingdom and its neighbours keeps the US code page.
  if (lang == "en") {
    const bool western = locale.find("_GB") != std::string_view::npos ||
                         locale.find("_IE") != std::string_view::npos;
    return western ? 850 : 437;
  }
  if (lang.empty() || lang == "C" || lang == "POSIX") return 437;
  return 850;
}

int AnsiCodePage() { return AnsiCodePageOf(CtypeLocale()); }
int OemCodePage() { return OemCodePageOf(CtypeLocale()); }

std::optional<ByteMap> CodePageTable(int from, int to) {
  Iconv toUtf8("UTF-8", IconvName(from));
  Iconv fromUtf8(IconvName(to), "UTF-8");
  if (!toUtf8.ok() || !fromUtf8.ok()) return std::nullopt;
  ByteMap map;
  for (int b = 0; b < 256; ++b) {
    const char in = static_cast<char>(b);
    iconv(toUtf8.cd, nullptr, nullptr, nullptr, nullptr);
    const std::string utf8 = Convert(toUtf8.cd, std::string_view(&in, 1), false);
    if (utf8 == "?" && b != '?') {
      map[b] = '?';
      continue;
    }
    iconv(fromUtf8.cd, nullptr, nullptr, nullptr, nullptr);
    const std::string out = Convert(fromUtf8.cd, utf8, true);
    map[b] = out.size() == 1 ? static_cast<uint8_t>(out[0]) : '?';
  }
  return map;
}

const ByteMap& OemToAnsiMap() {
  static const ByteMap map = [] {
    if (auto m = CodePageTable(OemCodePage(), AnsiCodePage())) return *m;
    ByteMap identity;
    for (int b = 0; b < 256; ++b) identity[b] = static_cast<uint8_t>(b);
    return identity;
  }();
  return map;
}

std::string Utf8ToCodePage(std::string_view utf8, int codePage) {
  Iconv cd(IconvName(codePage), "UTF-8");
  if (!cd.ok()) return std::string(utf8);
  return Convert(cd.cd, utf8, true);
}

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
  Iconv cd("UTF-8", IconvName(codePage));
  if (!cd.ok()) return std::string(bytes);
  return Convert(cd.cd, bytes, false);
}

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    size_t extra;
    unsigned lowest;
    if (c < 0x80) { ++i; continue; }
    if (c >= 0xC2 && c <= 0xDF) { extra = 1; lowest = 0x80; }
    else if (c >= 0xE0 && c <= 0xEF) { extra = 2; lowest = 0x800; }
    else if (c >= 0xF0 && c <= 0xF4) { extra = 3; lowest = 0x10000; }
    else return false;
    if (i + extra >= bytes.size()) return false;
    unsigned code = c & (0x3F >> extra);
    for (size_t k = 1; k <= extra; ++k) {
      const unsigned char t = static_cast<unsigned char>(bytes[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      code = (code << 6) | (t & 0x3F);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

std::string TextToUtf8(std::string_view bytes, int codePage) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return CodePageToUtf8(bytes, codePage);
}

std::string Utf8ToTerminal(std::string_view utf8) {
  const char* codeset = nl_langinfo(CODESET);
  if (!codeset || std::strcmp(codeset, "UTF-8") == 0) return std::string(utf8);
  Iconv cd(std::string(codeset) + "//TRANSLIT", "UTF-8");
  if (!cd.ok()) return std::string(utf8);
  return Convert(cd.cd, utf8, true);
}

}  // namespace merivan::platform
