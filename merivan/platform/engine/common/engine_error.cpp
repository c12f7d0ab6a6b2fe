#include "merivan/platform/engine/common/engine_error.h"

namespace merivan::engine {

EngineError::EngineError(const std::string& message, const std::string& file, FailureKind kind)
    : std::runtime_error(message + "\r\nFile: " + file), message_(message), file_(file), kind_(kind) {}

EngineError::EngineError(const std::string& text) : std::runtime_error(text), message_(text) {}

void ThrowEngineError(const std::string& what, const std::string& path) { throw EngineError(what, path); }

void ThrowPasswordFailure(bool noneGiven, const std::string& path) {
  if (noneGiven)
    throw EngineError("The table is password-protected and no password was given.", path,
                      FailureKind::kPasswordRequired);
  throw EngineError("The table is password-protected and the password given is wrong.", path,
                    FailureKind::kWrongPassword);
}

void ThrowNoSuchField() { throw MisuseError("No current record or no such field"); }

}  // namespace merivan::engine
