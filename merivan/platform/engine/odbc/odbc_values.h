#pragma once
// One fetched ODBC value into the data area of its field.
#include <sql.h>

#include <cstdint>

#include "merivan/platform/engine/odbc/odbc_columns.h"
#include "merivan/platform/locale/wide_text.h"

namespace merivan::engine::odbc {

// `value` holds what the driver wrote for one row of a fixed-buffer column
// (plan.bufferBytes) and `indicator` its length indicator. False for NULL
// (and for dates and times no calendar day has); otherwise `area` is
// filled in the form of plan.field.type. Text is encoded with `ansi`.
bool StoreValue(const ColumnPlan& plan, const uint8_t* value, SQLLEN indicator,
                const platform::Utf16Encoder& ansi, uint8_t* area);

}  // namespace merivan::engine::odbc
