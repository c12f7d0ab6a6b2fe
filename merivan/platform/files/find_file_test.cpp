// Files found by name as Windows finds them: ignoring the case of letters.
#include "merivan/platform/files/find_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/temp_dir.h"

namespace merivan::platform {
namespace {

TEST(FindFile, ExactNameFirstThenIgnoringCase) {
  const testing::TempDir dir;
  for (const char* name : {"Pisne.MB", "pisne.mb", "ADRESY.DBT", "data.txt"}) std::ofstream(dir / name) << "x";
  EXPECT_EQ(FindFileIgnoringCase(dir.path(), "pisne.mb"), dir / "pisne.mb");
  EXPECT_EQ(FindFileIgnoringCase(dir.path(), "PISNE.mb"), dir / "Pisne.MB");  // first in byte order
  EXPECT_EQ(FindFileIgnoringCase(dir.path(), "adresy.dbt"), dir / "ADRESY.DBT");
  EXPECT_EQ(FindFileIgnoringCase(dir.path(), "adresy.fpt"), std::nullopt);
  EXPECT_EQ(FindFileIgnoringCase(dir / "missing", "data.txt"), std::nullopt);
}

TEST(FindFile, BesideATableByItsExtension) {
  const testing::TempDir dir;
  for (const char* name : {"ADRESY.DBT", "data.SCH", "pisne.mb"}) std::ofstream(dir / name) << "x";
  struct Case {
    const char* table;
    const char* extension;
    const char* found;  // nullptr: none
  };
  for (const Case& c : {Case{"adresy.dbf", ".dbt", "ADRESY.DBT"}, Case{"Adresy.DBF", ".fpt", nullptr},
                        Case{"data.txt", ".sch", "data.SCH"}, Case{"Pisne.DB", ".MB", "pisne.mb"},
                        Case{"pisne", ".mb", "pisne.mb"}}) {
    const std::optional<std::string> found = FindBesideIgnoringCase(dir / c.table, c.extension);
    if (c.found)
      EXPECT_EQ(found, dir / c.found) << c.table;
    else
      EXPECT_EQ(found, std::nullopt) << c.table;
  }
  EXPECT_EQ(FindBesideIgnoringCase("/merivan-no-such-table.db", ".mb"), std::nullopt);
}

TEST(FindFile, ReplaceExtensionLooksAtTheFileNameOnly) {
  EXPECT_EQ(ReplaceExtension("a/b.db", ".MB"), "a/b.MB");
  EXPECT_EQ(ReplaceExtension("a.dir/b", ".MB"), "a.dir/b.MB");
  EXPECT_EQ(ReplaceExtension("b.tar.gz", ".sch"), "b.tar.sch");
  EXPECT_EQ(ReplaceExtension("b", ".sch"), "b.sch");
}

}  // namespace
}  // namespace merivan::platform
