#include "merivan/platform/engine/odbc/odbc_table_name.h"

#include <unicode/unistr.h>

namespace merivan::engine::odbc {

namespace {

std::string Folded(const std::string& utf8) {
  std::string out;
  icu::UnicodeString::fromUTF8(utf8).foldCase().toUTF8String(out);
  return out;
}

bool EndsWithIgnoringCase(const std::string& s, const std::string& suffix) {
  if (s.size() <= suffix.size()) return false;
  for (size_t i = 0; i < suffix.size(); ++i) {
    char c = s[s.size() - suffix.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != suffix[i]) return false;
  }
  return true;
}

std::vector<std::string> NameForms(const std::string& requested) {
  std::vector<std::string> forms = {requested};
  for (const char* ext : {".db", ".dbf", ".txt"}) {
    if (EndsWithIgnoringCase(requested, ext)) forms.push_back(requested.substr(0, requested.size() - std::string(ext).size()));
  }
  return forms;
}

std::optional<TableEntry> Match(const std::string& form, const std::vector<TableEntry>& tables, bool ignoreCase) {
  const auto same = [ignoreCase](const std::string& a, const std::string& b) {
    return ignoreCase ? Folded(a) == Folded(b) : a == b;
  };
  for (const TableEntry& t : tables) {
    if (!t.schema.empty() && same(t.schema + "." + t.name, form)) return t;
  }
  std::optional<TableEntry> found;
  for (const TableEntry& t : tables) {
    if (!same(t.name, form)) continue;
    if (found && found->schema != t.schema) return TableEntry{"", found->name};
    if (!found) found = t;
  }
  return found;
}

}  // namespace

std::optional<TableEntry> ResolveTableName(const std::string& requested, const std::vector<TableEntry>& tables) {
  for (const std::string& form : NameForms(requested)) {
    for (const bool ignoreCase : {false, true}) {
      if (auto t = Match(form, tables, ignoreCase)) return t;
    }
  }
  return std::nullopt;
}

std::string QuoteIdentifier(const std::string& identifier, const std::string& quote) {
  if (quote.empty() || quote == " ") return identifier;
  std::string out = quote;
  for (size_t i = 0; i < identifier.size();) {
    if (identifier.compare(i, quote.size(), quote) == 0) {
      out += quote + quote;
      i += quote.size();
    } else {
      out += identifier[i++];
    }
  }
  return out + quote;
}

std::string QualifiedName(const TableEntry& table, const std::string& quote) {
  const std::string name = QuoteIdentifier(table.name, quote);
  return table.schema.empty() ? name : QuoteIdentifier(table.schema, quote) + "." + name;
}

}  // namespace merivan::engine::odbc
