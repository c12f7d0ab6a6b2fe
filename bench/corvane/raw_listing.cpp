#include "bench/corvane/raw_listing.h"

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <memory>
#include <type_traits>

#include "corvane/odbc.h"

namespace corvane_bench {
namespace {

using corvane::EnumerationEntry;
using corvane::fetchNext;

// An environment handle without a JVM to raise its failures to.
using Environment = std::unique_ptr<std::remove_pointer_t<SQLHENV>, decltype(&SQLFreeEnv)>;

Environment allocate() {
  SQLHENV handle = SQL_NULL_HENV;
  const bool allocated = corvane::succeeded(SQLAllocEnv(&handle));
  return Environment(allocated ? handle : SQL_NULL_HENV, &SQLFreeEnv);
}

bool findDriver(const char* name) {
  const Environment odbc = allocate();
  if (!odbc) return false;
  EnumerationEntry entry;
  bool found = false;
  while (!found && fetchNext(&SQLDrivers, odbc.get(), entry)) found = std::strcmp(entry.first, name) == 0;
  return found;
}

}  // namespace

int rawListDataSources() {
  const Environment odbc = allocate();
  if (!odbc) return -1;
  EnumerationEntry entry;
  int count = 0;
  while (fetchNext(&SQLDataSources, odbc.get(), entry)) ++count;
  int withDriver = 0;
  for (int index = 0; index < count && fetchNext(&SQLDataSources, odbc.get(), entry); ++index) {
    if (findDriver(entry.second)) ++withDriver;
  }
  return withDriver;
}

}  // namespace corvane_bench
