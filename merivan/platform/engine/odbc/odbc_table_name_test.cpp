#include "merivan/platform/engine/odbc/odbc_table_name.h"

#include <gtest/gtest.h>

namespace merivan::engine::odbc {
namespace {

std::string Resolved(const std::string& name, const std::vector<TableEntry>& tables) {
  const auto t = ResolveTableName(name, tables);
  return t ? (t->schema.empty() ? t->name : t->schema + "|" + t->name) : "none";
}

TEST(TableName, ExactThenCaseThenWithoutExtension) {
  const std::vector<TableEntry> tables = {{"", "Adresati"}, {"", "adresati.db"}, {"", "Lidé"},
                                          {"", "data"},     {"", "DATA.TXT"},    {"", "x.dbf"}};
  const struct {
    const char* requested;
    const char* found;
  } cases[] = {
      {"adresati.db", "adresati.db"}, {"ADRESATI.DB", "adresati.db"}, {"Adresati", "Adresati"},
      {"adresati", "Adresati"},       {"LIDÉ", "Lidé"},               {"lidé.DB", "Lidé"},
      {"data.txt", "DATA.TXT"},       {"Data.Dbf", "data"},           {"x.dbf", "x.dbf"},
      {"x", "none"},                  {"data.db.txt", "none"},        {"", "none"},
  };
  for (const auto& c : cases) EXPECT_EQ(Resolved(c.requested, tables), c.found) << c.requested;
}

TEST(TableName, Schemas) {
  const std::vector<TableEntry> tables = {{"public", "adresati"}, {"archiv", "adresati"}, {"archiv", "Staré"},
                                          {"public", "only"}};
  EXPECT_EQ(Resolved("archiv.adresati", tables), "archiv|adresati");
  EXPECT_EQ(Resolved("ARCHIV.adresati.db", tables), "archiv|adresati");
  EXPECT_EQ(Resolved("archiv.staré", tables), "archiv|Staré");
  EXPECT_EQ(Resolved("staré", tables), "archiv|Staré");
  EXPECT_EQ(Resolved("only", tables), "public|only");
  // In several schemas: left to the database's search order.
  EXPECT_EQ(Resolved("adresati", tables), "adresati");
  EXPECT_EQ(Resolved("nowhere.adresati", tables), "none");
}

TEST(TableName, Quoting) {
  EXPECT_EQ(QuoteIdentifier("adresati", "\""), "\"adresati\"");
  EXPECT_EQ(QuoteIdentifier("a\"b", "\""), "\"a\"\"b\"");
  EXPECT_EQ(QuoteIdentifier("a`b", "`"), "`a``b`");
  EXPECT_EQ(QuoteIdentifier("plain", " "), "plain");
  EXPECT_EQ(QuoteIdentifier("plain", ""), "plain");
  EXPECT_EQ(QualifiedName({"archiv", "Staré"}, "\""), "\"archiv\".\"Staré\"");
  EXPECT_EQ(QualifiedName({"", "t"}, "\""), "\"t\"");
}

}  // namespace
}  // namespace merivan::engine::odbc
