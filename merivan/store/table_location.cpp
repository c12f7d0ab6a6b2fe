#include "merivan/store/table_location.h"

#include <sys/stat.h>

#include <filesystem>

#include "merivan/exceptions.h"
#include "merivan/platform/engine/dbase/dbase_table.h"
#include "merivan/platform/engine/paradox/paradox_table.h"
#include "merivan/platform/engine/text/text_table.h"
#include "merivan/platform/files/find_file.h"
#include "merivan/platform/locale/ascii_text.h"

namespace merivan {

namespace {

std::string Extension(const std::string& tableName) { return std::filesystem::path(tableName).extension(); }

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

TableDriverKind DriverForTableName(const std::string& tableName) {
  const std::string ext = Extension(tableName);
  if (platform::EqualsIgnoringAsciiCase(ext, ".DBF")) return TableDriverKind::kDbase;
  if (platform::EqualsIgnoringAsciiCase(ext, ".TXT")) return TableDriverKind::kText;
  return TableDriverKind::kParadox;
}

bool IsDirectoryName(const std::string& databaseName) {
  return databaseName.empty() || databaseName.find_first_of("/:\\") != std::string::npos;
}

std::string LocateTableFile(const std::string& databaseName, const std::string& tableName) {
  if (!IsDirectoryName(databaseName)) {
    throw EDBEngineError("Unknown database alias: " + databaseName +
                         "\r\nDatabase aliases are not available; give the database as a directory path, "
                         "for example ./" + databaseName);
  }
  // A table name with a directory part is looked up there: an absolute one
  // on its own, a relative one inside the database directory.
  const std::string database = databaseName.empty() ? "." : databaseName;
  const std::filesystem::path table(tableName);
  std::string directory = database;
  if (table.has_parent_path()) {
    const std::string part = table.parent_path();
    directory = table.is_absolute() ? part : database + "/" + part;
  }
  std::string file = table.filename();
  if (!IsDirectory(directory)) throw EDBEngineError("Directory does not exist.\r\nDirectory: " + directory);
  if (file.empty()) throw EDBEngineError("Table does not exist.\r\nTable: " + directory + "/");
  if (Extension(file).empty()) file += ".DB";  // no extension: a Paradox table
  const auto found = platform::FindFileIgnoringCase(directory, file);
  if (!found || IsDirectory(*found)) throw EDBEngineError("Table does not exist.\r\nTable: " + directory + "/" + file);
  return *found;
}

std::unique_ptr<engine::TableDriver> OpenTableDriver(const std::string& databaseName, const std::string& tableName) {
  const std::string path = LocateTableFile(databaseName, tableName);
  switch (DriverForTableName(tableName)) {
    case TableDriverKind::kDbase: return engine::OpenDbaseTable(path);
    case TableDriverKind::kText: return engine::OpenTextTable(path);
    case TableDriverKind::kParadox: break;
  }
  return engine::OpenParadoxTable(path);
}

}  // namespace merivan
