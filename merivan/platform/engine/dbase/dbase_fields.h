#pragma once
// dBASE / FoxPro columns as the engine delivers them: their column kind and
// the decoding of their stored bytes into the kind's data area.
#include <cstdint>
#include <optional>
#include <string>

#include "merivan/platform/engine/data_area.h"
#include "merivan/platform/engine/dbase/dbase_header.h"

namespace merivan::engine {

// How a column's bytes are stored.
enum class DbaseStorage {
  kCharacters,     // C: blank padded
  kVarCharacters,  // V (Visual FoxPro): as C, shorter values keep their length in the last byte
  kVarBinary,      // Q (Visual FoxPro)
  kNumberText,     // N, F
  kDateText,       // D: YYYYMMDD
  kLogical,        // L
  kMemoText,       // M, B, G of dBASE and FoxPro: block number as ASCII digits
  kMemoBinary,     // M, W, G, P of Visual FoxPro: block number as little-endian u32
  kIntLE,          // I (Visual FoxPro)
  kIntFlipped,     // I, + (level 7): big-endian, top bit flipped
  kCurrencyLE,     // Y: i64 in ten-thousandths
  kDoubleLE,       // B (Visual FoxPro)
  kDoubleFlipped,  // O (level 7): big-endian, sign-flipped
  kJulianDateTime, // T (Visual FoxPro): u32 Julian day, u32 ms
  kTimestamp7,     // @ (level 7): as O, holding the kDateTime value
  kNullFlags,      // 0: the _NullFlags system column
};

struct DbaseField;

// Decodes `raw` (the column's `length` stored bytes, or fewer for a short V / Q
// value) into `area`; false for a null value (always for memo columns).
using DbaseDecoder = bool (*)(const DbaseField& field, const uint8_t* raw, uint32_t length, uint8_t* area);

struct DbaseField {
  DbaseColumn column;
  DbaseStorage storage = DbaseStorage::kCharacters;
  ColumnKind type = ColumnKind::kUnknown;
  int size = 0;           // FieldDescriptor::size
  int nullBit = -1;       // bit in _NullFlags that marks a null value
  int varLengthBit = -1;  // bit in _NullFlags that marks a V / Q value shorter than the column
  DbaseDecoder decode = nullptr;  // the one of `storage`
};

// The field of a column, nullopt for a type letter the reader does not know
// (such a column is left out). A column whose length cannot hold its type
// sets `problem`. The _NullFlags column maps to kUnknown: the reader reads
// it for the other columns and leaves it out.
std::optional<DbaseField> MapDbaseColumn(const DbaseColumn& column, DbaseFlavour flavour, std::string* problem);

// The memo block a memo column refers to: 0 when there is no value (a
// pointer of blanks or zeros), nullopt for a pointer that is no block number
// ("-1", "1e9", a number beyond 32 bits, stray bytes).
std::optional<uint32_t> DbaseMemoBlock(const DbaseField& field, const uint8_t* raw);

}  // namespace merivan::engine
