#include "merivan/platform/engine/odbc/odbc_handles.h"

#include <sqlext.h>
#include <sqlucode.h>

#include "merivan/platform/engine/odbc/odbc_error.h"
#include "merivan/platform/locale/wide_text.h"

namespace merivan::engine::odbc {

namespace {

SQLHANDLE Allocate(SQLSMALLINT type, SQLHANDLE parent, SQLSMALLINT parentType, const std::string& dataSource) {
  SQLHANDLE handle = SQL_NULL_HANDLE;
  const SQLRETURN rc = SQLAllocHandle(type, parent, &handle);
  if (!SQL_SUCCEEDED(rc)) ThrowCallFailure(parentType, parent, dataSource, "Cannot allocate an ODBC handle");
  return handle;
}

}  // namespace

Handle::~Handle() {
  if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
}

Environment::Environment(const std::string& dataSource)
    : Handle(SQL_HANDLE_ENV, Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE, SQL_HANDLE_ENV, dataSource)) {
  Check(SQLSetEnvAttr(handle_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0), type_,
        handle_, dataSource, "Cannot set the ODBC version");
}

Connection::Connection(const Environment& env, const std::string& dataSource)
    : Handle(SQL_HANDLE_DBC, Allocate(SQL_HANDLE_DBC, env.get(), SQL_HANDLE_ENV, dataSource)),
      dataSource_(dataSource) {}

Connection::~Connection() {
  if (connected_) SQLDisconnect(handle_);
}

void Connection::Connect(std::string_view connectionString) {
  // Reserved to its final size, so no copy of the password is left behind.
  std::u16string wide = platform::Utf8ToUtf16(connectionString);
  SQLWCHAR out[1024];
  SQLSMALLINT outLength = 0;
  const SQLRETURN rc = SQLDriverConnectW(handle_, nullptr, reinterpret_cast<SQLWCHAR*>(wide.data()),
                                         static_cast<SQLSMALLINT>(wide.size()), out, 1024, &outLength,
                                         SQL_DRIVER_NOPROMPT);
  // The completed string may repeat the password: wipe both copies.
  for (char16_t& c : wide) reinterpret_cast<volatile char16_t&>(c) = 0;
  for (SQLWCHAR& c : out) reinterpret_cast<volatile SQLWCHAR&>(c) = 0;
  if (!SQL_SUCCEEDED(rc)) ThrowCallFailure(type_, handle_, dataSource_, "Cannot connect to the data source");
  connected_ = true;
}

Statement::Statement(const Connection& connection, const std::string& dataSource)
    : Handle(SQL_HANDLE_STMT, Allocate(SQL_HANDLE_STMT, connection.get(), SQL_HANDLE_DBC, dataSource)) {}

}  // namespace merivan::engine::odbc
