#pragma once
// Engine failures of the Paradox reader: the message says what is wrong,
// then names the file on a line of its own.
#include <string>

namespace merivan::engine::paradox {

[[noreturn]] void ThrowEngineError(const std::string& what, const std::string& path);

}  // namespace merivan::engine::paradox
