#pragma once
#include <memory>
#include <string>

#include "merivan/platform/engine/table_driver.h"

namespace merivan::engine {

// Opens the Paradox table file at `path` (an existing file, found by the
// caller) for reading; fails with EngineError naming the file. A protected
// table opens with the first of `passwords` that is its password, and fails
// with a password failure (engine_error.h) when none is.
std::unique_ptr<TableDriver> OpenParadoxTable(const std::string& path, const Passwords& passwords = {});

}  // namespace merivan::engine
