#include "merivan/platform/engine/odbc/odbc_values.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "merivan/platform/engine/common/value_parsing.h"
#include "merivan/platform/engine/data_area.h"
#include "merivan/platform/engine/odbc/odbc_decimal.h"

namespace merivan::engine::odbc {

namespace {

constexpr int64_t kMsPerDay = 86400000;

template <typename T>
T Read(const uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Bytes the driver put in a buffer of `capacity` (less `terminator` for the
// NUL it adds): all of it when the value was cut or its length unknown.
size_t Received(SQLLEN indicator, size_t capacity, size_t terminator) {
  const size_t usable = capacity - terminator;
  if (indicator == SQL_NO_TOTAL || indicator < 0) return usable;
  return std::min(static_cast<size_t>(indicator), usable);
}

int64_t MsOfDay(int hour, int minute, int second) { return ((hour * 60 + minute) * 60 + second) * 1000LL; }

}  // namespace

bool StoreValue(const ColumnPlan& plan, const uint8_t* value, SQLLEN indicator, const platform::Utf16Encoder& ansi,
                uint8_t* area) {
  if (indicator == SQL_NULL_DATA) return false;
  switch (plan.fetch) {
    case Fetch::kText: {
      const size_t units = Received(indicator, plan.bufferBytes, sizeof(SQLWCHAR)) / sizeof(SQLWCHAR);
      const std::u16string_view text(reinterpret_cast<const char16_t*>(value), units);
      const size_t n = ansi.Encode(text, area, static_cast<size_t>(plan.field.size));
      area[n] = 0;
      return true;
    }
    case Fetch::kShort:
      StoreInt16(Read<SQLSMALLINT>(value), area);
      return true;
    case Fetch::kWord:
      StoreInt16(static_cast<int16_t>(Read<SQLUSMALLINT>(value)), area);
      return true;
    case Fetch::kLong:
      StoreInt32(Read<SQLINTEGER>(value), area);
      return true;
    case Fetch::kUnsignedLong:
      StoreInt32(static_cast<int32_t>(Read<SQLUINTEGER>(value)), area);
      return true;
    case Fetch::kDouble:
      StoreDouble(Read<SQLDOUBLE>(value), area);
      return true;
    case Fetch::kDecimal: {
      const size_t n = Received(indicator, plan.bufferBytes, 1);
      const bool cut = indicator == SQL_NO_TOTAL || indicator > static_cast<SQLLEN>(n);
      const std::string_view text(reinterpret_cast<const char*>(value), strnlen(reinterpret_cast<const char*>(value), n));
      return DecimalTextToBcd(text, cut, area);
    }
    case Fetch::kBit:
      StoreInt16(value[0] != 0 ? 1 : 0, area);
      return true;
    case Fetch::kDate: {
      const auto d = Read<SQL_DATE_STRUCT>(value);
      const auto day = DayNumberOf(d.year, d.month, d.day);
      if (!day) return false;
      StoreInt32(*day, area);
      return true;
    }
    case Fetch::kTime: {
      const auto t = Read<SQL_TIME_STRUCT>(value);
      StoreInt32(static_cast<int32_t>(MsOfDay(t.hour, t.minute, t.second)), area);
      return true;
    }
    case Fetch::kTimestamp: {
      const auto t = Read<SQL_TIMESTAMP_STRUCT>(value);
      const auto day = DayNumberOf(t.year, t.month, t.day);
      if (!day) return false;
      const int64_t ms = *day * kMsPerDay + MsOfDay(t.hour, t.minute, t.second) + t.fraction / 1000000;
      StoreDouble(static_cast<double>(ms), area);
      return true;
    }
    case Fetch::kBinary: {
      const auto size = static_cast<size_t>(plan.field.size);
      const size_t n = Received(indicator, size, 0);
      if (plan.field.type == ColumnKind::kVarBytes) {
        StoreInt16(static_cast<int16_t>(n), area);
        area += 2;
      }
      std::memcpy(area, value, n);
      std::memset(area + n, 0, size - n);
      return true;
    }
    case Fetch::kLongText:
    case Fetch::kLongBinary:
      break;
  }
  return false;
}

}  // namespace merivan::engine::odbc
