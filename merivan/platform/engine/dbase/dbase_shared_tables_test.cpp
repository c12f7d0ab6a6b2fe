// The real dBASE, FoxPro and Visual FoxPro tables of the shared corpus:
// each opens, yields every live record, and its columns agree with the
// field listing that another library printed beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "merivan/platform/engine/common/read_only_file.h"
#include "merivan/platform/engine/dbase/dbase_header.h"
#include "merivan/platform/engine/dbase/dbase_table.h"
#include "merivan/platform/engine/dbase/dbase_test_support.h"

namespace merivan::engine {
namespace {

namespace fs = std::filesystem;
using dbase_test::ReadAll;
using dbase_test::ValueText;

const std::string kDir = MERIVAN_SHARED_DIR "/tables/dbase";

struct ListedColumn {
  std::string name;
  char type;
  uint32_t length;
  uint32_t decimals;
};

struct Listing {
  int records = -1;
  std::vector<ListedColumn> columns;
};

// The listing's "Records: n" line and its table of columns below the dashes.
Listing ParseListing(const std::string& path) {
  Listing l;
  std::ifstream in(path);
  std::string line;
  bool inTable = false;
  while (std::getline(in, line)) {
    if (line.rfind("Records:", 0) == 0) l.records = std::stoi(line.substr(8));
    if (line.rfind("-----", 0) == 0) {
      inTable = true;
      continue;
    }
    if (!inTable || line.find_first_not_of(' ') == std::string::npos) continue;
    std::istringstream fields(line);
    ListedColumn c;
    std::string type;
    fields >> c.name >> type >> c.length >> c.decimals;
    c.type = type.at(0);
    l.columns.push_back(c);
  }
  return l;
}

std::vector<std::string> TableFiles() {
  std::vector<std::string> files;
  if (!fs::is_directory(kDir)) return files;
  for (const auto& e : fs::directory_iterator(kDir))
    if (e.path().extension() == ".dbf") files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

// The field type each listed column must get.
ColumnKind ExpectedType(const ListedColumn& c, DbaseFlavour flavour) {
  switch (c.type) {
    case 'C': case 'V': return ColumnKind::kString;
    case 'N': return c.decimals ? ColumnKind::kFloat : c.length <= 4 ? ColumnKind::kSmallint : c.length <= 9 ? ColumnKind::kInteger : ColumnKind::kFloat;
    case 'F': return ColumnKind::kFloat;
    case 'D': return ColumnKind::kDate;
    case 'L': return ColumnKind::kBoolean;
    case 'M': return ColumnKind::kMemo;
    case 'I': return ColumnKind::kInteger;
    case 'Y': return ColumnKind::kCurrency;
    case 'T': return ColumnKind::kDateTime;
    case 'B': return flavour == DbaseFlavour::kVisualFoxPro ? ColumnKind::kFloat : ColumnKind::kBlob;
    default: return ColumnKind::kUnknown;
  }
}

TEST(DbaseSharedTables, EveryTableOpensAndReadsEveryLiveRecord) {
  const std::vector<std::string> files = TableFiles();
  if (files.empty()) GTEST_SKIP() << "no shared dBASE tables in " << kDir;
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    std::unique_ptr<TableDriver> t = OpenDbaseTable(path);
    const auto rows = ReadAll(*t);
    EXPECT_EQ(static_cast<int32_t>(rows.size()), t->RecordCount());
    EXPECT_FALSE(t->Next());
  }
}

TEST(DbaseSharedTables, ColumnsAgreeWithTheirListings) {
  const std::vector<std::string> files = TableFiles();
  if (files.empty()) GTEST_SKIP() << "no shared dBASE tables in " << kDir;
  int compared = 0;
  for (const std::string& path : files) {
    const std::string listingPath = path.substr(0, path.size() - 4) + "_summary.txt";
    if (!fs::exists(listingPath)) continue;
    SCOPED_TRACE(path);
    ++compared;
    const Listing listing = ParseListing(listingPath);
    ReadOnlyFile file(path);
    const DbaseHeader header = ReadDbaseHeader(file);
    ASSERT_EQ(header.columns.size(), listing.columns.size());
    std::unique_ptr<TableDriver> t = OpenDbaseTable(path);
    EXPECT_EQ(t->RecordCount(), listing.records);
    size_t field = 0;
    for (size_t i = 0; i < listing.columns.size(); ++i) {
      const ListedColumn& want = listing.columns[i];
      const DbaseColumn& got = header.columns[i];
      EXPECT_EQ(got.name, want.name);
      EXPECT_EQ(got.type, want.type);
      EXPECT_EQ(got.length, want.length);
      // The listing shows no decimals for dBASE II columns, though the file
      // has them (PAYRATE holds "6.000"): the file wins.
      ListedColumn expected = want;
      if (header.flavour == DbaseFlavour::kDbase2) expected.decimals = got.decimals;
      EXPECT_EQ(got.decimals, expected.decimals);
      if (want.type == '0') continue;  // _NullFlags is no field
      ASSERT_LT(field, t->Fields().size());
      const FieldDescriptor& f = t->Fields()[field++];
      EXPECT_EQ(f.type, ExpectedType(expected, header.flavour)) << want.name;
      // Names in other letters reach the store converted to the ANSI code page.
      if (std::all_of(want.name.begin(), want.name.end(), [](char ch) { return ch > 0; })) {
        EXPECT_EQ(f.name, want.name);
      }
    }
    EXPECT_EQ(field, t->Fields().size());
  }
  EXPECT_GT(compared, 0);
}

// Values read from the real files, checked against their bytes by hand.
TEST(DbaseSharedTables, KnownValues) {
  if (TableFiles().empty()) GTEST_SKIP() << "no shared dBASE tables in " << kDir;
  struct Case {
    const char* file;
    size_t record;
    const char* field;
    std::string text;
  };
  const Case cases[] = {
      {"dbase_8b.dbf", 0, "CHARACTER", "One" + std::string(97, ' ')},
      {"dbase_8b.dbf", 0, "NUMERICAL", "1"},
      {"dbase_8b.dbf", 0, "DATE", dbase_test::Day(1970, 1, 1)},
      {"dbase_8b.dbf", 0, "LOGICAL", "T"},
      {"dbase_8b.dbf", 1, "DATE", dbase_test::Day(1970, 12, 31)},
      {"dbase_8b.dbf", 0, "FLOAT", "1.23456789012346"},
      {"dbase_8b.dbf", 0, "MEMO", "First memo\r\n"},
      {"dbase_31.dbf", 0, "PRODUCTID", "1"},
      {"dbase_31.dbf", 0, "UNITPRICE", "18"},
      {"dbase_31.dbf", 0, "UNITSINSTO", "39"},
      {"dbase_31.dbf", 0, "DISCONTINU", "F"},
      {"dbase_32.dbf", 0, "NAME", "Bad Meets Evil"},
      {"vfp_calls.dbf", 0, "CALL_ID", "1"},
      {"dbase_83.dbf", 0, "ID", "87"},
      {"dbase_8c.dbf", 0, "ID", "1"},
      {"dbase_8c.dbf", 0, "Length CM", "100"},
      {"dbase_8c.dbf", 0, "Name", "Clown Triggerfish" + std::string(13, ' ')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.field);
    std::unique_ptr<TableDriver> t = OpenDbaseTable(kDir + "/" + c.file);
    for (size_t r = 0; r <= c.record; ++r) ASSERT_TRUE(t->Next());
    size_t index = t->Fields().size();
    for (size_t i = 0; i < t->Fields().size(); ++i)
      if (t->Fields()[i].name == c.field) index = i;
    ASSERT_LT(index, t->Fields().size());
    EXPECT_EQ(ValueText(*t, index), c.text);
  }
}

}  // namespace
}  // namespace merivan::engine
