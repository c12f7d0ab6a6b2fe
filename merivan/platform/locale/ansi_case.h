#pragma once
// Letter case of the ANSI code page, for names compared ignoring case: the
// C library's tolower knows only ASCII under a UTF-8 locale, while field
// names such as "Číslo" arrive as Windows-1250 bytes.
#include "merivan/platform/locale/codepage.h"

namespace merivan::platform {

// Each byte of the user's ANSI code page to its lower-case form (itself when
// it has none), built once.
const ByteMap& AnsiLowerCaseMap();

// The same for a given code page (exposed for tests).
ByteMap LowerCaseMapOf(int codePage);

}  // namespace merivan::platform
