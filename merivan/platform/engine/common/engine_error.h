#pragma once
// Engine failures of the table readers: the message says what is wrong,
// then names the file on a line of its own.
#include <string>

namespace merivan::engine {

[[noreturn]] void ThrowEngineError(const std::string& what, const std::string& path);

}  // namespace merivan::engine
