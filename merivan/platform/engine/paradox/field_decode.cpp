#include "merivan/platform/engine/paradox/field_decode.h"

#include "merivan/platform/engine/common/byte_order.h"

namespace merivan::engine::paradox {

ColumnKind ColumnKindOf(uint8_t code) {
  switch (code) {
    case kPxAlpha: return ColumnKind::kString;
    case kPxDate: return ColumnKind::kDate;
    case kPxShort: return ColumnKind::kSmallint;
    case kPxLong: return ColumnKind::kInteger;
    case kPxCurrency: return ColumnKind::kCurrency;
    case kPxNumber: return ColumnKind::kFloat;
    case kPxLogical: return ColumnKind::kBoolean;
    case kPxMemo: return ColumnKind::kMemo;
    case kPxBlob: return ColumnKind::kBlob;
    case kPxFmtMemo: return ColumnKind::kFmtMemo;
    case kPxOle: return ColumnKind::kParadoxOle;
    case kPxGraphic: return ColumnKind::kGraphic;
    case kPxTime: return ColumnKind::kTime;
    case kPxTimestamp: return ColumnKind::kDateTime;
    case kPxAutoInc: return ColumnKind::kAutoInc;
    case kPxBcd: return ColumnKind::kBcd;
    case kPxBytes: return ColumnKind::kBytes;
    default: return ColumnKind::kUnknown;
  }
}

namespace {

bool DecodeAlpha(const uint8_t* src, uint32_t width, uint8_t, uint8_t* area) {
  if (width == 0 || src[0] == 0) return false;
  const size_t len = AlphaLength(src, width);
  std::memcpy(area, src, len);
  area[len] = 0;
  return true;
}

// A sortable big-endian integer of `Bytes` bytes: the sign bit flipped back.
template <int Bytes>
bool DecodeInteger(const uint8_t* src, uint32_t, uint8_t, uint8_t* area) {
  const uint64_t v = BigEndian(src, Bytes);
  if (v == 0) return false;
  PutLittleEndian(area, v ^ (uint64_t{1} << (8 * Bytes - 1)), Bytes);
  return true;
}

// A sortable double: positive values have the sign bit set, negative ones
// are stored with every bit flipped.
bool DecodeDouble(const uint8_t* src, uint32_t, uint8_t, uint8_t* area) {
  uint64_t v = BigEndian(src, 8);
  if (v == 0) return false;
  constexpr uint64_t sign = uint64_t{1} << 63;
  v = (v & sign) ? (v & ~sign) : ~v;
  PutLittleEndian(area, v, 8);
  return true;
}

bool DecodeLogical(const uint8_t* src, uint32_t, uint8_t, uint8_t* area) {
  if (src[0] == 0) return false;
  PutLittleEndian(area, src[0] == 0x80 ? 0 : 1, 2);
  return true;
}

bool DecodeBcd(const uint8_t* src, uint32_t, uint8_t places, uint8_t* area) {
  if (AllZero(src, 17)) return false;
  const bool negative = (src[0] & 0x80) == 0;
  area[0] = kBcdDigits;
  area[1] = static_cast<uint8_t>((negative ? 0x80 : 0) | (places & 0x3F));
  for (int i = 0; i < 16; ++i) area[2 + i] = negative ? static_cast<uint8_t>(~src[1 + i]) : src[1 + i];
  std::memset(area + 18, 0, 16);
  return true;
}

bool DecodeBytes(const uint8_t* src, uint32_t width, uint8_t, uint8_t* area) {
  if (AllZero(src, width)) return false;
  std::memcpy(area, src, width);
  return true;
}

}  // namespace

FieldDecoder DecoderOf(uint8_t code) {
  switch (code) {
    case kPxAlpha: return DecodeAlpha;
    case kPxShort: return DecodeInteger<2>;
    case kPxDate: case kPxLong: case kPxTime: case kPxAutoInc: return DecodeInteger<4>;
    case kPxCurrency: case kPxNumber: case kPxTimestamp: return DecodeDouble;
    case kPxLogical: return DecodeLogical;
    case kPxBcd: return DecodeBcd;
    case kPxBytes: return DecodeBytes;
    default: return nullptr;
  }
}

}  // namespace merivan::engine::paradox
