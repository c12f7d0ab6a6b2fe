#include "merivan/platform/engine/text/text_schema.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/locale/ascii_text.h"
#include "merivan/platform/locale/message_text.h"

namespace merivan::engine {

namespace {

using platform::AsciiUpperCase;
using platform::ShownText;

std::string Trim(std::string_view s) { return std::string(platform::TrimBlanks(s)); }

bool ParseCount(const std::string& text, int max, int* out) {
  const std::string t = Trim(text);
  if (t.empty() || t.size() > 9 || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  *out = std::stoi(t);
  return *out <= max;
}

struct TypeName {
  const char* name;
  ColumnKind type;
};
constexpr TypeName kTypes[] = {
    {"CHAR", ColumnKind::kString},       {"FLOAT", ColumnKind::kFloat},       {"NUMBER", ColumnKind::kFloat},
    {"BOOL", ColumnKind::kBoolean},      {"LONGINT", ColumnKind::kInteger},   {"SHORT", ColumnKind::kSmallint},
    {"DATE", ColumnKind::kDate},         {"TIME", ColumnKind::kTime},         {"TIMESTAMP", ColumnKind::kDateTime},
    {"CURRENCY", ColumnKind::kCurrency},
};

}  // namespace

TextSchema ParseTextSchema(const std::string& text, const std::string& path) {
  auto fail = [&](const std::string& what) -> void { ThrowEngineError(what + ".", path); };
  TextSchema schema;
  bool haveType = false;
  std::map<int, TextColumn> columns;  // by the number of their FieldN key
  std::istringstream in(text);
  std::string raw;
  int lineNo = 0;
  while (std::getline(in, raw)) {
    ++lineNo;
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';' || line[0] == '[') continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) fail("Schema line " + std::to_string(lineNo) + " is no KEY = value");
    const std::string key = AsciiUpperCase(platform::TrimBlanks(std::string_view(line).substr(0, eq)));
    const std::string value = Trim(std::string_view(line).substr(eq + 1));
    if (key == "FILETYPE") {
      const std::string v = AsciiUpperCase(value);
      if (v != "VARYING" && v != "FIXED") fail("Unknown FILETYPE " + ShownText(value) + " in the schema");
      schema.fixed = v == "FIXED";
      haveType = true;
    } else if (key == "CHARSET") {
      const std::string v = AsciiUpperCase(value);
      if (v != "ASCII" && v != "ANSI") fail("Unknown CHARSET " + ShownText(value) + " in the schema");
      schema.ansi = v == "ANSI";
    } else if (key == "DELIMITER") {
      schema.delimiter = value.empty() ? '\0' : value[0];
    } else if (key == "SEPARATOR") {
      if (value.empty()) fail("The schema's SEPARATOR is empty");
      schema.separator = value[0];
    } else if (key.rfind("FIELD", 0) == 0 && key.size() > 5) {
      int number = 0;
      if (!ParseCount(key.substr(5), 100000, &number)) fail("Unknown schema key " + ShownText(key));
      // name,type,width,decimals,offset: the name is all before the last four commas.
      size_t cut = value.size();
      std::vector<std::string> parts;
      for (int i = 0; i < 4; ++i) {
        const size_t comma = cut == 0 ? std::string::npos : value.rfind(',', cut - 1);
        if (comma == std::string::npos)
          fail("Schema field " + ShownText(key) + " is not name,type,width,decimals,offset");
        parts.insert(parts.begin(), value.substr(comma + 1, cut - comma - 1));
        cut = comma;
      }
      TextColumn c;
      c.name = Trim(value.substr(0, cut));
      const std::string type = AsciiUpperCase(platform::TrimBlanks(parts[0]));
      for (const TypeName& t : kTypes)
        if (type == t.name) c.type = t.type;
      if (c.type == ColumnKind::kUnknown)
        fail("Schema field " + ShownText(c.name) + " has the unknown type " + ShownText(type));
      if (!ParseCount(parts[1], 65535, &c.width) || !ParseCount(parts[2], 255, &c.decimals) ||
          !ParseCount(parts[3], 1 << 24, &c.offset))
        fail("Schema field " + ShownText(c.name) + " has no valid width, decimals and offset");
      if (c.name.empty()) fail("Schema field " + ShownText(key) + " has no name");
      if (!columns.emplace(number, c).second) fail("The schema names " + ShownText(key) + " twice");
    } else {
      fail("Unknown schema key " + ShownText(key));
    }
  }
  if (!haveType) fail("The schema names no FILETYPE");
  if (columns.empty()) fail("The schema names no fields");
  for (auto& [number, column] : columns) {
    (void)number;
    if (schema.fixed && column.width == 0) fail("Schema field " + ShownText(column.name) + " has width 0");
    schema.columns.push_back(column);
  }
  return schema;
}

}  // namespace merivan::engine
