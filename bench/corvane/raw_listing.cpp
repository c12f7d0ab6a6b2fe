#include "bench/corvane/raw_listing.h"

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

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

std::vector<EnumerationEntry> fetchAll(corvane::EnumerationCall call) {
  std::vector<EnumerationEntry> entries;
  const Environment odbc = allocate();
  if (!odbc) return entries;
  EnumerationEntry entry;
  while (fetchNext(call, odbc.get(), entry)) entries.push_back(entry);
  return entries;
}

}  // namespace

int rawListDataSources() {
  const std::vector<EnumerationEntry> dataSources = fetchAll(&SQLDataSources);
  const std::vector<EnumerationEntry> drivers = fetchAll(&SQLDrivers);
  int withDriver = 0;
  for (const EnumerationEntry& dataSource : dataSources) {
    for (const EnumerationEntry& driver : drivers) {
      if (std::strcmp(driver.first, dataSource.second) == 0) {
        ++withDriver;
        break;
      }
    }
  }
  return withDriver;
}

}  // namespace corvane_bench
