#include "corvane/environment_frame.h"

#include "corvane/java_contract.h"
#include "corvane/messages.h"

namespace corvane {

EnvironmentFrame::EnvironmentFrame(JNIEnv* env) : env_(env) {
  if (!odbc_.allocated()) throwError(env_, kCouldNotAllocate);
}

bool EnvironmentFrame::close() {
  if (odbc_.free()) return true;
  throwError(env_, kCouldNotFree);
  return false;
}

}  // namespace corvane
