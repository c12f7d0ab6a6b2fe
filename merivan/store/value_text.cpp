#include "merivan/store/value_text.h"

#include <charconv>
#include <cmath>

#include "merivan/exceptions.h"
#include "merivan/format/date_time_text.h"
#include "merivan/format/number_text.h"
#include "merivan/format/regional_settings.h"
#include "merivan/platform/locale/message_text.h"
#include "merivan/store/bcd.h"

namespace merivan {

namespace {

constexpr int32_t kMsPerDay = 86400000;
constexpr int32_t kTimeBaseDay = 693594;  // 30 December 1899

void IntegerText(int64_t v, std::string& out) {
  char buf[24];
  const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
  out.assign(buf, end);
}

void BytesText(const uint8_t* p, size_t n, std::string& out) { out.assign(reinterpret_cast<const char*>(p), n); }

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

void BlobText(engine::TableDriver& driver, const ValueTextField& field, std::string& out) {
  const uint32_t n = driver.BlobSize(field.index);
  out.resize(n);
  if (n == 0) return;
  auto* data = reinterpret_cast<uint8_t*>(out.data());
  if (driver.ReadBlob(field.index, 0, n, data) < n) throw EReadError("Stream read error");
  if (field.type == ftMemo && field.transliterate) driver.ToAnsi(data, n);
}

[[noreturn]] void OutOfRange(const std::string& name) {
  throw EDatabaseError("Value of field '" + platform::ShownText(name) + "' is out of range");
}

}  // namespace

void FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, std::string& out) {
  if (IsBlobType(field.type)) {
    BlobText(driver, field, out);
    return;
  }
  if (!driver.ReadField(field.index, area)) {
    out.clear();
    return;
  }
  switch (field.type) {
    case ftString: {
      const size_t len = engine::StringLengthInArea(area, field.size);
      BytesText(area, len, out);
      if (field.transliterate && len > 0) driver.ToAnsi(reinterpret_cast<uint8_t*>(out.data()), len);
      return;
    }
    case ftSmallint: IntegerText(engine::LoadInt16(area), out); return;
    case ftWord: IntegerText(engine::LoadUint16(area), out); return;
    case ftInteger:
    case ftAutoInc: IntegerText(engine::LoadInt32(area), out); return;
    case ftBoolean: out.assign(engine::LoadUint16(area) != 0 ? "True" : "False"); return;
    case ftFloat:
    case ftCurrency: FloatText(engine::LoadDouble(area), out); return;
    case ftBCD: {
      int64_t v;
      if (!BcdToFixedPoint(area, v)) OutOfRange(*field.name);
      FixedPointText(v, out);
      return;
    }
    case ftDate: DateTimeText(RegionalSettings.ShortDatePattern, engine::LoadInt32(area), 0, out); return;
    case ftTime: {
      const uint32_t u = engine::LoadUint32(area);
      DateTimeText(RegionalSettings.LongTimePattern, kTimeBaseDay + static_cast<int32_t>(u / kMsPerDay),
                   static_cast<int32_t>(u % kMsPerDay), out);
      return;
    }
    case ftDateTime: {
      int32_t day, ms;
      SplitTimestamp(engine::LoadDouble(area), day, ms);
      DateTimeText("", day, ms, out);
      return;
    }
    case ftBytes: BytesText(area, static_cast<size_t>(field.size), out); return;
    case ftVarBytes: BytesText(area, static_cast<size_t>(field.size) + 2, out); return;
    default: out.clear(); return;  // an open table has no other types
  }
}

}  // namespace merivan
