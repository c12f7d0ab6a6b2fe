#pragma once
// How each column of an ODBC result becomes a field: its column kind and
// size from the driver's description, and the C type it is fetched as.
#include <sql.h>

#include <cstddef>
#include <optional>
#include <string>

#include "merivan/platform/engine/table_driver.h"

namespace merivan::engine::odbc {

// What SQLDescribeCol and SQLColAttribute(SQL_DESC_UNSIGNED) say of a column.
struct ColumnDescription {
  std::string name;  // ANSI bytes
  SQLSMALLINT sqlType = 0;
  SQLULEN size = 0;  // characters, digits or bytes; 0 when the driver cannot tell
  SQLSMALLINT decimalDigits = 0;
  bool isUnsigned = false;
};

enum class Fetch {
  kText,        // SQL_C_WCHAR into a fixed buffer
  kLongText,    // SQL_C_WCHAR read whole with SQLGetData
  kShort,       // SQL_C_SSHORT
  kWord,        // SQL_C_USHORT
  kLong,        // SQL_C_SLONG
  kUnsignedLong,// SQL_C_ULONG, stored as the same 32 bits
  kDouble,      // SQL_C_DOUBLE
  kDecimal,     // SQL_C_CHAR digits, stored as a BCD record
  kBit,         // SQL_C_BIT
  kDate,        // SQL_C_TYPE_DATE
  kTime,        // SQL_C_TYPE_TIME
  kTimestamp,   // SQL_C_TYPE_TIMESTAMP
  kBinary,      // SQL_C_BINARY into a fixed buffer
  kLongBinary,  // SQL_C_BINARY read whole with SQLGetData
};

struct ColumnPlan {
  FieldDescriptor field;
  SQLUSMALLINT number = 0;  // 1-based column of the result
  Fetch fetch = Fetch::kText;
  SQLSMALLINT cType = 0;
  size_t bufferBytes = 0;  // per row; 0 for the whole-value fetches
};


// The plan of a column, or nullopt for a type no column kind fits (the
// column is left out). `maxBytesPerChar` is the ANSI code page's.
std::optional<ColumnPlan> PlanColumn(const ColumnDescription& column, SQLUSMALLINT number, int maxBytesPerChar);

inline bool IsWholeValueFetch(Fetch f) { return f == Fetch::kLongText || f == Fetch::kLongBinary; }

}  // namespace merivan::engine::odbc
