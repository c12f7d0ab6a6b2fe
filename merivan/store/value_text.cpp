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

void IntegerText(int64_t v, TextSink& out) {
  char* p = out.Reserve(format_detail::kMaxDecimalDigits + 1);
  out.Commit(format_detail::WriteSignedDecimal(p, v));
}

void BytesText(const uint8_t* p, size_t n, TextSink& out) { out.Append(reinterpret_cast<const char*>(p), n); }

// Read straight into the sink's room, converted on the way: no copy between.
void StringText(engine::TableDriver& driver, const ValueTextField& field, TextSink& out) {
  auto* room = reinterpret_cast<uint8_t*>(out.Reserve(engine::kStringAreaSize));
  out.Commit(reinterpret_cast<char*>(room) + driver.ReadText(field.index, room));
}

void DateText(const DatePattern& pattern, int32_t day, int32_t ms, TextSink& out) {
  char* p = out.Reserve(kDateTimeTextMax);
  out.Commit(DateTimeText(pattern, day, ms, p));
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

void FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, TextSink& out) {
  if (IsBlobType(field.type)) {
    BlobText(driver, field, out);
    return;
  }
  if (field.type == ftString) {
    StringText(driver, field, out);
    return;
  }
  if (!driver.ReadField(field.index, area)) return;
  switch (field.type) {
    case ftSmallint: IntegerText(engine::LoadInt16(area), out); return;
    case ftWord: IntegerText(engine::LoadUint16(area), out); return;
    case ftInteger:
    case ftAutoInc: IntegerText(engine::LoadInt32(area), out); return;
    case ftBoolean:
      if (engine::LoadUint16(area) != 0)
        out.Append("True", 4);
      else
        out.Append("False", 5);
      return;
    case ftFloat:
    case ftCurrency: {
      char* p = out.Reserve(kNumberTextMax);
      out.Commit(FloatText(engine::LoadDouble(area), p));
      return;
    }
    case ftBCD: {
      int64_t v;
      if (!BcdToFixedPoint(area, v)) OutOfRange(*field.name);
      char* p = out.Reserve(kNumberTextMax);
      out.Commit(FixedPointText(v, p));
      return;
    }
    case ftDate: DateText(RegionalSettings.ShortDatePattern, engine::LoadInt32(area), 0, out); return;
    case ftTime: {
      const uint32_t u = engine::LoadUint32(area);
      DateText(RegionalSettings.LongTimePattern, kTimeBaseDay + static_cast<int32_t>(u / kMsPerDay),
               static_cast<int32_t>(u % kMsPerDay), out);
      return;
    }
    case ftDateTime: {
      int32_t day, ms;
      SplitTimestamp(engine::LoadDouble(area), day, ms);
      DateText(kDateAndTime, day, ms, out);
      return;
    }
    case ftBytes: BytesText(area, static_cast<size_t>(field.size), out); return;
    case ftVarBytes: BytesText(area, static_cast<size_t>(field.size) + 2, out); return;
    default: return;  // an open table has no other types
  }
}

void FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, std::string& out) {
  out.clear();
  StringSink sink(out);
  FieldValueText(driver, field, area, static_cast<TextSink&>(sink));
}

}  // namespace merivan
