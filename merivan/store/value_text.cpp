#include "merivan/store/value_text.h"

#include <cmath>

#include "merivan/exceptions.h"
#include "merivan/format/date_time_text.h"
#include "merivan/format/decimal_digits.h"
#include "merivan/format/number_text.h"
#include "merivan/format/regional_settings.h"
#include "merivan/platform/locale/message_text.h"
#include "merivan/store/bcd.h"

namespace merivan {

namespace {

constexpr int32_t kMsPerDay = 86400000;
constexpr int32_t kTimeBaseDay = 693594;  // 30 December 1899

// The timestamp's pattern: the empty one, which means "c".
const DatePattern kDateAndTime("");

char* IntegerText(int64_t v, char* out) { return format_detail::WriteSignedDecimal(out, v); }

char* BytesText(const uint8_t* p, size_t n, char* out) {
  std::memcpy(out, p, n);
  return out + n;
}

// Day and time of a timestamp in milliseconds; values outside the calendar
// (negative, not a number, beyond day 2^31) give day 0 at midnight.
void SplitTimestamp(double stored, int32_t& day, int32_t& ms) {
  day = 0;
  ms = 0;
  if (!std::isfinite(stored)) return;
  const double m = std::nearbyint(stored);
  if (m < 0 || m >= static_cast<double>(kMsPerDay) * 2147483648.0) return;
  const auto whole = static_cast<int64_t>(m);
  day = static_cast<int32_t>(whole / kMsPerDay);
  ms = static_cast<int32_t>(whole % kMsPerDay);
}

// The content in one read of its full size, into the sink's room when it
// fits there.
void BlobText(engine::TableDriver& driver, const ValueTextField& field, TextSink& out) {
  const uint32_t n = driver.BlobSize(field.index);
  if (n == 0) return;
  const bool memo = field.type == ftMemo && field.transliterate;
  if (n <= TextSink::kMaxReserve) {
    auto* data = reinterpret_cast<uint8_t*>(out.Reserve(n));
    if (driver.ReadBlob(field.index, 0, n, data) < n) throw EReadError("Stream read error");
    if (memo) driver.ToAnsi(data, n);
    out.Commit(reinterpret_cast<char*>(data) + n);
    return;
  }
  std::string content(n, '\0');
  auto* data = reinterpret_cast<uint8_t*>(content.data());
  if (driver.ReadBlob(field.index, 0, n, data) < n) throw EReadError("Stream read error");
  if (memo) driver.ToAnsi(data, n);
  out.Append(content.data(), n);
}

[[noreturn]] void OutOfRange(const std::string& name) {
  throw EDatabaseError("Value of field '" + platform::ShownText(name) + "' is out of range");
}

}  // namespace

size_t ValueTextBound(const ValueTextField& field) {
  switch (field.type) {
    case ftString: return static_cast<size_t>(field.size) + 1;  // its data area: the room it is read into
    case ftSmallint: case ftWord: case ftInteger: case ftAutoInc: return format_detail::kMaxDecimalDigits + 1;
    case ftBoolean: return 5;
    case ftFloat: case ftCurrency: case ftBCD: return kNumberTextMax;
    case ftDate: case ftTime: case ftDateTime: return kDateTimeTextMax;
    case ftBytes: case ftVarBytes: {
      const size_t n = engine::DataAreaSize(field.type == ftBytes ? engine::ColumnKind::kBytes : engine::ColumnKind::kVarBytes, field.size);
      return n <= TextSink::kMaxReserve ? n : 0;
    }
    default: return 0;  // blobs: as long as their content
  }
}

namespace {

// The current record of the open table.
struct CurrentRecord {
  engine::TableDriver& driver;
  bool ReadField(size_t index, uint8_t* area) const { return driver.ReadField(index, area); }
  size_t ReadText(size_t index, uint8_t* area) const { return driver.ReadText(index, area); }
};

// A copy of a record.
struct RecordCopy {
  const engine::RecordFormat& format;
  const uint8_t* record;
  bool ReadField(size_t index, uint8_t* area) const { return format.ReadField(record, index, area); }
  size_t ReadText(size_t index, uint8_t* area) const { return format.ReadText(record, index, area); }
};

template <typename Record>
char* BoundedText(const Record& record, const ValueTextField& field, uint8_t* area, char* out) {
  if (field.type == ftString) {
    // Read straight into the room, converted on the way: no copy between.
    return out + record.ReadText(field.index, reinterpret_cast<uint8_t*>(out));
  }
  if (!record.ReadField(field.index, area)) return out;
  switch (field.type) {
    case ftSmallint: return IntegerText(engine::LoadInt16(area), out);
    case ftWord: return IntegerText(engine::LoadUint16(area), out);
    case ftInteger:
    case ftAutoInc: return IntegerText(engine::LoadInt32(area), out);
    case ftBoolean:
      if (engine::LoadUint16(area) != 0) return BytesText(reinterpret_cast<const uint8_t*>("True"), 4, out);
      return BytesText(reinterpret_cast<const uint8_t*>("False"), 5, out);
    case ftFloat:
    case ftCurrency: return FloatText(engine::LoadDouble(area), out);
    case ftBCD: {
      int64_t v;
      if (!BcdToFixedPoint(area, v)) OutOfRange(*field.name);
      return FixedPointText(v, out);
    }
    case ftDate: return DateTimeText(RegionalSettings.ShortDatePattern, engine::LoadInt32(area), 0, out);
    case ftTime: {
      const uint32_t u = engine::LoadUint32(area);
      return DateTimeText(RegionalSettings.LongTimePattern, kTimeBaseDay + static_cast<int32_t>(u / kMsPerDay),
                          static_cast<int32_t>(u % kMsPerDay), out);
    }
    case ftDateTime: {
      int32_t day, ms;
      SplitTimestamp(engine::LoadDouble(area), day, ms);
      return DateTimeText(kDateAndTime, day, ms, out);
    }
    case ftBytes: return BytesText(area, static_cast<size_t>(field.size), out);
    case ftVarBytes: return BytesText(area, static_cast<size_t>(field.size) + 2, out);
    default: return out;  // an open table has no other types
  }
}

}  // namespace

char* FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, char* out) {
  return BoundedText(CurrentRecord{driver}, field, area, out);
}

char* FieldValueText(const engine::RecordFormat& format, const uint8_t* record, const ValueTextField& field,
                     uint8_t* area, char* out) {
  return BoundedText(RecordCopy{format, record}, field, area, out);
}

void FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, TextSink& out) {
  if (const size_t bound = ValueTextBound(field)) {
    char* room = out.Reserve(bound);
    out.Commit(FieldValueText(driver, field, area, room));
    return;
  }
  if (IsBlobType(field.type)) {
    BlobText(driver, field, out);
    return;
  }
  // Bytes too many for one room: the area holds them whole.
  if (!driver.ReadField(field.index, area)) return;
  const size_t n = static_cast<size_t>(field.size) + (field.type == ftVarBytes ? 2 : 0);
  out.Append(reinterpret_cast<const char*>(area), n);
}

void FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, std::string& out) {
  out.clear();
  StringSink sink(out);
  FieldValueText(driver, field, area, static_cast<TextSink&>(sink));
}

}  // namespace merivan
