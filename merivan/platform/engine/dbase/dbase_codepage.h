#pragma once
// The character set of a dBASE / FoxPro table, named by the language driver
// byte of its header (or, in level 7 tables, the driver's name).
#include <cstdint>
#include <string>

#include "merivan/platform/locale/codepage.h"

namespace merivan::engine {

// Mazovia (Polish MS-DOS) and Kamenický (Czech and Slovak MS-DOS) have no
// iconv names; they get tables of their own under these numbers.
constexpr int kMazoviaCodePage = 620;
constexpr int kKamenickyCodePage = 895;

// The code page of a language driver byte; 0 when the byte is 0 or unknown.
int LanguageDriverCodePage(uint8_t id);
// The code page of a level 7 driver name such as "DB852CZ0" or "DBWINUS0"; 0 when unknown.
int LanguageDriverNameCodePage(const std::string& name);

// Byte conversion from `codePage` to the ANSI code page `ansi`; the user's
// OEM conversion when the code page is 0 or cannot be converted.
platform::ByteMap TableToAnsiMap(int codePage, int ansi);

}  // namespace merivan::engine
