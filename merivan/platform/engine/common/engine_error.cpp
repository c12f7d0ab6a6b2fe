#include "merivan/platform/engine/common/engine_error.h"

namespace merivan::engine {

EngineError::EngineError(const std::string& message, const std::string& file)
    : std::runtime_error(message + "\r\nFile: " + file), message_(message), file_(file) {}

void ThrowEngineError(const std::string& what, const std::string& path) { throw EngineError(what, path); }

void ThrowNoSuchField() { throw MisuseError("No current record or no such field"); }

}  // namespace merivan::engine
