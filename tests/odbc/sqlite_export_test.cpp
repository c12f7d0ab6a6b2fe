// Database aliases over the real SQLite ODBC driver: every type it maps,
// NULLs, Czech text, the address table and its filter byte for byte against
// the same table read from a Paradox file, and the failures of bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "merivan/platform/locale/codepage.h"
#include "tests/fixtures/paradox_writer.h"
#include "tests/odbc/odbc_setup.h"
#include "tests/support/merivan_process.h"

namespace merivan::odbctest {
namespace {

using namespace merivan::fixtures;
using e2e::ReadFile;
using e2e::RunMerivan;
using e2e::RunResult;

// What merivan reports on stderr for a failure, as the terminal shows it.
std::string Report(const std::string& table, const std::string& message) {
  return kPrefix + table + kMiddle + message + "\n";
}

class SqliteAliasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SqliteExec(odbc_ / "lite.sqlite", R"(
      CREATE TABLE typy (t varchar(10), m text, ti tinyint, si smallint, su smallint unsigned,
        i integer, iu integer unsigned, bi bigint, r real, d double, b boolean, dt date, tm time,
        ts timestamp, vb varbinary(4), lb longvarbinary, bl blob);
      INSERT INTO typy VALUES ('Žluťoučký', 'Řádek 1' || char(13, 10) || 'Řádek 2', 7, -32768, 65535,
        -2147483648, 4294967295, 9007199254740993, 0.5, 1.0 / 3, 1, '2002-03-05', '09:05:09',
        '2002-03-05 14:05:09', x'010203', x'00ff00', x'41424344');
      INSERT INTO typy VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
        NULL, NULL, NULL, NULL, NULL);
      INSERT INTO typy VALUES ('a;b"c', '', 0, 0, 0, 0, 0, 0, 0, -0.0, 0, '1899-12-30', '00:00:00',
        '2002-03-05 00:00:00.500', x'', x'', x'');
      CREATE TABLE "Dvě slova" (x integer);
      INSERT INTO "Dvě slova" VALUES (1), (2);
      CREATE TABLE prazdna (x integer);
      CREATE TABLE "uvozovka""x" (x integer);
      INSERT INTO "uvozovka""x" VALUES (3);
    )");
    odbc_.AddSqlite("lite", odbc_ / "lite.sqlite");
  }

  // Exports `table` of `database` and returns the run; the output in `out_`.
  RunResult Export(const std::string& database, const std::string& table) {
    return RunMerivan({database, table, out_});
  }

  OdbcSetup odbc_;
  const std::string out_ = odbc_ / "out.txt";
};

TEST_F(SqliteAliasTest, EveryMappedTypeWithNullsAndCzechText) {
  const RunResult r = Export("lite", "typy");
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  const std::string bytes255 = "ABCD" + std::string(251, '\0');
  const std::string expected =
      "t;m;ti;si;su;i;iu;bi;r;d;b;dt;tm;ts;vb;lb;bl\r\n" +
      Ansi("\"Žluťoučký\";Řádek 1\r\nŘádek 2;7;-32768;65535;-2147483648;-1;9,00719925474099E15;0,5;"
           "0,333333333333333;True;5.3.2002;9:05:09;5.3.2002 14:05:09;") +
      std::string("\x03\x00\x01\x02\x03\x00;\x00\xff\x00;", 11) + bytes255 + "\r\n" +
      "\"\"" + std::string(16, ';') + "\r\n" +
      "\"a;b\"c\";;0;0;0;0;0;0;0;0;False;30.12.1899;0:00:00;5.3.2002;" + std::string(6, '\0') + ";;" +
      std::string(255, '\0') + "\r\n";
  EXPECT_EQ(ReadFile(out_), expected);
}

TEST_F(SqliteAliasTest, TableNamesAsAUserWouldExpect) {
  const struct {
    const char* table;
    const char* header;
  } cases[] = {
      {"typy", "t;m;ti"},  {"TYPY", "t;m;ti"},        {"Typy.DB", "t;m;ti"}, {"typy.txt", "t;m;ti"},
      {"typy.dbf", "t;m;ti"}, {"Dvě slova", "x\r\n1\r\n2"}, {"DVĚ SLOVA.db", "x\r\n1\r\n2"},
      {"uvozovka\"x", "x\r\n3\r\n"}, {"prazdna", "x\r\n"},
  };
  for (const auto& c : cases) {
    const RunResult r = Export("lite", c.table);
    EXPECT_EQ(r.exitStatus, 0) << c.table << ": " << r.err;
    EXPECT_EQ(ReadFile(out_).rfind(Ansi(c.header), 0), 0u) << c.table << ": " << ReadFile(out_);
  }
  EXPECT_EQ(ReadFile(out_), "x\r\n");
}

