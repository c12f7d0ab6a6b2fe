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

// Whether `map` leaves every ASCII byte (below 0x80) as it is.
bool KeepsAscii(const platform::ByteMap& map);

// Converts `count` bytes in place through `map`. When `keepsAscii` (see
// KeepsAscii), only the bytes above ASCII are looked up, found eight bytes
// at a time: most text is ASCII, and this runs for every string value of
// every record.
void ConvertBytes(const platform::ByteMap& map, bool keepsAscii, uint8_t* bytes, size_t count);
// The same from `src` into `dst` (which may be `src`), in the same pass as
// the copy a reader makes anyway.
void ConvertBytes(const platform::ByteMap& map, bool keepsAscii, const uint8_t* src, size_t count, uint8_t* dst);
// A stored text field of `width` bytes, whose text ends at its first NUL or
// fills it: measures the text and writes it converted to `dst`, in one pass
// eight bytes at a time with no loop over single bytes for fields of eight
// bytes or more (short names and their national letters made such loops
// guess wrong on most values). `dst` has room for `width` bytes and does not
// overlap `src`; bytes of it past the text may be written too. Returns the
// text's length.
size_t ConvertText(const platform::ByteMap& map, bool keepsAscii, const uint8_t* src, size_t width, uint8_t* dst);

}  // namespace merivan::engine
