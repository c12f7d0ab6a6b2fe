#include "bench/corvane/raw_listing.h"

#include <sql.h>
#include <sqlext.h>

#include <cstring>

namespace corvane_bench {
namespace {

constexpr SQLSMALLINT kSize = 1024;

bool next(bool drivers, SQLHENV env, char* first, char* second) {
  SQLSMALLINT firstLength = 0;
  SQLSMALLINT secondLength = 0;
  auto* a = reinterpret_cast<SQLCHAR*>(first);
  auto* b = reinterpret_cast<SQLCHAR*>(second);
  const SQLRETURN result = drivers ? SQLDrivers(env, SQL_FETCH_NEXT, a, kSize, &firstLength, b, kSize, &secondLength)
                                   : SQLDataSources(env, SQL_FETCH_NEXT, a, kSize, &firstLength, b, kSize, &secondLength);
  return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO;
}

bool findDriver(const char* name) {
  SQLHENV env = SQL_NULL_HENV;
  if (SQLAllocEnv(&env) != SQL_SUCCESS) return false;
  char description[kSize];
  char attributes[kSize];
  bool found = false;
  while (!found && next(true, env, description, attributes)) found = std::strcmp(description, name) == 0;
  SQLFreeEnv(env);
  return found;
}

}  // namespace

int rawListDataSources() {
  SQLHENV env = SQL_NULL_HENV;
  if (SQLAllocEnv(&env) != SQL_SUCCESS) return -1;
  char name[kSize];
  char description[kSize];
  int count = 0;
  while (next(false, env, name, description)) ++count;
  int withDriver = 0;
  for (int index = 0; index < count && next(false, env, name, description); ++index) {
    if (findDriver(description)) ++withDriver;
  }
  SQLFreeEnv(env);
  return withDriver;
}

}  // namespace corvane_bench
