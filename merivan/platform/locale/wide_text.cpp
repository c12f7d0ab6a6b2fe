#include "merivan/platform/locale/wide_text.h"

#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/locale/dbcs.h"

namespace merivan::platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The character at text[i] and how many units it takes.
char32_t CharAt(std::u16string_view text, size_t i, size_t& units) {
  const char16_t u = text[i];
  units = 1;
  if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
    units = 2;
    return 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  return IsHighSurrogate(u) || IsLowSurrogate(u) ? kReplacement : u;
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t units = 1;
  for (size_t i = 0; i < text.size(); i += units) AppendUtf8(CharAt(text, i, units), out);
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t code = extra == 0 ? c : c & (0x3F >> extra);
    bool bad = (c >= 0x80 && c < 0xC0) || c > 0xF4 || i + extra >= utf8.size() + (extra == 0 ? 1 : 0);
    for (size_t k = 1; !bad && k <= extra; ++k) {
      const auto t = static_cast<unsigned char>(utf8[i + k]);
      if ((t & 0xC0) != 0x80) bad = true;
      code = (code << 6) | (t & 0x3F);
    }
    if (bad) {
      out.push_back(static_cast<char16_t>(kReplacement));
      ++i;
      continue;
    }
    i += extra + 1;
    if (code >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
  }
  return out;
}

Utf16Encoder::Utf16Encoder(int codePage) : codePage_(codePage) {
  if (IsDoubleByteCodePage(codePage)) return;
  table_ = std::make_unique<std::array<uint8_t, 65536>>();
  table_->fill(0);
  for (int b = 1; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    const std::string utf8 = CodePageToUtf8(std::string_view(&byte, 1), codePage);
    if (utf8 == "?" && b != '?') continue;  // unassigned in the code page
    const std::u16string wide = Utf8ToUtf16(utf8);
    // The first byte that shows a character wins (code pages map a few twice).
    if (wide.size() == 1 && (*table_)[wide[0]] == 0) (*table_)[wide[0]] = static_cast<uint8_t>(b);
  }
}

Utf16Encoder::~Utf16Encoder() = default;

size_t Utf16Encoder::Encode(std::u16string_view text, uint8_t* out, size_t room) const {
  if (!table_) {
    const std::string bytes = Utf8ToCodePage(Utf16ToUtf8(text), codePage_);
    // Whole characters only: a lead byte without its trail byte is dropped.
    size_t n = 0;
    const std::bitset<256> lead = LeadBytesOf(codePage_);
    while (n < bytes.size()) {
      const size_t width = lead[static_cast<uint8_t>(bytes[n])] && n + 1 < bytes.size() ? 2 : 1;
      if (n + width > room) break;
      n += width;
    }
    bytes.copy(reinterpret_cast<char*>(out), n);
    return n;
  }
  const auto& table = *table_;
  size_t written = 0;
  for (size_t i = 0; i < text.size() && written < room; ++i) {
    const char16_t u = text[i];
    if (u < 0x80) {
      out[written++] = static_cast<uint8_t>(u);
      continue;
    }
    const uint8_t b = table[u];
    if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;  // one '?' for the pair
    out[written++] = b != 0 ? b : '?';
  }
  return written;
}

void Utf16Encoder::Append(std::u16string_view text, std::string& out) const {
  const size_t at = out.size();
  out.resize(at + text.size() * static_cast<size_t>(MaxBytesPerChar()));
  out.resize(at + Encode(text, reinterpret_cast<uint8_t*>(&out[at]), out.size() - at));
}

}  // namespace merivan::platform
