#pragma once
// Where a table lives and which driver reads it, from the table component's
// DatabaseName and TableName.
#include <memory>
#include <string>

#include "merivan/platform/engine/table_driver.h"
#include "merivan/platform/window/window_system.h"

namespace merivan {

enum class TableDriverKind { kParadox, kDbase, kText };

// ".DBF" (ignoring case) is dBASE, ".TXT" text, anything else Paradox.
TableDriverKind DriverForTableName(const std::string& tableName);

// A DatabaseName naming a directory: empty, or holding "/", ":" or "\".
bool IsDirectoryName(const std::string& databaseName);

// The table file for the two names, found ignoring case. Fails with
// EDBEngineError for an alias (it has no file), a missing directory or a
// missing table file.
// A Paradox table name without extension means the ".DB" file.
std::string LocateTableFile(const std::string& databaseName, const std::string& tableName);

// Opens the located file with its driver, a protected (Paradox) table with
// the first of `passwords` that is its own; or for an alias the table of the
// ODBC data source of that name. A data source whose section names a user
// and no password gets its login asked through `loginPrompts` first (when
// it can ask; otherwise, or without prompts, the database decides); a
// cancelled login fails with EDatabaseError "Cannot connect to database 'NAME'".
std::unique_ptr<engine::TableDriver> OpenTableDriver(const std::string& databaseName, const std::string& tableName,
                                                     const engine::Passwords& passwords,
                                                     platform::WindowSystem* loginPrompts = nullptr);

}  // namespace merivan
