#include "merivan/platform/engine/common/engine_error.h"

#include "merivan/exceptions.h"

namespace merivan::engine {

void ThrowEngineError(const std::string& what, const std::string& path) {
  throw EDBEngineError(what + "\r\nFile: " + path);
}

}  // namespace merivan::engine
