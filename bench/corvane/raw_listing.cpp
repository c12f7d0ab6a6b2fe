#include "bench/corvane/raw_listing.h"

#include <sql.h>
#include <sqlext.h>

#include "corvane/enumeration.h"
#include "corvane/odbc_environment.h"

namespace corvane_bench {
namespace {

using corvane::EnumerationEntry;
using corvane::fetchNext;
using corvane::OdbcEnvironment;

bool findDriver(const char* name) {
  OdbcEnvironment odbc;
  if (!odbc.allocated()) return false;
  EnumerationEntry entry;
  bool found = false;
  while (!found && fetchNext(&SQLDrivers, odbc.handle(), entry)) found = corvane::sameName(entry.first, name);
  return found;
}

}  // namespace

int rawListDataSources() {
  OdbcEnvironment odbc;
  if (!odbc.allocated()) return -1;
  EnumerationEntry entry;
  int count = 0;
  while (fetchNext(&SQLDataSources, odbc.handle(), entry)) ++count;
  int withDriver = 0;
  for (int index = 0; index < count && fetchNext(&SQLDataSources, odbc.handle(), entry); ++index) {
    if (findDriver(entry.second)) ++withDriver;
  }
  return withDriver;
}

}  // namespace corvane_bench
