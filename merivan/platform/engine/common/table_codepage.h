#pragma once
// The conversion of a table's stored characters to the user's ANSI code
// page, for every reader whose file names its code page.
#include "merivan/platform/locale/codepage.h"

namespace merivan::engine {

// Mazovia (Polish MS-DOS) and Kamenický (Czech and Slovak MS-DOS) have no
// iconv names; they get tables of their own under these numbers.
constexpr int kMazoviaCodePage = 620;
constexpr int kKamenickyCodePage = 895;

// Byte conversion from `codePage` to the ANSI code page `ansi`: unchanged
// bytes when they are the same; the user's OEM conversion when the code page
// is 0 or cannot be converted.
platform::ByteMap TableToAnsiMap(int codePage, int ansi);

}  // namespace merivan::engine
