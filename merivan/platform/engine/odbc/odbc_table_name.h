#pragma once
// Which table of a data source a table name means, and how it is quoted.
#include <optional>
#include <string>
#include <vector>

namespace merivan::engine::odbc {

// A table as SQLTables lists it (UTF-8; the schema empty when the driver has none).
struct TableEntry {
  std::string schema;
  std::string name;
};

// The table `requested` names, tried in this order: the name as given, then
// without a trailing ".db", ".dbf" or ".txt" (any case); each first exactly,
// then ignoring case; each against the bare table name and against
// "schema.name". A bare name found in one schema only comes back with that
// schema; found in several, without one, so the database's own search order
// decides. nullopt when nothing matches.
std::optional<TableEntry> ResolveTableName(const std::string& requested, const std::vector<TableEntry>& tables);

// `identifier` between the driver's quote characters, a quote inside it
// doubled; unchanged when the driver has none (quote " " or empty).
std::string QuoteIdentifier(const std::string& identifier, const std::string& quote);

// The table for a FROM clause: schema and name each quoted, joined by ".".
std::string QualifiedName(const TableEntry& table, const std::string& quote);

}  // namespace merivan::engine::odbc
