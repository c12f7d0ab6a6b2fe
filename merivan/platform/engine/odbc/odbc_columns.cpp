#include "merivan/platform/engine/odbc/odbc_columns.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>

namespace merivan::engine::odbc {

namespace {

// Some drivers (MySQL, SQLite) report BOOLEAN with this code outside the standard set.
constexpr SQLSMALLINT kSqlBoolean = 16;
// Digits of the text of a DECIMAL value: sign, point and a leading zero
// beyond the precision, and room for drivers that write an exponent.
constexpr size_t kDecimalTextExtra = 16;
constexpr size_t kMinDecimalText = 48;
constexpr size_t kMaxDecimalText = 160;

ColumnPlan Plan(const ColumnDescription& c, SQLUSMALLINT number, ColumnKind type, int size, Fetch fetch,
                SQLSMALLINT cType, size_t bufferBytes) {
  ColumnPlan p;
  p.field = FieldDescriptor{c.name, type, size};
  p.number = number;
  p.fetch = fetch;
  p.cType = cType;
  p.bufferBytes = bufferBytes;
  return p;
}

ColumnPlan TextPlan(const ColumnDescription& c, SQLUSMALLINT number, int maxBytesPerChar) {
  const SQLULEN width = c.size * static_cast<SQLULEN>(maxBytesPerChar);
  if (c.size == 0 || width > static_cast<SQLULEN>(kMaxStringSize)) return Plan(c, number, ColumnKind::kMemo, 0, Fetch::kLongText, SQL_C_WCHAR, 0);
  // Twice the characters in UTF-16 units: a character beyond the BMP takes two.
  return Plan(c, number, ColumnKind::kString, static_cast<int>(width), Fetch::kText, SQL_C_WCHAR,
              (c.size * 2 + 1) * sizeof(SQLWCHAR));
}

ColumnPlan BinaryPlan(const ColumnDescription& c, SQLUSMALLINT number, ColumnKind type) {
  if (c.size == 0 || c.size > static_cast<SQLULEN>(kMaxBytesSize)) return Plan(c, number, ColumnKind::kBlob, 0, Fetch::kLongBinary, SQL_C_BINARY, 0);
  return Plan(c, number, type, static_cast<int>(c.size), Fetch::kBinary, SQL_C_BINARY, c.size);
}

}  // namespace

std::optional<ColumnPlan> PlanColumn(const ColumnDescription& c, SQLUSMALLINT number, int maxBytesPerChar) {
  switch (c.sqlType) {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
      return TextPlan(c, number, maxBytesPerChar);
    case SQL_LONGVARCHAR:
    case SQL_WLONGVARCHAR:
      return Plan(c, number, ColumnKind::kMemo, 0, Fetch::kLongText, SQL_C_WCHAR, 0);
    case SQL_TINYINT:
      return Plan(c, number, ColumnKind::kSmallint, 0, Fetch::kShort, SQL_C_SSHORT, sizeof(SQLSMALLINT));
    case SQL_SMALLINT:
      if (c.isUnsigned) return Plan(c, number, ColumnKind::kWord, 0, Fetch::kWord, SQL_C_USHORT, sizeof(SQLUSMALLINT));
      return Plan(c, number, ColumnKind::kSmallint, 0, Fetch::kShort, SQL_C_SSHORT, sizeof(SQLSMALLINT));
    case SQL_INTEGER:
      if (c.isUnsigned) return Plan(c, number, ColumnKind::kInteger, 0, Fetch::kUnsignedLong, SQL_C_ULONG, sizeof(SQLUINTEGER));
      return Plan(c, number, ColumnKind::kInteger, 0, Fetch::kLong, SQL_C_SLONG, sizeof(SQLINTEGER));
    case SQL_BIGINT:
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
      return Plan(c, number, ColumnKind::kFloat, 0, Fetch::kDouble, SQL_C_DOUBLE, sizeof(SQLDOUBLE));
    case SQL_DECIMAL:
    case SQL_NUMERIC:
      if (c.decimalDigits < 0 || c.decimalDigits > kMaxBcdPlaces)
        return Plan(c, number, ColumnKind::kFloat, 0, Fetch::kDouble, SQL_C_DOUBLE, sizeof(SQLDOUBLE));
      return Plan(c, number, ColumnKind::kBcd, c.decimalDigits, Fetch::kDecimal, SQL_C_CHAR,
                  std::min(std::max(static_cast<size_t>(c.size) + kDecimalTextExtra, kMinDecimalText), kMaxDecimalText));
    case SQL_BIT:
    case kSqlBoolean:
      return Plan(c, number, ColumnKind::kBoolean, 0, Fetch::kBit, SQL_C_BIT, 1);
    case SQL_TYPE_DATE:
    case SQL_DATE:
      return Plan(c, number, ColumnKind::kDate, 0, Fetch::kDate, SQL_C_TYPE_DATE, sizeof(SQL_DATE_STRUCT));
    case SQL_TYPE_TIME:
    case SQL_TIME:
      return Plan(c, number, ColumnKind::kTime, 0, Fetch::kTime, SQL_C_TYPE_TIME, sizeof(SQL_TIME_STRUCT));
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
      return Plan(c, number, ColumnKind::kDateTime, 0, Fetch::kTimestamp, SQL_C_TYPE_TIMESTAMP, sizeof(SQL_TIMESTAMP_STRUCT));
    case SQL_BINARY:
      return BinaryPlan(c, number, ColumnKind::kBytes);
    case SQL_VARBINARY:
      return BinaryPlan(c, number, ColumnKind::kVarBytes);
    case SQL_LONGVARBINARY:
      return Plan(c, number, ColumnKind::kBlob, 0, Fetch::kLongBinary, SQL_C_BINARY, 0);
    default:
      return std::nullopt;
  }
}

}  // namespace merivan::engine::odbc
