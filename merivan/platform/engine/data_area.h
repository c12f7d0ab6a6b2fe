#pragma once
// What the table engine delivers: the kinds of its columns and the data area
// each kind's value is written into, byte for byte the same on every host
// (numbers little-endian, strings NUL-ended). The table component maps these
// onto its own field types.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "merivan/platform/engine/common/byte_order.h"

namespace merivan::engine {

enum class ColumnKind {
  kUnknown,  // a column the engine cannot type
  kString,
  kSmallint,
  kInteger,
  kWord,
  kBoolean,
  kFloat,
  kCurrency,
  kBcd,
  kDate,
  kTime,
  kDateTime,
  kBytes,
  kVarBytes,
  kAutoInc,
  kBlob,
  kMemo,
  kGraphic,
  kFmtMemo,
  kParadoxOle,
  kDbaseOle,
  kTypedBinary,
};

// True for the kinds whose content is read through the blob reads.
inline bool IsBlobKind(ColumnKind k) {
  return k == ColumnKind::kBlob || k == ColumnKind::kMemo || k == ColumnKind::kGraphic ||
         k == ColumnKind::kFmtMemo || k == ColumnKind::kParadoxOle || k == ColumnKind::kDbaseOle ||
         k == ColumnKind::kTypedBinary;
}

// The widest string column, and the area that holds it with its NUL.
constexpr int kMaxStringSize = 8192;
constexpr size_t kStringAreaSize = kMaxStringSize + 1;
// Decimal places a BCD value can carry, and the bytes of its area.
constexpr int kMaxBcdPlaces = 32;
constexpr size_t kBcdAreaSize = 34;
// The widest Bytes and VarBytes column: a VarBytes value's count is 16 bits.
constexpr int kMaxBytesSize = 65535;

// Bytes of a column's data area; `size` as FieldDescriptor carries it.
//   kString      the characters, then NUL unless the value fills the width
//   kSmallint, kWord, kBoolean (0 or 1)            2 bytes
//   kInteger, kAutoInc, kDate (day 1 = 1 Jan 1), kTime (ms since midnight)  4 bytes
//   kFloat, kCurrency, kDateTime (ms since day 0)  an 8-byte IEEE double
//   kBcd         34 bytes: the digits it holds, sign (0x80) and decimal
//                places, then two digits a byte, the first the high nibble
//   kBytes       `size` bytes; kVarBytes a 2-byte count, then `size` bytes
inline size_t DataAreaSize(ColumnKind kind, int size) {
  switch (kind) {
    case ColumnKind::kString: return static_cast<size_t>(size) + 1;
    case ColumnKind::kSmallint: case ColumnKind::kWord: case ColumnKind::kBoolean: return 2;
    case ColumnKind::kInteger: case ColumnKind::kAutoInc: case ColumnKind::kDate: case ColumnKind::kTime: return 4;
    case ColumnKind::kFloat: case ColumnKind::kCurrency: case ColumnKind::kDateTime: return 8;
    case ColumnKind::kBcd: return kBcdAreaSize;
    case ColumnKind::kBytes: return static_cast<size_t>(size);
    case ColumnKind::kVarBytes: return static_cast<size_t>(size) + 2;
    default: return 0;  // blob kinds have no data area
  }
}

// Writing and reading the numbers of an area.
inline void StoreInt16(int16_t v, uint8_t* area) { PutLittleEndian(area, static_cast<uint16_t>(v), 2); }
inline void StoreInt32(int32_t v, uint8_t* area) { PutLittleEndian(area, static_cast<uint32_t>(v), 4); }
inline void StoreDouble(double v, uint8_t* area) {
  uint64_t u;
  std::memcpy(&u, &v, 8);
  PutLittleEndian(area, u, 8);
}

inline int16_t LoadInt16(const uint8_t* area) { return static_cast<int16_t>(Le16(area)); }
inline uint16_t LoadUint16(const uint8_t* area) { return static_cast<uint16_t>(Le16(area)); }
inline int32_t LoadInt32(const uint8_t* area) { return static_cast<int32_t>(Le32(area)); }
inline uint32_t LoadUint32(const uint8_t* area) { return Le32(area); }
inline double LoadDouble(const uint8_t* area) {
  const uint64_t u = LittleEndian(area, 8);
  double v;
  std::memcpy(&v, &u, 8);
  return v;
}

// Bytes of a string area before its NUL; a value without one ends at the
// column's width.
inline size_t StringLengthInArea(const uint8_t* area, int width) {
  const auto w = static_cast<size_t>(width);
  const void* nul = std::memchr(area, 0, w);
  return nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - area) : w;
}

}  // namespace merivan::engine
