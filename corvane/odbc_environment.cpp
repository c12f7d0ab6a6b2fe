#include "corvane/odbc_environment.h"

namespace corvane {

OdbcEnvironment::OdbcEnvironment() : held_(succeeded(SQLAllocEnv(&handle_))) {}

OdbcEnvironment::~OdbcEnvironment() {
  if (held_) SQLFreeEnv(handle_);
}

bool OdbcEnvironment::free() {
  held_ = false;
  return succeeded(SQLFreeEnv(handle_));
}

}  // namespace corvane
