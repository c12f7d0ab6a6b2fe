#pragma once
// The character set of a dBASE / FoxPro table, named by the language driver
// byte of its header (or, in level 7 tables, the driver's name).
#include <cstdint>
#include <string>

#include "merivan/platform/engine/common/table_codepage.h"

namespace merivan::engine {

// The code page of a language driver byte; 0 when the byte is 0 or unknown.
int LanguageDriverCodePage(uint8_t id);
// The code page of a level 7 driver name such as "DB852CZ0" or "DBWINUS0"; 0 when unknown.
int LanguageDriverNameCodePage(const std::string& name);

}  // namespace merivan::engine
