#pragma once
// Failures of ODBC calls as engine errors: the driver's diagnostic texts,
// the first one and then each further distinct one, joined by CR LF, and
// the data source they happened in.
#include <sql.h>

#include <string>

namespace merivan::engine::odbc {

// The diagnostic records of `handle`, in the ANSI code page, as described above.
std::string DiagnosticText(SQLSMALLINT handleType, SQLHANDLE handle);

// The SQLSTATE of the first diagnostic record of `handle`; empty when there is none.
std::string FirstSqlState(SQLSMALLINT handleType, SQLHANDLE handle);

// An engine error with `message` (ANSI bytes) as its text.
[[noreturn]] void ThrowOdbcError(const std::string& message);

// An engine error for a failed call on `handle` in data source `dataSource`
// (UTF-8): the diagnostics, else `fallback`, then the data source's name.
[[noreturn]] void ThrowCallFailure(SQLSMALLINT handleType, SQLHANDLE handle, const std::string& dataSource,
                                   const std::string& fallback);

// Throws ThrowCallFailure unless `rc` is SQL_SUCCESS or SQL_SUCCESS_WITH_INFO.
inline void Check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const std::string& dataSource,
                  const char* what) {
  if (!SQL_SUCCEEDED(rc)) ThrowCallFailure(handleType, handle, dataSource, what);
}

// Text of the data source line ending every ODBC failure: "\r\nData source: NAME".
std::string DataSourceLine(const std::string& dataSource);

}  // namespace merivan::engine::odbc
