#pragma once

#include <jni.h>
#include <sql.h>

#include "corvane/odbc_environment.h"

namespace corvane {

// The ODBC environment that every method and lookup routine runs in, with
// the frame's two failures raised to the host by their fixed messages, so
// that callers only return their failure value.
class EnvironmentFrame {
 public:
  // SQLAllocEnv; a failure raises "Could not allocate ODBC environmental handle!".
  explicit EnvironmentFrame(JNIEnv* env);

  bool open() const { return odbc_.allocated(); }
  SQLHENV handle() const { return odbc_.handle(); }
  // SQLFreeEnv; false once "Could not free ODBC environmental handle!" is
  // raised. A frame left without close() (an early return) is freed without
  // looking at the result.
  bool close();

 private:
  JNIEnv* env_;
  OdbcEnvironment odbc_;
};

}  // namespace corvane
