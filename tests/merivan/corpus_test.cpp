// Every Paradox table of the shared corpus through the binary: each exports
// (the encrypted ones fail as a cancelled password prompt), one line per record.
#include <gtest/gtest.h>

#include <cstring>

#include "merivan/store/ttable.h"
#include "tests/support/corpus_files.h"
#include "tests/support/merivan_process.h"

namespace merivan::e2e {
namespace {

const std::string kCorpus = std::string(MERIVAN_SHARED_DIR) + "/tables/paradox";

uint32_t HeaderRecordCount(const std::string& file) {
  const std::string bytes = ReadFile(file).substr(0, 10);
  uint32_t n = 0;
  if (bytes.size() >= 10) std::memcpy(&n, bytes.data() + 6, 4);
  return n;
}

// The line ends the export must write: one after the header and one per
// record, plus those inside the values themselves (memos keep theirs).
size_t ExpectedLineEnds(const std::string& name, uint32_t& records) {
  TTable table;
  table.Name = "ADR";
  table.SetDatabaseName(kCorpus);
  table.SetTableName(name);
  table.SetActive(true);
  size_t ends = 1;
  records = 0;
  std::string text;
  for (; !table.Eof(); table.Next()) {
    ++records;
    ++ends;
    for (int i = 0; i < table.FieldCount(); ++i) {
      table.Fields(i).ValueText(text);
      ends += testing::Occurrences(text, "\r\n");
    }
  }
  return ends;
}

TEST(Corpus, EveryParadoxTableExports) {
  const auto names = testing::FilesWithExtension(kCorpus, ".db");
  if (names.empty()) GTEST_SKIP() << "no shared Paradox tables in " << kCorpus;
  TempDir dir;
  for (const std::string& name : names) {
    const RunResult r = RunMerivan({kCorpus, name, dir / "out.txt"});
    if (name.rfind("encrypted", 0) == 0) {
      EXPECT_EQ(r.exitStatus, 255) << name;
      EXPECT_NE(r.err.find("password"), std::string::npos) << name << ": " << r.err;
      EXPECT_EQ(ReadFile(dir / "out.txt"), "") << name;
      continue;
    }
    EXPECT_EQ(r.exitStatus, 0) << name << ": " << r.err;
    EXPECT_EQ(r.err, "") << name;
    uint32_t records = 0;
    const size_t ends = ExpectedLineEnds(name, records);
    EXPECT_EQ(records, HeaderRecordCount(kCorpus + "/" + name)) << name;
    const std::string out = ReadFile(dir / "out.txt");
    EXPECT_EQ(testing::Occurrences(out, "\r\n"), ends) << name;
    EXPECT_EQ(out.size() >= 2 ? out.substr(out.size() - 2) : out, "\r\n") << name;
  }
}

}  // namespace
}  // namespace merivan::e2e
