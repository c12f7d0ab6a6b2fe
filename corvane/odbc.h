#pragma once

#include <jni.h>
#include <sql.h>

#include <cstddef>

// The driver manager side: the environment every method runs in, the
// enumerations, and the listings and lookups built on them.
namespace corvane {

// True for SQL_SUCCESS and SQL_SUCCESS_WITH_INFO, the two results that count
// as success for every driver manager call the library makes.
inline bool succeeded(SQLRETURN result) { return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO; }

// --- The environment ---
// One ODBC environment handle from SQLAllocEnv, with its two failures raised
// to the host by their fixed messages, so callers only return their failure
// value.
class OdbcEnvironment {
 public:
  // A failure raises "Could not allocate ODBC environmental handle!".
  explicit OdbcEnvironment(JNIEnv* env);
  // A handle still held (an early return) is freed without looking at the result.
  ~OdbcEnvironment();
  OdbcEnvironment(const OdbcEnvironment&) = delete;
  OdbcEnvironment& operator=(const OdbcEnvironment&) = delete;

  bool open() const { return held_; }
  SQLHENV handle() const { return handle_; }
  // SQLFreeEnv; false once "Could not free ODBC environmental handle!" is
  // raised. The handle is given up either way.
  bool close();

 private:
  JNIEnv* env_;
  SQLHENV handle_ = SQL_NULL_HENV;
  bool held_;
};

// --- Enumerations ---
// SQLDataSources and SQLDrivers share this signature.
using EnumerationCall = SQLRETURN (*)(SQLHENV, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*, SQLCHAR*, SQLSMALLINT,
                                      SQLSMALLINT*);

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

// --- Listings and lookups for the host; null on failure, an exception pending ---
// Every data source with its driver, and every driver with its attribute map,
// in the driver manager's order. Each enumeration is made once per call; a
// data source's driver is the first driver whose name equals its driver's
// name byte for byte (strcmp), or null when none does.
jobjectArray listDataSources(JNIEnv* env);
jobjectArray listDrivers(JNIEnv* env);

// The first data source whose name equals `name` byte for byte, as a new
// DataSource with its driver; null when none matches, raising nothing.
jobject findDataSource(JNIEnv* env, const char* name);

}  // namespace corvane
