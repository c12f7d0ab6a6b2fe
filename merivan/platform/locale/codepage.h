#pragma once
// Windows code pages on Linux: which ANSI and OEM code page the user's
// locale implies, and byte conversions between code pages through iconv.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace merivan::platform {

// The Windows ANSI code page of the language of LC_CTYPE (LC_ALL, else
// LC_CTYPE, else LANG): 1250 for cs, sk, pl, hu, ... ; the double-byte 932,
// 936, 949 and 950 for ja, zh_CN, ko and zh_TW; 1252 for C/POSIX.
int AnsiCodePage();
// The matching OEM (MS-DOS) code page: 852 for cs, 437 for en_US, 850 for
// western Europe, 866 for ru; 437 for C/POSIX.
int OemCodePage();
// Both, for a locale name such as "cs_CZ.UTF-8" (exposed for tests).
int AnsiCodePageOf(std::string_view localeName);
int OemCodePageOf(std::string_view localeName);

using ByteMap = std::array<uint8_t, 256>;

// One byte of code page `from` to one byte of `to`; a byte with no
// counterpart (or unassigned in `from`) becomes '?'. nullopt when iconv
// knows either code page not.
std::optional<ByteMap> CodePageTable(int from, int to);

// OEM to ANSI of the user's code pages, built once (the OemToCharBuffA stand-in).
const ByteMap& OemToAnsiMap();

// UTF-8 text to a code page, each character it lacks as one '?'.
std::string Utf8ToCodePage(std::string_view utf8, int codePage);
// Bytes of a code page to UTF-8; unassigned bytes become '?'.
std::string CodePageToUtf8(std::string_view bytes, int codePage);
// Whether `bytes` is well-formed UTF-8 (plain ASCII is).
bool IsValidUtf8(std::string_view bytes);
// Text of unknown origin to UTF-8: kept when it already is UTF-8 (command-line
// arguments and file paths on Linux usually are), otherwise read as `codePage`.
std::string TextToUtf8(std::string_view bytes, int codePage);
// UTF-8 to the terminal's character set (nl_langinfo(CODESET) after
// setlocale), for messages written to stderr.
std::string Utf8ToTerminal(std::string_view utf8);

}  // namespace merivan::platform
