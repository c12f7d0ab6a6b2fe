// The merivan binary end to end: arguments, the export's bytes, the filter,
// and what every failure reports and leaves behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "merivan/platform/locale/codepage.h"
#include "tests/fixtures/paradox_writer.h"
#include "tests/support/merivan_process.h"

namespace merivan::e2e {
namespace {

using namespace merivan::fixtures;

const std::string kPrefix = "Při přípravě k importu souboru ";
const std::string kMiddle = " došlo k chybě: ";
const std::string kUsage = "usage: merivan DATABASE TABLE OUTPUT";

std::string Ansi(const std::string& utf8) { return platform::Utf8ToCodePage(utf8, 1250); }
PxValue Dos(const std::string& utf8) { return PxText(platform::Utf8ToCodePage(utf8, 852)); }

// An address table in code page 852 and the lines the export makes of it
// under the Czech regional settings.
struct AddressTable {
  std::vector<std::vector<PxValue>> records;
  std::string header = "Jmeno;Aktivni;Pocet;Castka;Narozen;Poznamka\r\n";
  std::vector<std::string> lines;   // one per record, Windows-1250
  std::vector<bool> active;
};

AddressTable Addresses() {
  AddressTable t;
  t.records = {
      {Dos("Jiří"), PxInt(1), PxInt(42), PxReal(12.5), PxInt(PxDayNumber(2002, 3, 5)), Dos("Řádek 1\r\nŘádek 2")},
      {Dos("Božena"), PxInt(0), PxInt(-7), PxReal(0.1), PxNull(), PxNull()},
      {PxNull(), PxInt(1), PxInt(0), PxReal(1e15), PxInt(PxDayNumber(1990, 1, 1)), PxNull()},
      {PxText("a;b\"c"), PxInt(1), PxInt(2147483647), PxReal(1.0 / 3), PxInt(PxDayNumber(1999, 12, 31)),
       PxText("x")},
      {Dos("Šťastný  "), PxNull(), PxNull(), PxNull(), PxNull(), PxNull()},
  };
  t.lines = {
      Ansi("\"Jiří\";True;42;12,5;5.3.2002;Řádek 1\r\nŘádek 2\r\n"),
      Ansi("\"Božena\";False;-7;0,1;;\r\n"),
      "\"\";True;0;1E15;1.1.1990;\r\n",
      "\"a;b\"c\";True;2147483647;0,333333333333333;31.12.1999;x\r\n",
      Ansi("\"Šťastný  \";;;;;\r\n"),
  };
  t.active = {true, false, true, true, false};
  return t;
}

void WriteAddresses(const std::string& path, const AddressTable& t) {
  PxLayout layout;
  layout.codePage = 852;
  layout.fields = {{"Jmeno", PxType::Alpha, 20},  {"Aktivni", PxType::Logical}, {"Pocet", PxType::Long},
                   {"Castka", PxType::Number},    {"Narozen", PxType::Date},    {"Poznamka", PxType::Memo, 10}};
  WriteParadoxTable(path, layout, t.records);
}

std::string Expected(const AddressTable& t, bool activeOnly) {
  std::string s = t.header;
  for (size_t i = 0; i < t.lines.size(); ++i) {
    if (!activeOnly || t.active[i]) s += t.lines[i];
  }
  return s;
}

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteAddresses(dir_ / "adresati.db", table_); }

  std::string Failure(const std::string& tableName, const std::string& message) const {
    return kPrefix + tableName + kMiddle + message + "\n";
  }

  TempDir dir_;
  AddressTable table_ = Addresses();
};

TEST_F(RunTest, WrongNumberOfArguments) {
  const std::string out = dir_ / "out.txt";
  const std::vector<std::vector<std::string>> cases = {
      {}, {"--help"}, {dir_.path(), "adresati.db"}, {dir_.path(), "adresati.db", out, "extra"}, {"", "", ""}};
  for (const auto& args : cases) {
    const RunResult r = RunMerivan(args);
    EXPECT_EQ(r.exitStatus, 255) << args.size();
    EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), Failure("Adresati.db", "Chybný počet vstupních parametrů"));
    EXPECT_EQ(r.err.find(kUsage), r.err.find('\n') + 1) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
    EXPECT_FALSE(FileExists(out));
  }
}

// The Czech of the report reads right whatever the user's code page: under
// en_US the ANSI code page is Windows-1252, which lacks ř, ě and š.
TEST_F(RunTest, ReportReadsInCzechUnderAnyUtf8Locale) {
  for (const std::string locale : {"en_US.UTF-8", "C.UTF-8"}) {
    RunResult r = RunMerivan({}, locale);
    EXPECT_EQ(r.exitStatus, 255);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), Failure("Adresati.db", "Chybný počet vstupních parametrů"))
        << locale;
    r = RunMerivan({dir_.path(), "Adresáře.db", dir_ / "out.txt"}, locale);
    EXPECT_EQ(r.exitStatus, 255);
    EXPECT_EQ(r.err.rfind(kPrefix + "Adresáře.db" + kMiddle, 0), 0u) << locale << ": " << r.err;
  }
}

TEST_F(RunTest, ExportsEveryRecordByteForByte) {
  for (const char* name : {"Adresati.db", "ADRESATI.DB", "adresati", "./adresati.db"}) {
    const RunResult r = RunMerivan({dir_.path(), name, dir_ / "out.txt"});
    EXPECT_EQ(r.exitStatus, 0) << name << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadFile(dir_ / "out.txt"), Expected(table_, false)) << name;
  }
}

