#include "merivan/platform/engine/text/text_table.h"

#include "merivan/exceptions.h"

namespace merivan::engine {

// TEMPORARY until the reader lands.
std::unique_ptr<TableDriver> OpenTextTable(const std::string& path) {
  throw EDBEngineError("Text tables are not supported yet.\r\nFile: " + path);
}

}  // namespace merivan::engine
