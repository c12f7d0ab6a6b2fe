// Versions, record order, deleted records, memo files and code pages of
// tables we write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "merivan/platform/engine/dbase/dbase_codepage.h"
#include "merivan/platform/engine/dbase/dbase_table.h"
#include "merivan/platform/engine/dbase/dbase_test_support.h"
#include "tests/support/record_copies.h"
#include "tests/support/temp_dir.h"
#include "tests/fixtures/dbase_writer.h"

namespace merivan::engine {
namespace {

using fixtures::DbaseTableLayout;
using fixtures::DbaseWriter;
using dbase_test::ReadAll;
using merivan::testing::TempDir;
using Rows = std::vector<std::vector<std::string>>;

bool HasMemo(uint8_t version) { return version == 0x83 || version == 0x8B || version == 0x8C || version >= 0x30; }

TEST(DbaseRecords, EveryVersionReadsLiveRecordsInFileOrder) {
  TempDir dir;
  for (uint8_t version : {0x02, 0x03, 0x83, 0x04, 0x8B, 0x8C, 0xF5, 0x30, 0x31, 0x32}) {
    SCOPED_TRACE(static_cast<int>(version));
    DbaseTableLayout layout;
    layout.version = version;
    layout.columns = {{"NAME", 'C', 6}, {"NUM", 'N', 5, 1}, {"OK", 'L', 1}};
    const bool memo = HasMemo(version);
    const uint32_t refLength = version >= 0x30 && version <= 0x32 ? 4 : 10;
    if (memo) layout.columns.push_back({"NOTE", 'M', refLength});
    DbaseWriter w(layout);
    auto record = [&](const char* name, const char* num, const char* ok, const char* note) {
      std::vector<std::string> f = {name, num, ok};
      if (memo) f.push_back(*note ? w.AddMemo(note, refLength) : std::string());
      return f;
    };
    w.AddRecord(record("first", "  1.5", "T", "one\r\ntwo"));
    w.AddRecord(record("gone", "  2.0", "F", "deleted"), true);
    w.AddRecord(record("second", " -3.0", "F", ""));
    w.AddRecord(record("third", "", "?", "3"));
    w.AddRecord(record("gone2", "", "", ""), true);
    const std::string path = (dir / "v.dbf");
    w.Write(path);
    std::unique_ptr<TableDriver> t = OpenDbaseTable(path);
    EXPECT_EQ(t->RecordCount(), 3);
    Rows want = {{"first ", "1.5", "T"}, {"second", "-3", "F"}, {"third ", "<null>", "<null>"}};
    if (memo) {
      want[0].push_back("one\r\ntwo");
      want[1].push_back("");
      want[2].push_back("3");
    }
    EXPECT_EQ(ReadAll(*t), want);
    EXPECT_FALSE(t->Next());
    EXPECT_FALSE(t->Next());
  }
}

TEST(DbaseRecords, TablesWithoutLiveRecords) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.columns = {{"A", 'C', 1}};
  for (int deleted : {0, 3}) {
    DbaseWriter w(layout);
    for (int i = 0; i < deleted; ++i) w.AddRecord({"x"}, true);
    w.Write(dir / "e.dbf");
    std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "e.dbf");
    EXPECT_EQ(t->RecordCount(), 0);
    EXPECT_FALSE(t->Next());
    EXPECT_FALSE(t->Next());
  }
}

// More records than one read-ahead buffer holds, with deleted ones between.
TEST(DbaseRecords, LongTablesStreamThroughTheBuffer) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.version = 0x04;
  layout.columns = {{"ID", 'N', 9}, {"PAD", 'C', 200}};
  DbaseWriter w(layout);
  const int n = 5000;
  for (int i = 0; i < n; ++i) w.AddRecord({std::to_string(i), "p"}, i % 7 == 3);
  w.Write(dir / "long.dbf");
  std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "long.dbf");
  int expected = 0, live = 0;
  while (t->Next()) {
    while (expected % 7 == 3) ++expected;
    ASSERT_EQ(dbase_test::ValueText(*t, 0), std::to_string(expected));
    ++expected;
    ++live;
  }
  EXPECT_EQ(live, t->RecordCount());
  EXPECT_EQ(live, n - (n + 3) / 7);
}

