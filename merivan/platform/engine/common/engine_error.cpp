#include "merivan/platform/engine/common/engine_error.h"

#include "merivan/exceptions.h"

namespace merivan::engine {

void ThrowEngineError(const std::string& what, const std::string& path) {
  throw EDBEngineError(what + "\r\nFile: " + path);
}

void ThrowPasswordFailure(bool noneGiven, const std::string& path) {
  ThrowEngineError(noneGiven ? "The table is password-protected and no password was given."
                             : "The table is password-protected and the password given is wrong.",
                   path);
}

}  // namespace merivan::engine
