// dBASE, FoxPro and text tables exported by the merivan binary, as a user
// runs it: no display, a Czech locale (ANSI 1250, OEM 852).
#include <gtest/gtest.h>

#include <fstream>

#include "merivan/platform/engine/dbase/dbase_table.h"
#include "merivan/platform/engine/dbase/dbase_test_support.h"
#include "tests/fixtures/dbase_writer.h"
#include "tests/support/corpus_files.h"
#include "tests/support/merivan_process.h"

namespace merivan::e2e {
namespace {

using fixtures::DbaseTableLayout;
using fixtures::DbaseWriter;
using testing::Occurrences;

const std::string kCorpus = std::string(MERIVAN_SHARED_DIR) + "/tables/dbase";

// What the binary writes for `table` of `database` into `output`, after
// checking that the run went through cleanly.
std::string Export(const std::string& database, const std::string& table, const std::string& output) {
  const RunResult r = RunMerivan({database, table, output});
  EXPECT_EQ(r.exitStatus, 0) << table << ": " << r.err;
  EXPECT_EQ(r.err, "") << table;
  return ReadFile(output);
}

// The line ends the export of a table must hold: one after the header, one
// per live record, and those inside the values (memos keep theirs).
size_t ExpectedLineEnds(const std::string& name) {
  std::unique_ptr<engine::TableDriver> table = engine::OpenDbaseTable(kCorpus + "/" + name);
  size_t ends = 1;
  for (const auto& record : engine::dbase_test::ReadAll(*table)) {
    ++ends;
    for (const std::string& value : record) ends += Occurrences(value, "\r\n");
  }
  return ends;
}

TEST(DbaseExport, EveryCorpusTableExportsOneLinePerLiveRecord) {
  const auto names = testing::FilesWithExtension(kCorpus, ".dbf");
  if (names.empty()) GTEST_SKIP() << "no shared dBASE tables in " << kCorpus;
  TempDir dir;
  for (const std::string& name : names) {
    const std::string out = Export(kCorpus, name, dir / "out.txt");
    EXPECT_EQ(Occurrences(out, "\r\n"), ExpectedLineEnds(name)) << name;
    EXPECT_EQ(out.size() >= 2 ? out.substr(out.size() - 2) : out, "\r\n") << name;
  }
}

TEST(DbaseExport, TableOfEachKindGivesItsExactText) {
  TempDir dir;
  // dBASE IV in code page 852, with a deleted record and a memo file.
  DbaseTableLayout layout;
  layout.version = 0x8B;
  layout.languageDriver = 0x64;
  layout.columns = {{"JM\x90NO", 'C', 6}, {"DETI", 'N', 2}, {"PLAT", 'N', 8, 2}, {"NAROZEN", 'D', 8},
                  {"AKTIVNI", 'L', 1}, {"POZNAMKA", 'M', 10}};
  DbaseWriter w(layout);
  w.AddRecord({"Nov\xA0k", " 2", "  -12.50", "20020305", "T", w.AddMemo("\x9F\x61s\r\nt\xD8")});
  w.AddRecord({"Pry\x9D", " 1", "1", "20010101", "F", ""}, true);
  w.AddRecord({"\xAC\x65rn\xEC", "", "1234.5", "", "?", ""});
  w.Write(dir / "lide.dbf");
  EXPECT_EQ(Export(dir.path(), "LIDE.DBF", dir / "out.txt"),
            "JM\xC9NO;DETI;PLAT;NAROZEN;AKTIVNI;POZNAMKA\r\n"
            "\"Nov\xE1k \";2;-12,5;5.3.2002;True;\xE8\x61s\r\nt\xEC\r\n"
            "\"\xC8\x65rn\xFD \";;1234,5;;;\r\n");
}

TEST(DbaseExport, VisualFoxProTableWithNullsAndDateTimes) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.version = 0x30;
  layout.languageDriver = 0xC8;
  layout.columns = {{"ID", 'I', 4}, {"NAME", 'C', 4, 0, 2}, {"PRICE", 'Y', 8, 4}, {"WHEN", 'T', 8},
                  {"_NullFlags", '0', 1, 0, 5}};
  DbaseWriter w(layout);
  const uint32_t march5 = 730914 + 1721425;
  w.AddRecord({fixtures::DbaseLe32(1), "\x9A\x65k", fixtures::DbaseLe64(125000),
               fixtures::DbaseVfpDateTime(march5, 50709000), std::string(1, '\0')});
  w.AddRecord({fixtures::DbaseLe32(2), "", fixtures::DbaseLe64(0), fixtures::DbaseVfpDateTime(march5, 0),
               std::string(1, '\x01')});
  w.Write(dir / "vfp.dbf");
  EXPECT_EQ(Export(dir.path(), "vfp.dbf", dir / "out.txt"),
            "ID;NAME;PRICE;WHEN\r\n"
            "1;\"\x9A\x65k \";12,5;5.3.2002 14:05:09\r\n"
            "2;\"\";0;5.3.2002\r\n");
}

TEST(DbaseExport, TextTablesOfBothKinds) {
  TempDir dir;
  {
    std::ofstream(dir / "adresati.sch", std::ios::binary)
        << "[ADRESATI]\r\nFILETYPE = VARYING\r\nCHARSET = ascii\r\nDELIMITER = \"\r\nSEPARATOR = ,\r\n"
           "Field1 = Jmeno,CHAR,10,00,00\r\nField2 = Narozen,DATE,11,00,10\r\nField3 = Aktivni,BOOL,1,00,21\r\n";
    std::ofstream(dir / "adresati.txt", std::ios::binary)
        << "\"Nov\xA0k\",2002-03-05,T\r\n\"Dvo\xFD\xA0k\",,F\r\n";
    std::ofstream(dir / "pevna.sch", std::ios::binary)
        << "[PEVNA]\nFILETYPE = FIXED\nCHARSET = ANSI\nField1 = Kod,SHORT,3,00,0\nField2 = Cena,CURRENCY,8,02,3\n";
    std::ofstream(dir / "pevna.txt", std::ios::binary) << " 12   2.50\n-3        \n";
  }
  EXPECT_EQ(Export(dir.path(), "adresati.txt", dir / "out.txt"),
            "Jmeno;Narozen;Aktivni\r\n\"Nov\xE1k\";5.3.2002;True\r\n\"Dvo\xF8\xE1k\";;False\r\n");
  EXPECT_EQ(Export(dir.path(), "PEVNA.TXT", dir / "out.txt"), "Kod;Cena\r\n12;2,5\r\n-3;\r\n");
}

TEST(DbaseExport, FailuresEndWithTheEngineMessage) {
  TempDir dir;
  std::ofstream(dir / "alone.txt", std::ios::binary) << "x\n";
  std::ofstream(dir / "broken.dbf", std::ios::binary) << std::string("\x03\x01\x02\x03", 4);
  std::ofstream(dir / "version.dbf", std::ios::binary) << std::string(1, '\x01') << std::string(63, '\0');
  {
    // dBASE III with a memo reference far past the end of its memo file.
    DbaseTableLayout layout;
    layout.version = 0x83;
    layout.columns = {{"ID", 'N', 2}, {"NOTE", 'M', 10}};
    DbaseWriter w(layout);
    w.AddMemo("kept");
    w.AddRecord({" 1", "      9999"});
    w.Write(dir / "memo.dbf");
  }
  struct Case {
    const char* table;
    const char* message;
    const char* file;  // named in the message
  };
  for (const Case& c : {Case{"alone.txt", "no schema file alone.sch", "alone.txt"},
                        Case{"broken.dbf", "too short", "broken.dbf"},
                        Case{"version.dbf", "version byte $01", "version.dbf"},
                        Case{"memo.dbf", "A memo value lies outside the memo file.", "memo.dbt"}}) {
    const RunResult r = RunMerivan({dir.path(), c.table, dir / "out.txt"});
    EXPECT_EQ(r.exitStatus, 255) << c.table;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir / c.file), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace merivan::e2e