// A table of several megabytes has its live records counted in two halves:
// deleted records at both ends, around the middle and in between all count.
TEST(DbaseRecords, LongTablesCountTheirLiveRecords) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.version = 0x03;
  layout.columns = {{"ID", 'N', 9}, {"PAD", 'C', 90}};
  const int n = 60001;  // 6 MB
  for (const std::vector<int>& deleted : {std::vector<int>{}, {0, n / 2 - 1, n / 2, n / 2 + 1, n - 1},
                                          {1, 2, 3, 40000, 59999}}) {
    DbaseWriter w(layout);
    for (int i = 0; i < n; ++i)
      w.AddRecord({std::to_string(i), "p"}, std::find(deleted.begin(), deleted.end(), i) != deleted.end());
    w.Write(dir / "long.dbf");
    std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "long.dbf");
    EXPECT_EQ(t->RecordCount(), n - static_cast<int>(deleted.size()));
    int live = 0;
    while (t->Next()) ++live;
    EXPECT_EQ(live, t->RecordCount());
  }
}

// dBASE III memo values end at 0x1A 0x1A, which the reader looks for in
// growing reads: ends just before, across and after each read's end.
TEST(DbaseRecords, DbaseIIIMemoEndsAreFoundWhereverTheyFall) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.version = 0x83;
  layout.columns = {{"M", 'M', 10}};
  DbaseWriter w(layout);
  std::vector<std::string> values;
  for (size_t length : {0, 1, 510, 511, 512, 1534, 1535, 1536, 3583, 70000, 200000}) {
    std::string v;
    for (size_t i = 0; i < length; ++i) v += static_cast<char>('a' + i % 26);
    values.push_back(v);
    w.AddRecord({w.AddMemo(v)});
  }
  w.Write(dir / "konce.dbf");
  std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "konce.dbf");
  for (const std::string& v : values) {
    ASSERT_TRUE(t->Next());
    EXPECT_EQ(t->BlobSize(0), v.size());
    EXPECT_EQ(dbase_test::ValueText(*t, 0), v) << v.size();
  }
  EXPECT_FALSE(t->Next());
}

TEST(DbaseRecords, MemoFilesAreFoundIgnoringCaseAndReadInParts) {
  TempDir dir;
  struct Case {
    uint8_t version;
    const char* extension;
    uint32_t blockSize;
  };
  for (const Case& c : {Case{0x83, ".DBT", 512}, Case{0x8B, ".Dbt", 64}, Case{0x8B, ".dbt", 1024},
                        Case{0xF5, ".FPT", 64}, Case{0x30, ".fPt", 33}}) {
    SCOPED_TRACE(c.extension);
    DbaseTableLayout layout;
    layout.version = c.version;
    layout.memoExtension = c.extension;
    layout.memoBlockSize = c.blockSize;
    const uint32_t ref = c.version == 0x30 ? 4 : 10;
    layout.columns = {{"M", 'M', ref}};
    DbaseWriter w(layout);
    std::string big;
    for (int i = 0; i < 3000; ++i) big += static_cast<char>('a' + i % 26);
    w.AddRecord({w.AddMemo("short", ref)});
    w.AddRecord({w.AddMemo(big, ref)});
    w.Write(dir / "Memo.DBF");
    std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "Memo.DBF");
    ASSERT_TRUE(t->Next());
    ASSERT_TRUE(t->Next());
    ASSERT_EQ(t->BlobSize(0), big.size());
    uint8_t part[10];
    ASSERT_EQ(t->ReadBlob(0, 2990, 50, part), 10u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(part), 10), big.substr(2990));
    EXPECT_EQ(t->ReadBlob(0, 3000, 5, part), 0u);
    EXPECT_EQ(t->ReadBlob(0, 4000, 5, part), 0u);
    EXPECT_EQ(dbase_test::ValueText(*t, 0), big);
    std::remove(w.MemoPath(dir / "Memo.DBF").c_str());
  }
}

// A table whose memo file is gone still opens; its memo values are empty.
TEST(DbaseRecords, MissingMemoFileGivesEmptyMemos) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.version = 0x8B;
  layout.columns = {{"A", 'C', 2}, {"M", 'M', 10}};
  DbaseWriter w(layout);
  w.AddRecord({"x", w.AddMemo("lost")});
  {
    const std::string bytes = w.TableBytes();
    FILE* f = std::fopen((dir / "lost.dbf").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "lost.dbf");
  ASSERT_TRUE(t->Next());
  EXPECT_EQ(dbase_test::ValueText(*t, 0), "x ");
  EXPECT_EQ(t->BlobSize(1), 0u);
}