// Rows beyond one block come in order; long values cross the pieces they are
// read in (a character of two UTF-16 units among them) and come whole.
TEST_F(SqliteAliasTest, ManyRowsAndLongValues) {
  SqliteExec(odbc_ / "lite.sqlite", R"(
    CREATE TABLE mnoho (i integer, t varchar(8));
    WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 2999)
      INSERT INTO mnoho SELECT i, 'ř' || i FROM n;
    CREATE TABLE dlouhe (i integer, m text, b longvarbinary);
    INSERT INTO dlouhe VALUES (1, replace(hex(zeroblob(70000)), '00', 'ž') || '😀' || 'konec',
                               zeroblob(100000));
    INSERT INTO dlouhe VALUES (2, NULL, NULL);
  )");
  RunResult r = Export("lite", "mnoho");
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  std::string expected = "i;t\r\n";
  for (int i = 0; i < 3000; ++i) expected += std::to_string(i) + ";\"" + Ansi("ř") + std::to_string(i) + "\"\r\n";
  EXPECT_EQ(ReadFile(out_), expected);
  r = Export("lite", "dlouhe");
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  std::string memo;
  for (int k = 0; k < 70000; ++k) memo += Ansi("ž");
  const std::string actual = ReadFile(out_);
  const std::string wanted = "i;m;b\r\n1;" + memo + "?konec;" + std::string(100000, '\0') + "\r\n2;;\r\n";
  const auto differ = std::mismatch(actual.begin(), actual.end(), wanted.begin(), wanted.end());
  EXPECT_TRUE(actual == wanted) << "sizes " << actual.size() << " and " << wanted.size() << ", first difference at "
                                << (differ.first - actual.begin()) << ": "
                                << actual.substr(static_cast<size_t>(differ.first - actual.begin()), 20);
}

