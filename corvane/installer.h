#pragma once

#include <sql.h>

#include <vector>

#include "corvane/attributes.h"

// The ODBC installer, bound from libodbcinst.so.2 when first needed.
namespace corvane {

using ConfigDataSourceFunction = BOOL (*)(HWND, WORD, LPCSTR, LPCSTR);

// Binds a function of an installer library by name; null when the library or
// the function cannot be found.
void* bindInstallerSymbol(const char* library, const char* function);
template <typename Function>
Function bindInstallerFunction(const char* library, const char* function) {
  return reinterpret_cast<Function>(bindInstallerSymbol(library, function));
}

// One request through `configure`, true when it returns TRUE; a request that
// could not be bound (null) counts as one that returned FALSE.
bool configDataSource(ConfigDataSourceFunction configure, WORD request, const char* driver, const char* attributes);

// Adds the user data source `name` of `driver`: SQLConfigDataSource with
// ODBC_ADD_DSN and the attribute string first; when that fails only because
// the driver has no usable setup library (none named, none loadable, or one
// without ConfigDSN), the installer's own SQLWriteDSNToIni and
// SQLWritePrivateProfileString write the section with its Driver key and
// every pair of `pairs`. A name or pair the ini file cannot hold as one line
// (a pair without "=", an empty key, a key in brackets, a line break) fails
// that writing before anything is written. True on success.
bool addDataSource(const char* driver, const char* name, const AttributeString& attributes,
                   const std::vector<AttributePair>& pairs);

// Removes it the same way: SQLConfigDataSource with ODBC_REMOVE_DSN, else
// SQLRemoveDSNFromIni for a driver without a usable setup library.
bool removeDataSource(const char* driver, const char* name, const AttributeString& attributes);

}  // namespace corvane
