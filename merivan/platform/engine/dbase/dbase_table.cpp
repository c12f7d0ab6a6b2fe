#include "merivan/platform/engine/dbase/dbase_table.h"

#include "merivan/exceptions.h"

namespace merivan::engine {

// TEMPORARY until the reader lands.
std::unique_ptr<TableDriver> OpenDbaseTable(const std::string& path) {
  throw EDBEngineError("Dbase tables are not supported yet.\r\nFile: " + path);
}

}  // namespace merivan::engine
