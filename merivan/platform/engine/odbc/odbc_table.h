#pragma once
// One table of an ODBC data source, read forward through unixODBC.
#include <memory>
#include <optional>
#include <string>

#include "merivan/platform/engine/table_driver.h"
#include "merivan/platform/window/secret_text.h"

namespace merivan::engine::odbc {

// The user and password (UTF-8) of a login.
struct Login {
  std::string user;
  platform::SecretText password;
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

// The user to ask a password for before connecting to `dataSource`: the
// one its odbc.ini section names (UID, User, UserName, "USER NAME", any
// case) when the section holds no password; nullopt when there is nothing
// to ask. Fails as OpenOdbcTable for an unknown data source or one without
// a driver.
std::optional<std::string> UserToAskFor(const std::string& dataSource);

// Whether `name` can be a data source name: no character that would change
// the meaning of the connection string.
bool IsDataSourceName(const std::string& name);

}  // namespace merivan::engine::odbc
