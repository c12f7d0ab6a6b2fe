#include "corvane/enumeration.h"

#include <cstring>

#include "corvane/odbc_environment.h"

namespace corvane {

bool fetchNext(EnumerationCall call, SQLHENV environment, EnumerationEntry& entry) {
  SQLSMALLINT firstLength = 0;
  SQLSMALLINT secondLength = 0;
  const SQLRETURN result =
      call(environment, SQL_FETCH_NEXT, reinterpret_cast<SQLCHAR*>(entry.first), SQLSMALLINT{kTextSize},
           &firstLength, reinterpret_cast<SQLCHAR*>(entry.second), SQLSMALLINT{kTextSize}, &secondLength);
  if (!succeeded(result)) return false;
  // A driver manager that fills the buffer to its end leaves no NUL; the
  // texts are read up to their NUL, so make sure there is one.
  entry.first[kTextSize - 1] = '\0';
  entry.second[kTextSize - 1] = '\0';
  return true;
}

bool sameName(const char* reported, const char* wanted) { return std::strcmp(reported, wanted) == 0; }

}  // namespace corvane
