#include "merivan/platform/engine/paradox/paradox_table.h"

#include "merivan/exceptions.h"

namespace merivan::engine {

// TEMPORARY until the reader lands.
std::unique_ptr<TableDriver> OpenParadoxTable(const std::string& path) {
  throw EDBEngineError("Paradox tables are not supported yet.\r\nFile: " + path);
}

}  // namespace merivan::engine
