// Damaged tables and memo files fail with an engine error that names the
// file; no byte of a damaged file makes the reader crash, hang or read
// outside it.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/dbase/dbase_table.h"
#include "merivan/platform/engine/dbase/dbase_test_support.h"
#include "tests/fixtures/dbase_writer.h"
#include "tests/support/temp_dir.h"

namespace merivan::engine {
namespace {

using fixtures::DbaseTableLayout;
using fixtures::DbaseWriter;
using merivan::testing::TempDir;

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Opens and reads everything; returns the engine's message, or "" when all went well.
std::string OpenAndReadAll(const std::string& path) {
  try {
    std::unique_ptr<TableDriver> t = OpenDbaseTable(path);
    dbase_test::ReadAll(*t);
    return "";
  } catch (const EngineError& e) {
    return e.what();
  }
}

DbaseWriter MemoTable(uint8_t version) {
  DbaseTableLayout layout;
  layout.version = version;
  const uint32_t ref = version >= 0x30 && version <= 0x32 ? 4 : 10;
  layout.columns = {{"NAME", 'C', 4}, {"D", 'D', 8}, {"M", 'M', ref}};
  if (version == 0x8C) layout.columns.push_back({"I", 'I', 4});
  if (version == 0x30) layout.columns.push_back({"T", 'T', 8});
  DbaseWriter w(layout);
  w.AddRecord({"abc", "20010203", w.AddMemo("memo value", ref), fixtures::DbaseLe64(1)});
  w.AddRecord({"de", "", "", fixtures::DbaseLe64(2)}, true);
  w.AddRecord({"f", "2001", w.AddMemo(std::string(700, 'm'), ref), fixtures::DbaseLe64(3)});
  return w;
}

TEST(DbaseDamaged, DamagedTablesNameTheFileAndTheFault) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.columns = {{"A", 'C', 3}, {"D", 'D', 8}};
  DbaseWriter w(layout);
  w.AddRecord({"x", "20200101"});
  w.AddRecord({"y", "20200102"});
  const std::string good = w.TableBytes();
  struct Case {
    const char* what;
    std::function<std::string(std::string)> damage;
    const char* message;
  };
  const Case cases[] = {
      {"empty file", [](std::string) { return std::string(); }, "The file is empty"},
      {"short header", [](std::string b) { return b.substr(0, 20); }, "too short"},
      {"unknown version", [](std::string b) { b[0] = 0x07; return b; }, "Not a dBASE or FoxPro table (version byte $07)"},
      {"header size beyond the file", [](std::string b) { b[8] = '\xFF', b[9] = '\x7F'; return b; }, "header size"},
      {"header size too small", [](std::string b) { b[8] = 10, b[9] = 0; return b; }, "header size"},
      {"no end of the field list", [](std::string b) { b[96] = 'Z'; b[8] = 97, b[9] = 0; return b; }, "no end mark"},
      {"record size too small", [](std::string b) { b[10] = 5, b[11] = 0; return b; }, "record size"},
      {"record size zero", [](std::string b) { b[10] = 0, b[11] = 0; return b; }, "record size"},
      {"more records than the file holds", [](std::string b) { b[4] = 3; return b.substr(0, b.size() - 1); },
       "fewer records"},
      {"huge record count", [](std::string b) { b[7] = '\x7F'; return b; }, "fewer records"},
      {"truncated record", [](std::string b) { return b.substr(0, b.size() - 5); }, "fewer records"},
      {"date column of 5 bytes", [](std::string b) { b[64 + 16] = 5; return b; }, "Field D has an invalid length (5)"},
      {"encrypted", [](std::string b) { b[15] = 1; return b; }, "encrypted"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = (dir / "bad.dbf");
    WriteBytes(path, c.damage(good));
    const std::string message = OpenAndReadAll(path);
    EXPECT_NE(message.find(c.message), std::string::npos) << message;
    EXPECT_NE(message.find("File: " + path), std::string::npos) << message;
  }
}

TEST(DbaseDamaged, DamagedMemoFilesNameTheMemoFile) {
  TempDir dir;
  struct Case {
    const char* what;
    uint8_t version;
    std::function<std::string(std::string)> damage;
    const char* message;
  };
  auto put32be = [](std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (24 - 8 * i));
  };
  const Case cases[] = {
      {"memo file cut inside its header", 0x83, [](std::string b) { return b.substr(0, 10); }, "too short"},
      {"dBASE III value without end", 0x83, [](std::string b) { return b.substr(0, 512 + 5); }, "no end mark"},
      {"dBASE IV length beyond the file", 0x8B, [](std::string b) { b[512 + 6] = 0x7F; return b; }, "past the end"},
      {"dBASE IV length below its prefix", 0x8B, [](std::string b) { b[512 + 4] = 3; return b; }, "invalid length"},
      {"dBASE IV value block beyond the file", 0x8B, [](std::string b) { return b.substr(0, 1024); }, "outside"},
      {"FoxPro block size 0", 0xF5, [](std::string b) { b[6] = 0, b[7] = 0; return b; }, "block size of 0"},
      {"FoxPro length beyond the file", 0xF5, [put32be](std::string b) { put32be(b, 512 + 4, 0xFFFFFFF0u); return b; },
       "past the end"},
      {"Visual FoxPro block beyond the file", 0x30, [](std::string b) { return b.substr(0, 576); }, "outside"},
      {"FoxPro block header cut", 0x30, [](std::string b) { return b.substr(0, 512 + 4); }, "cut short"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DbaseWriter w = MemoTable(c.version);
    const std::string path = (dir / "memo.dbf");
    WriteBytes(path, w.TableBytes());
    WriteBytes(w.MemoPath(path), c.damage(w.MemoBytes()));
    const std::string message = OpenAndReadAll(path);
    EXPECT_NE(message.find(c.message), std::string::npos) << message;
    EXPECT_NE(message.find("File: " + w.MemoPath(path)), std::string::npos) << message;
  }
}

// A table cut short while it is open, between buffer reads: the next read
// fails with the engine's error, the records before it read as they were.
TEST(DbaseDamaged, TableTruncatedWhileOpenFailsAtTheNextRead) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.columns = {{"ID", 'N', 9}, {"PAD", 'C', 200}};
  DbaseWriter w(layout);
  const int n = 5000;
  for (int i = 0; i < n; ++i) w.AddRecord({std::to_string(i), "p"});
  const std::string path = dir / "cut.dbf";
  const std::string bytes = w.TableBytes();
  WriteBytes(path, bytes);
  std::unique_ptr<TableDriver> t = OpenDbaseTable(path);
  ASSERT_EQ(t->RecordCount(), n);
  ASSERT_TRUE(t->Next());
  EXPECT_EQ(dbase_test::ValueText(*t, 0), "0");
  WriteBytes(path, bytes.substr(0, bytes.size() / 2));
  int read = 1;
  try {
    while (t->Next()) {
      ASSERT_EQ(dbase_test::ValueText(*t, 0), std::to_string(read));
      ++read;
    }
    ADD_FAILURE() << "all " << read << " records read from the cut file";
  } catch (const EngineError& e) {
    EXPECT_EQ(std::string(e.what()), "The table file ends inside a record.\r\nFile: " + path);
  }
  EXPECT_LT(read, n / 2);
}

// A memo pointer is a block number behind blanks: one of blanks or zeros is
// an empty memo, anything else that names no block fails naming the memo
// file instead of losing the value without a word.
TEST(DbaseDamaged, MemoPointersThatNameNoBlockFail) {
  TempDir dir;
  struct Case {
    std::string pointer;
    const char* message;  // nullptr: the value reads as empty
  };
  const Case cases[] = {
      {"", nullptr},
      {"0000000000", nullptr},
      {"         0", nullptr},
      {std::string(10, '\0'), nullptr},
      {"9999999999", "outside the memo file"},
      {"-000000001", "outside the memo file"},
      {"1e9", "outside the memo file"},
      {"12 x", "outside the memo file"},
      {"\x01\x7F\xC8garbage", "outside the memo file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pointer);
    DbaseTableLayout layout;
    layout.version = 0x83;
    layout.columns = {{"M", 'M', 10}};
    DbaseWriter w(layout);
    w.AddRecord({w.AddMemo("first")});
    w.AddRecord({c.pointer});
    const std::string path = dir / "pointer.dbf";
    w.Write(path);
    try {
      std::unique_ptr<TableDriver> t = OpenDbaseTable(path);
      const auto rows = dbase_test::ReadAll(*t);
      EXPECT_EQ(c.message, nullptr) << "read";
      EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"first"}, {""}}));
    } catch (const EngineError& e) {
      ASSERT_NE(c.message, nullptr) << e.what();
      EXPECT_EQ(std::string(e.what()), std::string("A memo value lies outside the memo file.\r\nFile: ") + w.MemoPath(path));
    }
  }
}

