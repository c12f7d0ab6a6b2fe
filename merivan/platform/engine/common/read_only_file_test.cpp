// Positioned reads of table files, and the files that cannot be tables.
#include "merivan/platform/engine/common/read_only_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "merivan/platform/engine/common/engine_error.h"
#include "tests/support/temp_dir.h"

namespace merivan::engine {
namespace {

std::string FailureOf(const std::string& path) {
  try {
    ReadOnlyFile file(path);
  } catch (const EngineError& e) {
    return e.what();
  }
  return "<opened>";
}

TEST(ReadOnlyFile, ReadsAtOffsetsAndShortOnlyAtTheEnd) {
  const testing::TempDir dir;
  std::ofstream(dir / "t.db", std::ios::binary) << "0123456789";
  const ReadOnlyFile file(dir / "t.db");
  EXPECT_EQ(file.Size(), 10u);
  uint8_t buf[8] = {};
  EXPECT_EQ(file.ReadAt(6, 8, buf), 4u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 4), "6789");
  EXPECT_EQ(file.ReadAt(10, 8, buf), 0u);
  file.ReadExactly(2, 3, buf, "Cut short.");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 3), "234");
  try {
    file.ReadExactly(8, 3, buf, "The table file ends inside a record.");
    FAIL() << "a short read passed";
  } catch (const EngineError& e) {
    EXPECT_EQ(std::string(e.what()), "The table file ends inside a record.\r\nFile: " + dir / "t.db");
  }
}

// A FIFO would block the open until some writer came; folders and missing
// files fail too, each naming the file.
TEST(ReadOnlyFile, WhatIsNoRegularFileFails) {
  const testing::TempDir dir;
  ASSERT_EQ(mkfifo((dir / "fifo.db").c_str(), 0600), 0);
  std::filesystem::create_directory(dir / "folder.db");
  struct Case {
    const char* name;
    const char* message;
  };
  for (const Case& c : {Case{"fifo.db", "Not a regular file."}, Case{"folder.db", "Not a regular file."},
                        Case{"missing.db", "Cannot open the file: No such file or directory."}})
    EXPECT_EQ(FailureOf(dir / c.name), std::string(c.message) + "\r\nFile: " + dir / c.name);
}

}  // namespace
}  // namespace merivan::engine
