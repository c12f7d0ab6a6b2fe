#include "merivan/platform/engine/paradox/engine_error.h"

#include "merivan/exceptions.h"

namespace merivan::engine::paradox {

void ThrowEngineError(const std::string& what, const std::string& path) {
  throw EDBEngineError(what + "\r\nFile: " + path);
}

}  // namespace merivan::engine::paradox
