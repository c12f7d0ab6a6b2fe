#pragma once
// Engine failures of the table readers: the message says what is wrong,
// then names the file on a line of its own.
#include <string>

namespace merivan::engine {

[[noreturn]] void ThrowEngineError(const std::string& what, const std::string& path);

// A protected table that no password given opens: `noneGiven` when there
// was none to try, otherwise the ones given were wrong.
[[noreturn]] void ThrowPasswordFailure(bool noneGiven, const std::string& path);

}  // namespace merivan::engine
