#include "merivan/platform/engine/odbc/odbc_columns.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <sqlucode.h>

namespace merivan::engine::odbc {
namespace {

TEST(ColumnPlan, MapsTheTypesOfTheDescription) {
  const struct {
    SQLSMALLINT sqlType;
    SQLULEN size;
    SQLSMALLINT digits;
    bool isUnsigned;
    int maxBytesPerChar;
    ColumnKind type;  // kUnknown: left out
    int fieldSize;
    Fetch fetch;
  } cases[] = {
      {SQL_VARCHAR, 40, 0, false, 1, ColumnKind::kString, 40, Fetch::kText},
      {SQL_WCHAR, 8192, 0, false, 1, ColumnKind::kString, 8192, Fetch::kText},
      {SQL_WVARCHAR, 8193, 0, false, 1, ColumnKind::kMemo, 0, Fetch::kLongText},
      {SQL_CHAR, 4096, 0, false, 2, ColumnKind::kString, 8192, Fetch::kText},
      {SQL_CHAR, 4097, 0, false, 2, ColumnKind::kMemo, 0, Fetch::kLongText},
      {SQL_VARCHAR, 0, 0, false, 1, ColumnKind::kMemo, 0, Fetch::kLongText},
      {SQL_LONGVARCHAR, 10, 0, false, 1, ColumnKind::kMemo, 0, Fetch::kLongText},
      {SQL_WLONGVARCHAR, 65536, 0, false, 1, ColumnKind::kMemo, 0, Fetch::kLongText},
      {SQL_TINYINT, 3, 0, true, 1, ColumnKind::kSmallint, 0, Fetch::kShort},
      {SQL_SMALLINT, 5, 0, false, 1, ColumnKind::kSmallint, 0, Fetch::kShort},
      {SQL_SMALLINT, 5, 0, true, 1, ColumnKind::kWord, 0, Fetch::kWord},
      {SQL_INTEGER, 10, 0, false, 1, ColumnKind::kInteger, 0, Fetch::kLong},
      {SQL_INTEGER, 10, 0, true, 1, ColumnKind::kInteger, 0, Fetch::kUnsignedLong},
      {SQL_BIGINT, 19, 0, false, 1, ColumnKind::kFloat, 0, Fetch::kDouble},
      {SQL_REAL, 7, 0, false, 1, ColumnKind::kFloat, 0, Fetch::kDouble},
      {SQL_FLOAT, 15, 0, false, 1, ColumnKind::kFloat, 0, Fetch::kDouble},
      {SQL_DOUBLE, 15, 0, false, 1, ColumnKind::kFloat, 0, Fetch::kDouble},
      {SQL_DECIMAL, 10, 2, false, 1, ColumnKind::kBcd, 2, Fetch::kDecimal},
      {SQL_NUMERIC, 64, 32, false, 1, ColumnKind::kBcd, 32, Fetch::kDecimal},
      {SQL_NUMERIC, 60, 33, false, 1, ColumnKind::kFloat, 0, Fetch::kDouble},
      {SQL_BIT, 1, 0, false, 1, ColumnKind::kBoolean, 0, Fetch::kBit},
      {16, 1, 0, false, 1, ColumnKind::kBoolean, 0, Fetch::kBit},
      {SQL_TYPE_DATE, 10, 0, false, 1, ColumnKind::kDate, 0, Fetch::kDate},
      {SQL_TYPE_TIME, 8, 0, false, 1, ColumnKind::kTime, 0, Fetch::kTime},
      {SQL_TYPE_TIMESTAMP, 26, 6, false, 1, ColumnKind::kDateTime, 0, Fetch::kTimestamp},
      {SQL_BINARY, 16, 0, false, 1, ColumnKind::kBytes, 16, Fetch::kBinary},
      {SQL_VARBINARY, 100, 0, false, 1, ColumnKind::kVarBytes, 100, Fetch::kBinary},
      {SQL_VARBINARY, 70000, 0, false, 1, ColumnKind::kBlob, 0, Fetch::kLongBinary},
      {SQL_LONGVARBINARY, 100, 0, false, 1, ColumnKind::kBlob, 0, Fetch::kLongBinary},
      {SQL_GUID, 36, 0, false, 1, ColumnKind::kUnknown, 0, Fetch::kText},
      {SQL_INTERVAL_DAY_TO_SECOND, 20, 0, false, 1, ColumnKind::kUnknown, 0, Fetch::kText},
  };
  for (const auto& c : cases) {
    ColumnDescription d;
    d.name = "c";
    d.sqlType = c.sqlType;
    d.size = c.size;
    d.decimalDigits = c.digits;
    d.isUnsigned = c.isUnsigned;
    const auto plan = PlanColumn(d, 3, c.maxBytesPerChar);
    if (c.type == ColumnKind::kUnknown) {
      EXPECT_FALSE(plan) << c.sqlType;
      continue;
    }
    ASSERT_TRUE(plan) << c.sqlType;
    EXPECT_EQ(plan->field.type, c.type) << c.sqlType << " " << c.size;
    EXPECT_EQ(plan->field.size, c.fieldSize) << c.sqlType << " " << c.size;
    EXPECT_EQ(plan->fetch, c.fetch) << c.sqlType << " " << c.size;
    EXPECT_EQ(plan->number, 3);
    EXPECT_EQ(IsWholeValueFetch(plan->fetch), plan->bufferBytes == 0) << c.sqlType;
  }
}

}  // namespace
}  // namespace merivan::engine::odbc
