#pragma once
// Text read from a file, made fit to stand inside a message: a damaged file
// must neither end the message early (a NUL) nor send control sequences to
// the terminal or the error box.
#include <cstddef>
#include <string>
#include <string_view>

namespace merivan::platform {

// The longest text ShownText gives before its ellipsis.
constexpr size_t kMaxShownBytes = 64;

// `bytes` (in the ANSI code page) with every control byte, NUL to 0x1F and
// DEL, written as \xNN, cut after kMaxShownBytes bytes with "…" (never
// inside a double-byte character).
std::string ShownText(std::string_view bytes);

}  // namespace merivan::platform
