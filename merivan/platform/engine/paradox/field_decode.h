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
// null. `places` is a BCD field's number of decimal places.
using FieldDecoder = bool (*)(const uint8_t* src, uint32_t width, uint8_t places, uint8_t* area);

// The decoder of a type code, chosen once per column when the table opens;
// null for blob fields, which are not decoded here, and for unknown codes.
FieldDecoder DecoderOf(uint8_t code);

// Bytes of an alpha value at `src`: up to its first NUL, at most `width`.
inline size_t AlphaLength(const uint8_t* src, uint32_t width) {
  const void* nul = std::memchr(src, 0, width);
  return nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - src) : width;
}

}  // namespace merivan::engine::paradox
