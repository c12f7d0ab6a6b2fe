#pragma once
#include <memory>
#include <string>

#include "merivan/platform/engine/table_driver.h"

namespace merivan::engine {

// Opens the dBASE or FoxPro table file at `path` (an existing file, found by the
// caller) for reading; fails with EngineError naming the file.
std::unique_ptr<TableDriver> OpenDbaseTable(const std::string& path);

}  // namespace merivan::engine
