#pragma once
// The header of a dBASE / FoxPro table file: record layout and columns as
// stored, before any mapping onto column kinds.
#include <cstdint>
#include <string>
#include <vector>

#include "merivan/platform/engine/common/read_only_file.h"

namespace merivan::engine {

// The families whose stored forms differ.
enum class DbaseFlavour {
  kDbase2,       // 0x02: dBASE II / FoxBase
  kDbase3,       // 0x03, 0x83
  kDbase4,       // 0x04, 0x8B and the other dBASE IV / V marks
  kLevel7,       // 0x8C: 68-byte header, 48-byte descriptors
  kFoxPro,       // 0xF5, 0xFB
  kVisualFoxPro  // 0x30, 0x31, 0x32
};

struct DbaseColumn {
  std::string name;  // stored bytes up to the first NUL, in the table's code page
  char type = 0;     // the type letter as stored
  uint32_t length = 0;
  uint32_t decimals = 0;
  uint8_t flags = 0;  // Visual FoxPro: 1 system, 2 nullable, 4 binary, 8 autoincrement
  uint32_t offset = 0;  // from the start of the record (the deletion mark is byte 0)
};

struct DbaseHeader {
  uint8_t version = 0;
  DbaseFlavour flavour = DbaseFlavour::kDbase3;
  uint32_t recordCount = 0;  // as the header says
  uint32_t headerSize = 0;   // where the first record starts
  uint32_t recordSize = 0;
  uint8_t languageDriver = 0;
  std::string languageDriverName;  // level 7 only, e.g. "DB437US0"
  std::vector<DbaseColumn> columns;
};

// Reads and checks the header; fails with EngineError naming the file.
DbaseHeader ReadDbaseHeader(const ReadOnlyFile& file);

// The flavour of a version byte; false for a byte no dBASE or FoxPro wrote.
bool DbaseFlavourOf(uint8_t version, DbaseFlavour* flavour);

}  // namespace merivan::engine