// Every byte of the table header and the first memo blocks set to telling
// values, and every truncation: each run ends normally or with an engine error.
TEST(DbaseDamaged, NoDamagedByteEscapesAsAnythingButAnEngineError) {
  TempDir dir;
  for (uint8_t version : {0x02, 0x83, 0x8B, 0x8C, 0xF5, 0x30}) {
    SCOPED_TRACE(static_cast<int>(version));
    const DbaseWriter w = MemoTable(version == 0x02 ? 0x03 : version);
    std::string table = w.TableBytes();
    if (version == 0x02) table[0] = 0x02;  // the dBASE III bytes read as a dBASE II header
    const std::string memo = w.MemoBytes();
    const std::string path = (dir / "fuzz.dbf");
    const std::string memoPath = w.MemoPath(path);
    std::string written;
    auto run = [&](const std::string& t, const std::string& m) {
      WriteBytes(path, t);
      if (m != written) WriteBytes(memoPath, written = m);
      try {
        std::unique_ptr<TableDriver> d = OpenDbaseTable(path);
        dbase_test::ReadAll(*d);
      } catch (const EngineError&) {
      }
    };
    for (size_t at = 0; at < table.size(); ++at)
      for (char v : {'\0', '\xFF'}) {
        std::string t = table;
        t[at] = v;
        run(t, memo);
      }
    for (size_t n = 0; n < table.size(); n += 3) run(table.substr(0, n), memo);
    for (size_t at = 0; at < std::min<size_t>(memo.size(), 1100); at += 11)
      for (char v : {'\0', '\x1A', '\xFF'}) {
        std::string m = memo;
        m[at] = v;
        run(table, m);
      }
    for (size_t n = 0; n < memo.size(); n += 29) run(table, memo.substr(0, n));
  }
}

}  // namespace
}  // namespace merivan::engine