class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name) {
    if (const char* v = std::getenv("LC_ALL")) saved_ = v, had_ = true;
    setenv("LC_ALL", name, 1);
  }
  ~ScopedLocale() {
    if (had_)
      setenv("LC_ALL", saved_.c_str(), 1);
    else
      unsetenv("LC_ALL");
  }

 private:
  std::string saved_;
  bool had_ = false;
};

TEST(DbaseCodePages, LanguageDriverPicksTheConversionToAnsi) {
  ScopedLocale czech("cs_CZ.UTF-8");  // ANSI 1250
  TempDir dir;
  struct Case {
    const char* what;
    uint8_t version;
    uint8_t driver;
    const char* driverName;
    std::string stored;
    std::string ansi;
  };
  const Case cases[] = {
      {"852 (0x64)", 0x03, 0x64, "", "\xA0\x9F", "\xE1\xE8"},         // á č
      {"852 (0x1F)", 0x04, 0x1F, "", "\xA7\xD8", "\x9E\xEC"},         // ž ě
      {"1250", 0x30, 0xC8, "", "\x9A\xE8", "\x9A\xE8"},               // š č unchanged
      {"Mazovia", 0x30, 0x69, "", "\x86\x92\x9E\xA1", "\xB9\xB3\x9C\xAF"},  // ą ł ś Ż
      {"Kamenicky", 0x03, 0x68, "", "\x80\x87\x9E\xA9\x96", "\xC8\xE8\xD8\xF8\xF9"},  // Č č Ř ř ů
      {"1251 without 1250 letters", 0x30, 0xC9, "", "\xE0", "?"},
      {"437", 0x03, 0x01, "", "\x81", "\xFC"},                        // ü
      {"level 7 name", 0x8C, 0, "DB852CZ0", "\xA0", "\xE1"},
      {"level 7 Windows name", 0x8C, 0, "DBWINUS0", "\xE9", "\xE9"},  // é
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DbaseTableLayout layout;
    layout.version = c.version;
    layout.languageDriver = c.driver;
    layout.level7DriverName = c.driverName;
    layout.columns = {{"N" + c.stored, 'C', static_cast<uint32_t>(c.stored.size())}};
    DbaseWriter w(layout);
    w.AddRecord({c.stored});
    w.Write(dir / "cp.dbf");
    std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "cp.dbf");
    ASSERT_EQ(t->Fields().size(), 1u);
    EXPECT_EQ(t->Fields()[0].name, "N" + c.ansi);
    ASSERT_TRUE(t->Next());
    std::string text = dbase_test::ValueText(*t, 0);
    t->ToAnsi(reinterpret_cast<uint8_t*>(text.data()), text.size());
    EXPECT_EQ(text, c.ansi);
    EXPECT_EQ(merivan::testing::ExpectCopiesReadAsTheTable(*OpenDbaseTable(dir / "cp.dbf")), 1u);
  }
}

TEST(DbaseCodePages, UnknownOrMissingDriverUsesTheOemConversion) {
  TempDir dir;
  for (uint8_t driver : {0x00, 0xF0}) {
    DbaseTableLayout layout;
    layout.languageDriver = driver;
    layout.columns = {{"C", 'C', 1}};
    DbaseWriter w(layout);
    w.AddRecord({"\xA0"});
    w.Write(dir / "oem.dbf");
    std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "oem.dbf");
    uint8_t byte = 0xA0;
    t->ToAnsi(&byte, 1);
    EXPECT_EQ(byte, platform::OemToAnsiMap()[0xA0]);
  }
}

TEST(DbaseCodePages, DriverNamesAndBytes) {
  EXPECT_EQ(LanguageDriverNameCodePage("DB852CZ0"), 852);
  EXPECT_EQ(LanguageDriverNameCodePage("DB437US0"), 437);
  EXPECT_EQ(LanguageDriverNameCodePage("DBWINWE0"), 1252);
  EXPECT_EQ(LanguageDriverNameCodePage("ascii"), 0);
  EXPECT_EQ(LanguageDriverNameCodePage("DB"), 0);
  EXPECT_EQ(LanguageDriverCodePage(0x65), 866);
  EXPECT_EQ(LanguageDriverCodePage(0x02), 850);
  EXPECT_EQ(LanguageDriverCodePage(0x03), 1252);
  EXPECT_EQ(LanguageDriverCodePage(0x00), 0);
}

}  // namespace
}  // namespace merivan::engine
