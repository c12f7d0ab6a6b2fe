// LD_PRELOAD library that puts faults into the driver manager calls that the
// real unixODBC cannot be made to fail: SQLAllocEnv, SQLFreeEnv and the
// SQLDataSources / SQLDrivers enumerations. Rules come from fault_rules.h.
// It also holds every enumeration call to the arguments libcorvane must pass.
// The real functions are found on a dlopen handle of libodbc.so.2, since
// RTLD_NEXT does not reach them from inside the JVM.
#include <dlfcn.h>
#include <sql.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fault_rules.h"

namespace {

using corvane_faults::Fault;
using corvane_faults::nextFault;
using Enumeration = SQLRETURN (*)(SQLHENV, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*, SQLCHAR*,
                                  SQLSMALLINT, SQLSMALLINT*);

template <typename Function>
Function real(const char* name) {
  static void* const odbc = dlopen("libodbc.so.2", RTLD_NOW | RTLD_GLOBAL);
  return odbc == nullptr ? nullptr : reinterpret_cast<Function>(dlsym(odbc, name));
}

bool succeeded(SQLRETURN result) { return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO; }

// SQL_SUCCESS_WITH_INFO in place of a real success; other results replace
// the call's outcome.
SQLRETURN withInfo(SQLRETURN result) { return result == SQL_SUCCESS ? SQL_SUCCESS_WITH_INFO : result; }

// libcorvane asks for every entry with SQL_FETCH_NEXT into two 1024-byte
// buffers, each with its length cell; any other call is a fault in the
// library, and the run stops loudly rather than let the driver manager cope.
void checkCall(const char* name, SQLUSMALLINT direction, SQLSMALLINT firstSize, const SQLSMALLINT* firstLength,
               SQLSMALLINT secondSize, const SQLSMALLINT* secondLength) {
  if (direction == SQL_FETCH_NEXT && firstSize == 1024 && secondSize == 1024 && firstLength != nullptr &&
      secondLength != nullptr) {
    return;
  }
  std::fprintf(stderr, "corvane_odbc_faults: %s called with direction %u, buffer sizes %d and %d, length cells %s\n",
               name, static_cast<unsigned>(direction), firstSize, secondSize,
               firstLength != nullptr && secondLength != nullptr ? "given" : "missing");
  std::abort();
}

SQLRETURN enumerate(const char* name, SQLHENV environment, SQLUSMALLINT direction, SQLCHAR* first,
                    SQLSMALLINT firstSize, SQLSMALLINT* firstLength, SQLCHAR* second, SQLSMALLINT secondSize,
                    SQLSMALLINT* secondLength) {
  static_assert(sizeof(SQLCHAR) == 1);
  checkCall(name, direction, firstSize, firstLength, secondSize, secondLength);
  const Enumeration call = real<Enumeration>(name);
  const Fault fault = nextFault(name);
  const auto callReal = [&] {
    return call(environment, direction, first, firstSize, firstLength, second, secondSize, secondLength);
  };
  if (!fault.active) return callReal();
  if (fault.result == SQL_SUCCESS_WITH_INFO) return withInfo(callReal());
  if (!succeeded(fault.result)) {
    // Run the real enumeration to its end, so that the next call starts it
    // again as it would after a real end or error.
    while (succeeded(callReal())) {
    }
    return static_cast<SQLRETURN>(fault.result);
  }
  const SQLRETURN result = callReal();
  if (succeeded(result) && !fault.list.empty() && secondSize > 0) {
    const size_t size = std::min(fault.list.size(), static_cast<size_t>(secondSize));
    for (size_t i = 0; i < size; ++i) second[i] = fault.list[i] == '|' ? '\0' : fault.list[i];
    if (size < static_cast<size_t>(secondSize)) second[size] = '\0';
  }
  return succeeded(result) ? static_cast<SQLRETURN>(fault.result) : result;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) SQLRETURN SQLAllocEnv(SQLHENV* environment) {
  const auto call = real<SQLRETURN (*)(SQLHENV*)>("SQLAllocEnv");
  const Fault fault = nextFault("SQLAllocEnv");
  if (!fault.active) return call(environment);
  if (fault.result == SQL_SUCCESS_WITH_INFO) return withInfo(call(environment));
  *environment = SQL_NULL_HENV;
  return static_cast<SQLRETURN>(fault.result);
}

__attribute__((visibility("default"))) SQLRETURN SQLFreeEnv(SQLHENV environment) {
  const auto call = real<SQLRETURN (*)(SQLHENV)>("SQLFreeEnv");
  const Fault fault = nextFault("SQLFreeEnv");
  // The handle is really freed even when a failure is reported, so tests leak nothing.
  const SQLRETURN result = call(environment);
  if (!fault.active) return result;
  return fault.result == SQL_SUCCESS_WITH_INFO ? withInfo(result) : static_cast<SQLRETURN>(fault.result);
}

__attribute__((visibility("default"))) SQLRETURN SQLDataSources(SQLHENV environment, SQLUSMALLINT direction,
                                                                SQLCHAR* name, SQLSMALLINT nameSize,
                                                                SQLSMALLINT* nameLength, SQLCHAR* description,
                                                                SQLSMALLINT descriptionSize,
                                                                SQLSMALLINT* descriptionLength) {
  return enumerate("SQLDataSources", environment, direction, name, nameSize, nameLength, description,
                   descriptionSize, descriptionLength);
}

__attribute__((visibility("default"))) SQLRETURN SQLDrivers(SQLHENV environment, SQLUSMALLINT direction,
                                                            SQLCHAR* description, SQLSMALLINT descriptionSize,
                                                            SQLSMALLINT* descriptionLength, SQLCHAR* attributes,
                                                            SQLSMALLINT attributesSize,
                                                            SQLSMALLINT* attributesLength) {
  return enumerate("SQLDrivers", environment, direction, description, descriptionSize, descriptionLength,
                   attributes, attributesSize, attributesLength);
}

}  // extern "C"