TEST_F(RunTest, ActiveOnlyForAdresatiDb) {
  const RunResult r = RunMerivan({dir_.path(), "adresati.db", dir_ / "out.txt"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadFile(dir_ / "out.txt"), Expected(table_, true));
}

TEST_F(RunTest, EmptyArgumentsAreDroppedAndPathsKeepBlanks) {
  ASSERT_EQ(mkdir((dir_ / "my tables").c_str(), 0755), 0);
  WriteAddresses(dir_ / "my tables/ADRESATI.DB", table_);
  const RunResult r = RunMerivan({"", dir_ / "my tables", "", "adresati.db", dir_ / "out put.txt", ""});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadFile(dir_ / "out put.txt"), Expected(table_, true));
}

TEST_F(RunTest, DatabaseFromTheCurrentDirectoryAndTableWithADirectory) {
  ASSERT_EQ(mkdir((dir_ / "sub").c_str(), 0755), 0);
  WriteAddresses(dir_ / "sub/adresati.db", table_);
  const RunResult r = RunMerivan({dir_.path(), "sub/adresati.db", dir_ / "out.txt"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadFile(dir_ / "out.txt"), Expected(table_, false));  // not exactly "adresati.db"
}

TEST_F(RunTest, ExistingOutputIsReplaced) {
  std::ofstream(dir_ / "out.txt") << std::string(100000, 'o');
  EXPECT_EQ(RunMerivan({dir_.path(), "adresati.db", dir_ / "out.txt"}).exitStatus, 0);
  EXPECT_EQ(ReadFile(dir_ / "out.txt"), Expected(table_, true));
}

TEST_F(RunTest, FailuresAndWhatTheyLeave) {
  WriteAddresses(dir_ / "lidi.db", table_);
  PxLayout noAktivni;
  noAktivni.fields = {{"Jmeno", PxType::Alpha, 10}};
  ASSERT_EQ(mkdir((dir_ / "other").c_str(), 0755), 0);
  WriteParadoxTable(dir_ / "other/adresati.db", noAktivni, {{PxText("a")}});
  struct Case {
    std::string database, table, output, message;
    bool leavesEmptyFile;
  } cases[] = {
      {dir_.path(), "missing.db", dir_ / "out.txt", "Table does not exist.\r\nTable: " + dir_.path() + "/missing.db",
       true},
      {dir_ / "none", "adresati.db", dir_ / "out.txt", "Directory does not exist.\r\nDirectory: " + dir_.path() + "/none",
       true},
      {"DBDEMOS", "adresati.db", dir_ / "out.txt", "Unknown database alias: DBDEMOS", true},
      {dir_ / "other", "adresati.db", dir_ / "out.txt", "ADR: Field 'Aktivni' not found", true},
      {dir_.path(), "adresati.db", dir_ / "nowhere/out.txt", "Invalid filename", false},
      {dir_.path(), "adresati.db", dir_.path(), "File access denied", false},
  };
  for (const Case& c : cases) {
    unlink((dir_ / "out.txt").c_str());
    std::ofstream(dir_ / "out.txt") << "old";
    const RunResult r = RunMerivan({c.database, c.table, c.output});
    EXPECT_EQ(r.exitStatus, 255) << c.message;
    EXPECT_EQ(r.err, Failure(c.table, c.message));
    EXPECT_EQ(ReadFile(dir_ / "out.txt"), c.leavesEmptyFile ? "" : "old") << c.message;
  }
  EXPECT_FALSE(FileExists(dir_ / "nowhere"));
}

TEST_F(RunTest, FullDiskEndsWithIoError112) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  const RunResult r = RunMerivan({dir_.path(), "adresati.db", "/dev/full"});
  EXPECT_EQ(r.exitStatus, 255);
  EXPECT_EQ(r.err, Failure("adresati.db", "I/O error 112"));
}

TEST_F(RunTest, OutputLockedByAnotherWriter) {
  const std::string out = dir_ / "out.txt";
  std::ofstream(out) << "kept";
  const int fd = open(out.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  ASSERT_EQ(fcntl(fd, F_SETLK, &lock), 0);
  const RunResult r = RunMerivan({dir_.path(), "adresati.db", out});
  close(fd);
  EXPECT_EQ(r.exitStatus, 255);
  EXPECT_EQ(r.err, Failure("adresati.db", "I/O error 32"));
  EXPECT_EQ(ReadFile(out), "kept");
}

TEST_F(RunTest, LongArgumentsAreKeptWhole) {
  // Far beyond 256 characters: the name is not cut, so the table is not found under a shorter one.
  const std::string name = std::string(300, 'n') + ".db";
  const RunResult r = RunMerivan({dir_.path(), name, dir_ / "out.txt"});
  EXPECT_EQ(r.exitStatus, 255);
  EXPECT_EQ(r.err, Failure(name, "Table does not exist.\r\nTable: " + dir_.path() + "/" + name));
}

TEST(Sample, ExportsTheBundledAddressTable) {
  TempDir dir;
  const RunResult r = RunMerivan({std::string(MERIVAN_SOURCE_DIR) + "/samples", "adresati.db", dir / "out.txt"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  const std::string out = ReadFile(dir / "out.txt");
  EXPECT_EQ(out.substr(0, out.find("\r\n")), "Jmeno;Prijmeni;Ulice;Mesto;Narozen;Kredit;Aktivni;Poznamka");
  EXPECT_NE(out.find(Ansi("\"Jiří\";\"Dvořák\";\"Náměstí Míru 12\";\"Praha 2\";14.3.1965;1250,5;True;")),
            std::string::npos);
  EXPECT_EQ(out.find(Ansi("Božena")), std::string::npos);  // not active
}

}  // namespace
}  // namespace merivan::e2e
