#pragma once
// The schema (.sch) of a text table: how the .txt file's lines hold the
// columns, and each column's name, type, width and place.
#include <string>
#include <vector>

#include "merivan/platform/engine/data_area.h"

namespace merivan::engine {

struct TextColumn {
  std::string name;  // bytes in the table's character set
  ColumnKind type = ColumnKind::kUnknown;
  int width = 0;
  int decimals = 0;
  int offset = 0;  // FIXED files: first character of the column in the line (0-based)
};

struct TextSchema {
  bool fixed = false;      // FILETYPE = FIXED; otherwise VARYING
  bool ansi = false;       // CHARSET = ANSI; otherwise ascii, the OEM code page
  char delimiter = '"';    // VARYING: quote around character values ('\0': none)
  char separator = ',';    // VARYING: between values
  std::vector<TextColumn> columns;
};

// Parses the schema text; fails with EngineError naming `path`.
TextSchema ParseTextSchema(const std::string& text, const std::string& path);

}  // namespace merivan::engine