// The address table as a Paradox file and as an SQLite table with the same
// types exports to the same bytes, with and without the active-only filter.
class AddressTableTest : public SqliteAliasTest {
 protected:
  void SetUp() override {
    SqliteAliasTest::SetUp();
    PxLayout layout;
    layout.codePage = 1250;
    layout.fields = {{"Jmeno", PxType::Alpha, 20}, {"Aktivni", PxType::Logical}, {"Pocet", PxType::Long},
                     {"Castka", PxType::Number},   {"Narozen", PxType::Date},    {"Poznamka", PxType::Memo, 10},
                     {"Kratke", PxType::Short},    {"Cas", PxType::Time},        {"Zapsano", PxType::Timestamp},
                     {"Data", PxType::Blob, 10}};
    const int64_t day = PxDayNumber(2002, 3, 5);
    const std::vector<std::vector<PxValue>> records = {
        {PxText(Ansi("Jiří")), PxInt(1), PxInt(42), PxReal(12.5), PxInt(day), PxText(Ansi("Řádek 1\r\nŘádek 2")),
         PxInt(-7), PxInt(32709000), PxReal(day * 86400000.0 + 50709000), PxText(std::string("\x01\x00\x02", 3))},
        {PxText(Ansi("Božena")), PxInt(0), PxInt(-7), PxReal(0.1), PxNull(), PxNull(), PxNull(), PxNull(), PxNull(),
         PxNull()},
        {PxNull(), PxInt(1), PxInt(0), PxReal(1e15), PxInt(PxDayNumber(1990, 1, 1)), PxNull(), PxInt(0), PxInt(0),
         PxNull(), PxNull()},
        {PxText("a;b\"c"), PxInt(1), PxInt(2147483647), PxReal(1.0 / 3), PxInt(PxDayNumber(1999, 12, 31)),
         PxText("x"), PxInt(32767), PxNull(), PxNull(), PxText("blob")},
        {PxText(Ansi("Šťastný  ")), PxNull(), PxNull(), PxNull(), PxNull(), PxNull(), PxNull(), PxNull(), PxNull(),
         PxNull()},
    };
    WriteParadoxTable(odbc_ / "adresati.db", layout, records);
    SqliteExec(odbc_ / "adresy.sqlite", R"(
      CREATE TABLE adresati (Jmeno varchar(20), Aktivni boolean, Pocet integer, Castka double, Narozen date,
        Poznamka text, Kratke smallint, Cas time, Zapsano timestamp, Data longvarbinary);
      INSERT INTO adresati VALUES ('Jiří', 1, 42, 12.5, '2002-03-05', 'Řádek 1' || char(13, 10) || 'Řádek 2',
        -7, '09:05:09', '2002-03-05 14:05:09', x'010002');
      INSERT INTO adresati VALUES ('Božena', 0, -7, 0.1, NULL, NULL, NULL, NULL, NULL, NULL);
      INSERT INTO adresati VALUES (NULL, 1, 0, 1e15, '1990-01-01', NULL, 0, '00:00:00', NULL, NULL);
      INSERT INTO adresati VALUES ('a;b"c', 1, 2147483647, 1.0 / 3, '1999-12-31', 'x', 32767, NULL, NULL, 'blob');
      INSERT INTO adresati VALUES ('Šťastný  ', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    )");
    odbc_.AddSqlite("adresy", odbc_ / "adresy.sqlite");
  }

  std::string ExportOf(const std::string& database, const std::string& table) {
    const RunResult r = Export(database, table);
    EXPECT_EQ(r.exitStatus, 0) << database << " " << table << ": " << r.err;
    return ReadFile(out_);
  }
};

TEST_F(AddressTableTest, SameBytesAsFromParadox) {
  const std::string all = ExportOf(odbc_.dir(), "Adresati.db");
  const std::string active = ExportOf(odbc_.dir(), "adresati.db");
  ASSERT_NE(all, active);
  EXPECT_EQ(active.substr(0, active.find("\r\n") + 2),
            "Jmeno;Aktivni;Pocet;Castka;Narozen;Poznamka;Kratke;Cas;Zapsano;Data\r\n");
  EXPECT_NE(active.find(Ansi("\"Jiří\";True;42;12,5;5.3.2002;Řádek 1\r\nŘádek 2;-7;9:05:09;5.3.2002 14:05:09;")),
            std::string::npos);
  EXPECT_EQ(ExportOf("adresy", "adresati.db"), active);  // exactly "adresati.db": active only
  for (const char* name : {"Adresati.db", "adresati", "ADRESATI"}) EXPECT_EQ(ExportOf("adresy", name), all) << name;
}

TEST_F(AddressTableTest, FilterMessagesAsForFiles) {
  SqliteExec(odbc_ / "bez.sqlite", "CREATE TABLE adresati (Jmeno varchar(20)); INSERT INTO adresati VALUES ('x');");
  odbc_.AddSqlite("bez", odbc_ / "bez.sqlite");
  SqliteExec(odbc_ / "memo.sqlite", "CREATE TABLE adresati (Aktivni text); INSERT INTO adresati VALUES ('True');");
  odbc_.AddSqlite("memo", odbc_ / "memo.sqlite");
  const struct {
    const char* database;
    const char* message;
  } cases[] = {
      {"bez", "ADR: Field 'Aktivni' not found"},
      {"memo", "Field 'Aktivni' cannot be used in a filter expression"},
  };
  for (const auto& c : cases) {
    const RunResult r = Export(c.database, "adresati.db");
    EXPECT_EQ(r.exitStatus, 255) << c.database;
    EXPECT_EQ(r.err, Report("adresati.db", c.message)) << c.database;
    EXPECT_EQ(ReadFile(out_), "") << c.database;
  }
}

// Each bad input fails with a clear message and exit status 255, and the
// output file is left as the export leaves it: created, and empty.
TEST_F(SqliteAliasTest, BadInput) {
  odbc_.AddDataSource("bezovladace", {"Database=" + odbc_ / "lite.sqlite"});
  odbc_.AddDataSource("chybiknihovna", {"Driver=" + odbc_ / "libnone.so", "Database=x"});
  const struct {
    const char* database;
    const char* table;
    std::string message;
  } cases[] = {
      {"neznamy", "typy", "Unknown database alias: neznamy"},
      {"lite;Driver=x", "typy", "Unknown database alias: lite;Driver=x"},
      {"bezovladace", "typy",
       "The data source names no ODBC driver: its odbc.ini section has no Driver line\r\nData source: bezovladace"},
      {"chybiknihovna", "typy",
       "[unixODBC][Driver Manager]Can't open lib '" + odbc_ / "libnone.so" +
           "' : file not found\r\nData source: chybiknihovna"},
      {"lite", "chybí", "Table does not exist.\r\nTable: chybí\r\nData source: lite"},
      {"lite", "typy.dbf.db", "Table does not exist.\r\nTable: typy.dbf.db\r\nData source: lite"},
  };
  for (const auto& c : cases) {
    std::remove(out_.c_str());
    const RunResult r = Export(c.database, c.table);
    EXPECT_EQ(r.exitStatus, 255) << c.database;
    EXPECT_EQ(r.err, Report(c.table, c.message)) << c.database;
    EXPECT_TRUE(e2e::FileExists(out_)) << c.database;
    EXPECT_EQ(ReadFile(out_), "") << c.database;
  }
}

// The system odbc.ini serves as well as the user's, as unixODBC reads them.
TEST_F(SqliteAliasTest, SystemDataSource) {
  odbc_.AddDataSource("systemovy", {std::string("Driver=") + kSqliteDriver, "Database=" + odbc_ / "lite.sqlite"}, true);
  const RunResult r = Export("systemovy", "Dvě slova");
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadFile(out_), "x\r\n1\r\n2\r\n");
}

}  // namespace
}  // namespace merivan::odbctest
