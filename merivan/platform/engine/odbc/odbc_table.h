#pragma once
// One table of an ODBC data source, read forward through unixODBC.
#include <memory>
#include <optional>
#include <string>

#include "merivan/platform/engine/table_driver.h"

namespace merivan::engine::odbc {

// The user and password of a login; the password's bytes are wiped when it goes.
struct Login {
  std::string user;
  std::string password;
  Login() = default;
  Login(std::string u, std::string p) : user(std::move(u)), password(std::move(p)) {}
  Login(const Login&) = delete;
  Login& operator=(const Login&) = delete;
  Login(Login&&) = default;
  Login& operator=(Login&&) = default;
  ~Login();
};

// Seconds a data source may take to accept the login, and one statement to answer.
constexpr long kLoginTimeoutSeconds = 20;
constexpr long kQueryTimeoutSeconds = 120;

// Opens table `tableName` of data source `dataSource` (both UTF-8) with
// "DSN=NAME;" and, when `login` is given, its user and password. Counts
// the records first, then reads them in blocks of rows. Fails with an
// engine error: "Unknown database alias: NAME" when no odbc.ini defines the
// data source, the driver's diagnostics otherwise.
std::unique_ptr<TableDriver> OpenOdbcTable(const std::string& dataSource, const std::string& tableName,
                                           const std::optional<Login>& login);

// Whether `name` can be a data source name: no character that would change
// the meaning of the connection string.
bool IsDataSourceName(const std::string& name);

}  // namespace merivan::engine::odbc
