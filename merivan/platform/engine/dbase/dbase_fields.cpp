#include "merivan/platform/engine/dbase/dbase_fields.h"

#include <cstring>

#include "merivan/platform/engine/common/byte_order.h"
#include "merivan/platform/engine/common/value_parsing.h"
#include "merivan/platform/locale/ascii_text.h"
#include "merivan/platform/locale/message_text.h"

namespace merivan::engine {

namespace {

struct Mapping {
  DbaseStorage storage;
  ColumnKind type;
  uint32_t exactLength;  // 0: any length of at least 1
};

std::optional<Mapping> MappingOf(const DbaseColumn& c, DbaseFlavour flavour) {
  const bool vfp = flavour == DbaseFlavour::kVisualFoxPro;
  const bool level7 = flavour == DbaseFlavour::kLevel7;
  const DbaseStorage memo = c.length == 4 ? DbaseStorage::kMemoBinary : DbaseStorage::kMemoText;
  switch (c.type) {
    case 'C': return Mapping{DbaseStorage::kCharacters, ColumnKind::kString, 0};
    case 'N':
      if (c.decimals == 0 && c.length <= 4) return Mapping{DbaseStorage::kNumberText, ColumnKind::kSmallint, 0};
      if (c.decimals == 0 && c.length <= 9) return Mapping{DbaseStorage::kNumberText, ColumnKind::kInteger, 0};
      return Mapping{DbaseStorage::kNumberText, ColumnKind::kFloat, 0};
    case 'F': return Mapping{DbaseStorage::kNumberText, ColumnKind::kFloat, 0};
    case 'D': return Mapping{DbaseStorage::kDateText, ColumnKind::kDate, 8};
    case 'L': return Mapping{DbaseStorage::kLogical, ColumnKind::kBoolean, 1};
    case 'M': return Mapping{memo, ColumnKind::kMemo, 0};
    case 'G': return Mapping{memo, ColumnKind::kDbaseOle, 0};
    case 'B':
      if (vfp) return Mapping{DbaseStorage::kDoubleLE, ColumnKind::kFloat, 8};
      return Mapping{memo, ColumnKind::kBlob, 0};
    case 'W': return Mapping{memo, ColumnKind::kBlob, 0};
    case 'P': return Mapping{memo, ColumnKind::kGraphic, 0};
    case 'I': return Mapping{level7 ? DbaseStorage::kIntFlipped : DbaseStorage::kIntLE, ColumnKind::kInteger, 4};
    case '+': return Mapping{level7 ? DbaseStorage::kIntFlipped : DbaseStorage::kIntLE, ColumnKind::kAutoInc, 4};
    case 'Y': return Mapping{DbaseStorage::kCurrencyLE, ColumnKind::kCurrency, 8};
    case 'T': return Mapping{DbaseStorage::kJulianDateTime, ColumnKind::kDateTime, 8};
    case '@': return Mapping{DbaseStorage::kTimestamp7, ColumnKind::kDateTime, 8};
    case 'O': return Mapping{DbaseStorage::kDoubleFlipped, ColumnKind::kFloat, 8};
    case 'V': return Mapping{DbaseStorage::kVarCharacters, ColumnKind::kString, 0};
    case 'Q': return Mapping{DbaseStorage::kVarBinary, ColumnKind::kVarBytes, 0};
    case '0': return Mapping{DbaseStorage::kNullFlags, ColumnKind::kUnknown, 0};
    default: return std::nullopt;
  }
}

// Big-endian doubles that sort as bytes: positive values have the top bit
// set, negative values have every bit inverted.
double FlippedDouble(const uint8_t* p) {
  uint64_t u = BigEndian(p, 8);
  u = (u & 0x8000000000000000ull) ? (u & 0x7FFFFFFFFFFFFFFFull) : ~u;
  double d;
  std::memcpy(&d, &u, 8);
  return d;
}

// The decoders of the stored forms, one each: a field read calls its
// column's decoder directly, with no choice to make per value.
bool DecodeCharacters(const DbaseField&, const uint8_t* raw, uint32_t length, uint8_t* area) {
  std::memcpy(area, raw, length);
  area[length] = 0;
  return true;
}

bool DecodeVarBinary(const DbaseField& field, const uint8_t* raw, uint32_t length, uint8_t* area) {
  const uint32_t size = field.column.length;
  StoreInt16(static_cast<int16_t>(length), area);
  std::memcpy(area + 2, raw, length);
  std::memset(area + 2 + length, 0, size - length);
  return true;
}

bool DecodeNumberText(const DbaseField& field, const uint8_t* raw, uint32_t length, uint8_t* area) {
  return StoreNumberText(field.type, std::string_view(reinterpret_cast<const char*>(raw), length), area);
}

bool DecodeDateText(const DbaseField&, const uint8_t* raw, uint32_t, uint8_t* area) {
  const std::optional<int32_t> day = DayNumberOfDateText(raw);
  if (!day) return false;
  StoreInt32(*day, area);
  return true;
}

bool DecodeLogical(const DbaseField&, const uint8_t* raw, uint32_t, uint8_t* area) {
  switch (raw[0]) {
    case 'T': case 't': case 'Y': case 'y': StoreInt16(1, area); return true;
    case 'F': case 'f': case 'N': case 'n': StoreInt16(0, area); return true;
    default: return false;
  }
}

bool DecodeIntLE(const DbaseField&, const uint8_t* raw, uint32_t, uint8_t* area) {
  StoreInt32(static_cast<int32_t>(LittleEndian(raw, 4)), area);
  return true;
}

bool DecodeIntFlipped(const DbaseField&, const uint8_t* raw, uint32_t, uint8_t* area) {
  if (AllZero(raw, 4)) return false;
  StoreInt32(static_cast<int32_t>(static_cast<uint32_t>(BigEndian(raw, 4)) ^ 0x80000000u), area);
  return true;
}

bool DecodeCurrencyLE(const DbaseField&, const uint8_t* raw, uint32_t, uint8_t* area) {
  StoreDouble(static_cast<double>(static_cast<int64_t>(LittleEndian(raw, 8))) / 10000.0, area);
  return true;
}

bool DecodeDoubleLE(const DbaseField&, const uint8_t* raw, uint32_t, uint8_t* area) {
  StoreDouble(LoadDouble(raw), area);
  return true;
}

bool DecodeDoubleFlipped(const DbaseField&, const uint8_t* raw, uint32_t, uint8_t* area) {
  if (AllZero(raw, 8)) return false;
  StoreDouble(FlippedDouble(raw), area);
  return true;
}

bool DecodeJulianDateTime(const DbaseField&, const uint8_t* raw, uint32_t, uint8_t* area) {
  const uint32_t julian = static_cast<uint32_t>(LittleEndian(raw, 4));
  const uint32_t ms = static_cast<uint32_t>(LittleEndian(raw + 4, 4));
  if (julian == 0) return false;
  const double day = static_cast<double>(static_cast<int64_t>(julian) - kJulianDayOfDayZero);
  StoreDouble(day * 86400000.0 + ms, area);
  return true;
}

// Memo columns (read through the blob reads) and _NullFlags.
bool DecodeNoValue(const DbaseField&, const uint8_t*, uint32_t, uint8_t*) { return false; }

DbaseDecoder DecoderOf(DbaseStorage storage) {
  switch (storage) {
    case DbaseStorage::kCharacters:
    case DbaseStorage::kVarCharacters: return DecodeCharacters;
    case DbaseStorage::kVarBinary: return DecodeVarBinary;
    case DbaseStorage::kNumberText: return DecodeNumberText;
    case DbaseStorage::kDateText: return DecodeDateText;
    case DbaseStorage::kLogical: return DecodeLogical;
    case DbaseStorage::kIntLE: return DecodeIntLE;
    case DbaseStorage::kIntFlipped: return DecodeIntFlipped;
    case DbaseStorage::kCurrencyLE: return DecodeCurrencyLE;
    case DbaseStorage::kDoubleLE: return DecodeDoubleLE;
    case DbaseStorage::kDoubleFlipped:
    case DbaseStorage::kTimestamp7: return DecodeDoubleFlipped;
    case DbaseStorage::kJulianDateTime: return DecodeJulianDateTime;
    case DbaseStorage::kMemoText:
    case DbaseStorage::kMemoBinary:
    case DbaseStorage::kNullFlags: return DecodeNoValue;
  }
  return DecodeNoValue;
}

}  // namespace

std::optional<DbaseField> MapDbaseColumn(const DbaseColumn& column, DbaseFlavour flavour, std::string* problem) {
  const std::optional<Mapping> m = MappingOf(column, flavour);
  if (!m) return std::nullopt;
  const bool badLength = m->exactLength != 0 ? column.length != m->exactLength : column.length == 0;
  if (badLength) {
    *problem = "Field " + platform::ShownText(column.name) + " has an invalid length (" +
               std::to_string(column.length) + ")";
    return std::nullopt;
  }
  DbaseField f;
  f.column = column;
  f.storage = m->storage;
  f.type = m->type;
  f.decode = DecoderOf(m->storage);
  if (m->type == ColumnKind::kString || m->type == ColumnKind::kVarBytes) f.size = static_cast<int>(column.length);
  return f;
}

std::optional<uint32_t> DbaseMemoBlock(const DbaseField& field, const uint8_t* raw) {
  if (field.storage == DbaseStorage::kMemoBinary) return static_cast<uint32_t>(LittleEndian(raw, 4));
  // Digits, right-aligned behind blanks (or zeros) as dBASE writes them.
  const std::string_view text =
      platform::TrimBlanks(std::string_view(reinterpret_cast<const char*>(raw), field.column.length));
  uint64_t block = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    block = block * 10 + static_cast<uint64_t>(c - '0');
    if (block > UINT32_MAX) return std::nullopt;
  }
  return static_cast<uint32_t>(block);
}

}  // namespace merivan::engine
