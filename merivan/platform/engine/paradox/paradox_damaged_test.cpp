// Damaged tables: every bad size, pointer, descriptor and blob reference is
// an engine error that names the file and what is wrong, never a crash, a
// hang or a read outside the files.
#include <gtest/gtest.h>

#include <functional>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/paradox/paradox_table.h"
#include "merivan/platform/engine/paradox/paradox_test_util.h"
#include "tests/fixtures/paradox_writer.h"

namespace merivan::engine {
namespace {

using namespace fixtures;
using namespace paradox_test;

// The table every case damages: version 7, 1 KB blocks of 4 records,
// N Long, M Memo (20), G Graphic (20); 30 records.
constexpr size_t kHeader = 0x800, kBlock = 1024, kRecord = 44, kPerBlock = 4;
constexpr size_t kMbBlock = 4096;

size_t RecordAt(size_t i) { return kHeader + (i / kPerBlock) * kBlock + 6 + (i % kPerBlock) * kRecord; }
size_t MemoRef(size_t i) { return RecordAt(i) + 4 + 10; }
size_t GraphicRef(size_t i) { return RecordAt(i) + 24 + 10; }
size_t BlockAt(size_t k) { return kHeader + (k - 1) * kBlock; }

void Put16(std::string& b, size_t at, uint32_t v) {
  b[at] = static_cast<char>(v);
  b[at + 1] = static_cast<char>(v >> 8);
}
void Put32(std::string& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

struct Files {
  std::string db, mb;
};

Files WriteBase(const std::string& dir) {
  PxLayout l;
  l.version = 0x0C;
  l.blockSizeKb = 1;
  l.recordsPerBlock = kPerBlock;
  l.fields = {{"N", PxType::Long}, {"M", PxType::Memo, 20}, {"G", PxType::Graphic, 20}};
  std::vector<std::vector<PxValue>> rows;
  for (int i = 0; i < 30; ++i) {
    const std::string memo = i == 0 ? std::string(300, 'a') : i == 1 ? std::string(6000, 'b') : i == 2 ? "kratke" : "";
    rows.push_back({PxInt(i + 1), PxText(memo), i == 3 ? PxText(std::string(5000, 'g')) : PxNull()});
  }
  WriteParadoxTable(dir + "/poskozena.db", l, rows);
  return {ReadFile(dir + "/poskozena.db"), ReadFile(dir + "/poskozena.mb")};
}

// Opens the table and reads every value; returns the engine's message.
std::string Failure(const std::string& path) {
  try {
    auto t = OpenParadoxTable(path);
    while (t->Next()) {
      for (size_t i = 0; i < t->Fields().size(); ++i) Render(*t, i);
    }
  } catch (const EngineError& e) {
    return e.what();
  }
  return "";
}

TEST(ParadoxDamaged, TheBaseTableIsSound) {
  const std::string dir = ScratchDir();
  WriteBase(dir);
  EXPECT_EQ(Failure(dir + "/poskozena.db"), "");
  auto t = OpenParadoxTable(dir + "/poskozena.db");
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(t->Next());
  EXPECT_EQ(t->BlobSize(2), 5000u);  // the graphic sits where the cases expect it
}

struct Case {
  const char* name;
  std::function<void(Files&)> damage;
  const char* message;  // a part of the expected message
  bool mbNamed = false;  // the message names the .mb file, not the table
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      // Cut short.
      {"empty file", [](Files& f) { f.db.clear(); }, "too short"},
      {"cut inside the header", [](Files& f) { f.db.resize(0x70); }, "header size"},
      {"cut before the names end", [](Files& f) { f.db.resize(0x7FF); }, "header size"},
      {"cut inside a data block", [](Files& f) { f.db.resize(BlockAt(8) + 100); }, "block pointer names block 8"},
      {"last blocks missing", [](Files& f) { f.db.resize(BlockAt(3)); }, "names block 3"},
      // Header fields.
      {"index file", [](Files& f) { f.db[0x04] = 1; }, "file type 1"},
      {"unknown version", [](Files& f) { f.db[0x39] = 0x20; }, "version byte 32"},
      {"zero block size", [](Files& f) { f.db[0x05] = 0; }, "block size of 0 KB"},
      {"record size zero", [](Files& f) { Put16(f.db, 0, 0); }, "record size 0"},
      {"record larger than a block", [](Files& f) { Put16(f.db, 0, 2000); }, "record size 2000"},
      {"record size against fields", [](Files& f) { Put16(f.db, 0, 45); }, "fields take 44 bytes"},
      {"header size beyond the file", [](Files& f) { Put16(f.db, 2, 0xF000); }, "header size"},
      {"header size too small", [](Files& f) { Put16(f.db, 2, 0x20); }, "header size"},
      {"no fields", [](Files& f) { Put16(f.db, 0x21, 0); }, "declares 0 fields"},
      {"too many fields", [](Files& f) { Put16(f.db, 0x21, 1000); }, "declares 1000 fields"},
      {"more records than blocks hold", [](Files& f) { Put32(f.db, 6, 100000); }, "at most"},
      {"fewer records than the blocks hold", [](Files& f) { Put32(f.db, 6, 20); }, "more than the 20 records"},
      {"more records than the chain holds", [](Files& f) { Put32(f.db, 6, 31); }, "the data blocks hold 30"},
      // Field descriptors.
      {"date of 3 bytes", [](Files& f) { f.db[0x78] = 0x02; f.db[0x79] = 3; }, "has size 3 instead of 4"},
      {"blob too small for its reference", [](Files& f) { f.db[0x7B] = 9; }, "too small for its reference"},
      {"unknown type of no width", [](Files& f) { f.db[0x78] = 0x30; f.db[0x79] = 0; }, "unknown type 48"},
      {"names never ended",
       [](Files& f) { std::fill(f.db.begin() + 0x78 + 6 + 16 + 261, f.db.begin() + kHeader, 'x'); },
       "names run past the header"},
      // Block chain.
      {"first block beyond the file", [](Files& f) { Put16(f.db, 0x0E, 60); }, "names block 60"},
      {"next beyond the file", [](Files& f) { Put16(f.db, BlockAt(2), 9); }, "names block 9"},
      {"block pointing to itself", [](Files& f) { Put16(f.db, BlockAt(3), 3); }, "loops back to block 3"},
      {"loop to the first block", [](Files& f) { Put16(f.db, BlockAt(8), 1); }, "loops back to block 1"},
      {"too many records in a block", [](Files& f) { Put16(f.db, BlockAt(2) + 4, 30 * kRecord); },
       "block 2 claims more records"},
      {"part of a record in a block", [](Files& f) { Put16(f.db, BlockAt(2) + 4, 2 * kRecord + 1); },
       "block 2 holds a part of a record"},
      // Blob references.
      {"in-record blob longer than its room", [](Files& f) { Put32(f.db, MemoRef(2) + 4, 11); },
       "claims 11 bytes in a record that holds 10"},
      {"reference to the header block", [](Files& f) { Put32(f.db, MemoRef(0), 0x0005); },
       "does not name a block", true},
      {"reference not on a block", [](Files& f) { Put32(f.db, MemoRef(0), 0x1100); }, "does not name a block", true},
      {"reference beyond the file", [](Files& f) { Put32(f.db, MemoRef(0), 0x100000); }, "does not name a block",
       true},
      {"slot index 64", [](Files& f) { Put32(f.db, MemoRef(0), 0x1040); }, "slot 64 of 64", true},
      {"empty slot", [](Files& f) { Put32(f.db, MemoRef(0), 0x1001); }, "empty or bad slot 1", true},
      {"slot length differs", [](Files& f) { Put32(f.db, MemoRef(0) + 4, 301); }, "of 301 bytes finds 300", true},
      {"slot outside its block", [](Files& f) { f.mb[kMbBlock + 12] = static_cast<char>(0xFF); },
       "lying outside its block", true},
      {"slot data over the slot table", [](Files& f) { f.mb[kMbBlock + 12] = 1; }, "lying outside its block", true},
      {"single value in a small-value block", [](Files& f) { Put32(f.db, MemoRef(1), 0x10FF); },
       "not a value block", true},
      {"slot of a single-value block", [](Files& f) { Put32(f.db, MemoRef(0), 0x2000); }, "not a small-value block",
       true},
      {"single value of another length", [](Files& f) { Put32(f.db, MemoRef(1) + 4, 6001); },
       "of 6001 bytes finds 6000", true},
      {"single value past its blocks",
       [](Files& f) {
         Put32(f.db, MemoRef(1) + 4, 9000);
         Put32(f.mb, 2 * kMbBlock + 3, 9000);
       },
       "runs past its blocks", true},
      {"blob file cut short", [](Files& f) { f.mb.resize(2 * kMbBlock + 100); }, "", true},
      {"graphic shorter than its prefix",
       [](Files& f) {
         Put32(f.db, GraphicRef(3) + 4, 5);
         Put32(f.mb, 4 * kMbBlock + 3, 5);
       },
       "without its 8-byte prefix", true},
      {"blob file missing", [](Files& f) { f.mb = "<missing>"; }, "blob file of the table is missing", true},
  };
  return cases;
}

TEST(ParadoxDamaged, EveryDamageIsAnEngineErrorNamingTheFile) {
  const std::string dir = ScratchDir();
  const Files base = WriteBase(dir);
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    Files f = base;
    c.damage(f);
    const std::string path = dir + "/poskozena.db";
    WriteFile(path, f.db);
    std::filesystem::remove(dir + "/poskozena.mb");
    if (f.mb != "<missing>") WriteFile(dir + "/poskozena.mb", f.mb);
    const std::string message = Failure(path);
    ASSERT_FALSE(message.empty()) << "no failure";
    EXPECT_NE(message.find(c.message), std::string::npos) << message;
    const std::string named = c.mbNamed ? "poskozena.mb" : "poskozena.db";
    EXPECT_NE(message.find("\r\nFile: "), std::string::npos) << message;
    std::string lower = message;  // the blob file is looked up ignoring case
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_NE(lower.find(named), std::string::npos) << message;
  }
}

TEST(ParadoxDamaged, EveryTruncationFailsCleanly) {
  const std::string dir = ScratchDir();
  const Files base = WriteBase(dir);
  const std::string path = dir + "/poskozena.db";
  WriteFile(dir + "/poskozena.mb", base.mb);
  for (size_t size = 0; size < base.db.size(); size += size < 0x900 ? 7 : 97) {
    WriteFile(path, base.db.substr(0, size));
    EXPECT_NE(Failure(path), "") << "cut to " << size;
  }
}

TEST(ParadoxDamaged, MissingFileIsAnEngineError) {
  const std::string path = ScratchDir() + "/neni.db";
  EXPECT_NE(Failure(path).find("neni.db"), std::string::npos);
}

}  // namespace
}  // namespace merivan::engine
