#pragma once
// Paradox record encodings to the engine's data areas: numbers
// are stored big-endian with the sign bit flipped so that bytes sort like
// values, and a field of zero bytes is null.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "merivan/platform/engine/data_area.h"
#include "merivan/platform/engine/paradox/paradox_header.h"

namespace merivan::engine::paradox {

// The column kind of a field type code; kUnknown for a code the reader does
// not know (such a column is left out).
ColumnKind ColumnKindOf(uint8_t code);

// Digits a BCD data area announces: every nibble the file stores.
constexpr uint8_t kBcdDigits = 32;

// Decodes the field at `src` (`width` record bytes) into `area`; false for
// null. `places` is a BCD field's number of decimal places. Blob fields are
// not decoded here.
bool DecodeField(uint8_t code, const uint8_t* src, uint32_t width, uint8_t places, uint8_t* area);

}  // namespace merivan::engine::paradox
