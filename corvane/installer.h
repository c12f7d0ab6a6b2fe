#pragma once

#include <sql.h>

namespace corvane {

using ConfigDataSourceFunction = BOOL (*)(HWND, WORD, LPCSTR, LPCSTR);

// Binds a function of the ODBC installer by name; null when the library or
// the function cannot be found.
ConfigDataSourceFunction bindInstallerFunction(const char* library, const char* function);

// SQLConfigDataSource of "libodbcinst.so.2", bound on first use; a request
// that cannot be bound counts as one that returned FALSE.
bool configDataSource(WORD request, const char* driver, const char* attributes);

}  // namespace corvane
