#pragma once

#include <sql.h>

namespace corvane {

using ConfigDataSourceFunction = BOOL (*)(HWND, WORD, LPCSTR, LPCSTR);

// Binds a function of the ODBC installer by name; null when the library or
// the function cannot be found.
ConfigDataSourceFunction bindInstallerFunction(const char* library, const char* function);

// One request through `configure`, true when it returns TRUE; a request that
// could not be bound (null) counts as one that returned FALSE.
bool configDataSource(ConfigDataSourceFunction configure, WORD request, const char* driver, const char* attributes);

// The same through SQLConfigDataSource of "libodbcinst.so.2", bound on first
// use; requests from several threads are made one after the other.
bool configDataSource(WORD request, const char* driver, const char* attributes);

}  // namespace corvane
