#pragma once

#include <sql.h>

namespace corvane {

// True for SQL_SUCCESS and SQL_SUCCESS_WITH_INFO, the two results that count
// as success for every driver manager call the library makes.
inline bool succeeded(SQLRETURN result) {
  return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO;
}

// One ODBC environment handle, allocated with SQLAllocEnv. Callers free it
// with free() to learn the result; a handle still held on scope exit (an
// early return) is freed without looking at the result.
class OdbcEnvironment {
 public:
  OdbcEnvironment();
  ~OdbcEnvironment();
  OdbcEnvironment(const OdbcEnvironment&) = delete;
  OdbcEnvironment& operator=(const OdbcEnvironment&) = delete;

  bool allocated() const { return held_; }
  SQLHENV handle() const { return handle_; }
  // SQLFreeEnv; true on success. The handle is given up either way.
  bool free();

 private:
  SQLHENV handle_ = SQL_NULL_HENV;
  bool held_;
};

}  // namespace corvane
