#include "merivan/platform/locale/message_text.h"

#include <bitset>
#include <cstdio>

#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/locale/dbcs.h"

namespace merivan::platform {

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// "…" in the ANSI code page, or "..." where it has none.
std::string Ellipsis() {
  const std::string ellipsis = Utf8ToCodePage("\xE2\x80\xA6", AnsiCodePage());
  return ellipsis == "?" ? "..." : ellipsis;
}

}  // namespace

std::string ShownText(std::string_view bytes) {
  const std::bitset<256> leadBytes = LeadBytesOf(AnsiCodePage());
  std::string out;
  for (size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    char piece[5];
    size_t length = 1;
    if (IsControl(c)) {
      std::snprintf(piece, sizeof piece, "\\x%02X", c);
      length = 4;
    } else if (leadBytes[c] && i + 1 < bytes.size() && !IsControl(static_cast<unsigned char>(bytes[i + 1]))) {
      piece[0] = bytes[i];
      piece[1] = bytes[i + 1];
      length = 2;
    } else {
      piece[0] = bytes[i];
    }
    if (out.size() + length > kMaxShownBytes) return out + Ellipsis();
    out.append(piece, length);
    i += length == 4 ? 1 : length;
  }
  return out;
}

}  // namespace merivan::platform
