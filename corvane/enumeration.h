#pragma once

#include <sql.h>

#include <cstddef>

namespace corvane {

// SQLDataSources and SQLDrivers share this signature.
using EnumerationCall = SQLRETURN (*)(SQLHENV, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*, SQLCHAR*,
                                      SQLSMALLINT, SQLSMALLINT*);

inline constexpr std::size_t kTextSize = 1024;

// The two texts of one enumerated entry: a data source's name and the name of
// its driver, or a driver's name and its attribute list.
struct EnumerationEntry {
  char first[kTextSize];
  char second[kTextSize];
};

// One SQL_FETCH_NEXT call into the entry's buffers; false on SQL_NO_DATA or
// any error, which ends the enumeration. After a success both texts end by a
// NUL inside their buffers.
bool fetchNext(EnumerationCall call, SQLHENV environment, EnumerationEntry& entry);

// The byte-exact name comparison of the lookups: letter case and length count.
bool sameName(const char* reported, const char* wanted);

}  // namespace corvane
