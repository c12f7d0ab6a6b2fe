#include "merivan/store/table_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "merivan/exceptions.h"
#include "tests/support/temp_dir.h"

namespace merivan {
namespace {

class TableLocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* f : {"ADRESATI.DB", "Other.Db", "lidi.DBF", "data.txt", "plain.DB"}) {
      std::ofstream(dir_ + "/" + f) << "x";
    }
    ASSERT_EQ(mkdir((dir_ + "/sub").c_str(), 0755), 0);
    std::ofstream(dir_ + "/sub/Inner.db") << "x";
  }

  std::string Failure(const std::string& database, const std::string& table) {
    try {
      LocateTableFile(database, table);
    } catch (const EDBEngineError& e) {
      return e.what();
    }
    return "found";
  }

  testing::TempDir tmp_;
  const std::string dir_ = tmp_.path();
};

TEST(TableDriverChoice, ExtensionIgnoringCase) {
  EXPECT_EQ(DriverForTableName("a.dbf"), TableDriverKind::kDbase);
  EXPECT_EQ(DriverForTableName("A.DBF"), TableDriverKind::kDbase);
  EXPECT_EQ(DriverForTableName("a.Txt"), TableDriverKind::kText);
  EXPECT_EQ(DriverForTableName("a.db"), TableDriverKind::kParadox);
  EXPECT_EQ(DriverForTableName("a"), TableDriverKind::kParadox);
  EXPECT_EQ(DriverForTableName("a.dbf.bak"), TableDriverKind::kParadox);
  EXPECT_EQ(DriverForTableName("dir.txt/a"), TableDriverKind::kParadox);
}

TEST(TableDriverChoice, DirectoryOrAlias) {
  for (const char* d : {"", "/data", "./x", "C:\\data", "c:", "a\\b"}) EXPECT_TRUE(IsDirectoryName(d)) << d;
  for (const char* a : {"DBDEMOS", "data", "my alias"}) EXPECT_FALSE(IsDirectoryName(a)) << a;
}

TEST_F(TableLocationTest, FindsFilesIgnoringCase) {
  EXPECT_EQ(LocateTableFile(dir_, "Adresati.db"), dir_ + "/ADRESATI.DB");
  EXPECT_EQ(LocateTableFile(dir_, "other.db"), dir_ + "/Other.Db");
  EXPECT_EQ(LocateTableFile(dir_, "LIDI.dbf"), dir_ + "/lidi.DBF");
  EXPECT_EQ(LocateTableFile(dir_, "plain"), dir_ + "/plain.DB");
  EXPECT_EQ(LocateTableFile(dir_, "sub/INNER.DB"), dir_ + "/sub/Inner.db");
  EXPECT_EQ(LocateTableFile("/nonexistent/", dir_ + "/data.TXT"), dir_ + "/data.txt");
}

TEST_F(TableLocationTest, CurrentDirectoryWhenEmpty) {
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(dir_.c_str()), 0);
  const std::string found = LocateTableFile("", "adresati.db");
  ASSERT_EQ(chdir(cwd), 0);
  EXPECT_EQ(found, "./ADRESATI.DB");
}

TEST_F(TableLocationTest, Failures) {
  EXPECT_EQ(Failure("DBDEMOS", "a.db"),
            "A database alias names no table file: DBDEMOS");
  EXPECT_EQ(Failure(dir_, "missing.db"), "Table does not exist.\r\nTable: " + dir_ + "/missing.db");
  EXPECT_EQ(Failure(dir_ + "/none", "a.db"), "Directory does not exist.\r\nDirectory: " + dir_ + "/none");
  EXPECT_EQ(Failure(dir_, "sub"), "Table does not exist.\r\nTable: " + dir_ + "/sub.DB");
}

}  // namespace
}  // namespace merivan
