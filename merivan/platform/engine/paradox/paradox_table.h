#pragma once
#include <memory>
#include <string>

#include "merivan/platform/engine/table_driver.h"

namespace merivan::engine {

// Opens the Paradox table file at `path` (an existing file, found by the
// caller) for reading; fails with EngineError naming the file.
std::unique_ptr<TableDriver> OpenParadoxTable(const std::string& path);

}  // namespace merivan::engine
