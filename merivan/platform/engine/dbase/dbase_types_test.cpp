// Each stored column type of each family, read from tables we write.
#include <gtest/gtest.h>

#include "merivan/platform/engine/dbase/dbase_table.h"
#include "merivan/platform/engine/dbase/dbase_test_support.h"
#include "tests/fixtures/dbase_writer.h"
#include "tests/support/record_copies.h"
#include "tests/support/temp_dir.h"

namespace merivan::engine {
namespace {

using fixtures::DbaseColumn;
using fixtures::DbaseTableLayout;
using fixtures::DbaseWriter;
using dbase_test::Day;
using merivan::testing::TempDir;
using dbase_test::ValueText;

struct TypeCase {
  const char* what;
  uint8_t version;
  DbaseColumn column;
  std::string stored;
  ColumnKind type;
  std::string text;
};

std::string Ms(int32_t day, int64_t ms) { return std::to_string(static_cast<int64_t>(day) * 86400000 + ms); }

TEST(DbaseTypes, EachStoredTypeGivesItsFieldTypeAndValue) {
  const int32_t march5 = 730914;  // 5 March 2002
  const TypeCase cases[] = {
      {"C keeps its blanks", 0x03, {"NAME", 'C', 8}, "Smith", ColumnKind::kString, "Smith   "},
      {"C of blanks", 0x03, {"NAME", 'C', 3}, "", ColumnKind::kString, "   "},
      {"N 4 smallint", 0x03, {"N", 'N', 4}, " -12", ColumnKind::kSmallint, "-12"},
      {"N 4 largest", 0x03, {"N", 'N', 4}, "9999", ColumnKind::kSmallint, "9999"},
      {"N 5 integer", 0x03, {"N", 'N', 5}, "-1234", ColumnKind::kInteger, "-1234"},
      {"N 9 integer", 0x03, {"N", 'N', 9}, "123456789", ColumnKind::kInteger, "123456789"},
      {"N 10 float", 0x03, {"N", 'N', 10}, "1234567890", ColumnKind::kFloat, "1234567890"},
      {"N decimals", 0x03, {"N", 'N', 8, 2}, "  -12.50", ColumnKind::kFloat, "-12.5"},
      {"N plus sign", 0x03, {"N", 'N', 8, 2}, "   +3.25", ColumnKind::kFloat, "3.25"},
      {"N blank is null", 0x03, {"N", 'N', 6}, "", ColumnKind::kInteger, "<null>"},
      {"N overflow marks are null", 0x03, {"N", 'N', 4}, "****", ColumnKind::kSmallint, "<null>"},
      {"N letters are null", 0x03, {"N", 'N', 10, 2}, "   12a.00", ColumnKind::kFloat, "<null>"},
      {"N fraction in an integer column is null", 0x03, {"N", 'N', 5}, "  1.5", ColumnKind::kInteger, "<null>"},
      {"N two signs are null", 0x03, {"N", 'N', 5}, " --15", ColumnKind::kInteger, "<null>"},
      {"F", 0x04, {"F", 'F', 10, 3}, "     3.125", ColumnKind::kFloat, "3.125"},
      {"F without decimals", 0x04, {"F", 'F', 3}, "  7", ColumnKind::kFloat, "7"},
      {"D", 0x03, {"D", 'D', 8}, "20020305", ColumnKind::kDate, Day(2002, 3, 5)},
      {"D first day", 0x03, {"D", 'D', 8}, "00010101", ColumnKind::kDate, "1"},
      {"D blank is null", 0x03, {"D", 'D', 8}, "", ColumnKind::kDate, "<null>"},
      {"D zeros are null", 0x03, {"D", 'D', 8}, "00000000", ColumnKind::kDate, "<null>"},
      {"D month 13 is null", 0x03, {"D", 'D', 8}, "20021305", ColumnKind::kDate, "<null>"},
      {"D 29 February of 1900 is null", 0x03, {"D", 'D', 8}, "19000229", ColumnKind::kDate, "<null>"},
      {"D 29 February of 2000", 0x03, {"D", 'D', 8}, "20000229", ColumnKind::kDate, Day(2000, 2, 29)},
      {"L T", 0x03, {"L", 'L', 1}, "T", ColumnKind::kBoolean, "T"},
      {"L y", 0x03, {"L", 'L', 1}, "y", ColumnKind::kBoolean, "T"},
      {"L N", 0x03, {"L", 'L', 1}, "N", ColumnKind::kBoolean, "F"},
      {"L f", 0x03, {"L", 'L', 1}, "f", ColumnKind::kBoolean, "F"},
      {"L ? is null", 0x03, {"L", 'L', 1}, "?", ColumnKind::kBoolean, "<null>"},
      {"L blank is null", 0x03, {"L", 'L', 1}, " ", ColumnKind::kBoolean, "<null>"},
      {"I Visual FoxPro", 0x30, {"I", 'I', 4}, fixtures::DbaseLe32(static_cast<uint32_t>(-5)), ColumnKind::kInteger, "-5"},
      {"I level 7", 0x8C, {"I", 'I', 4}, fixtures::DbaseFlipped32(-5), ColumnKind::kInteger, "-5"},
      {"I level 7 zero bytes are null", 0x8C, {"I", 'I', 4}, std::string(4, '\0'), ColumnKind::kInteger, "<null>"},
      {"+ level 7", 0x8C, {"A", '+', 4}, fixtures::DbaseFlipped32(7), ColumnKind::kAutoInc, "7"},
      {"Y", 0x30, {"Y", 'Y', 8, 4}, fixtures::DbaseLe64(125000), ColumnKind::kCurrency, "12.5"},
      {"Y negative", 0x31, {"Y", 'Y', 8, 4}, fixtures::DbaseLe64(static_cast<uint64_t>(-1)), ColumnKind::kCurrency, "-0.0001"},
      {"B Visual FoxPro double", 0x30, {"B", 'B', 8}, fixtures::DbaseLeDouble(2.5), ColumnKind::kFloat, "2.5"},
      {"T", 0x30, {"T", 'T', 8}, fixtures::DbaseVfpDateTime(march5 + 1721425, 50709000), ColumnKind::kDateTime,
       Ms(march5, 50709000)},
      {"T empty is null", 0x30, {"T", 'T', 8}, std::string(8, '\0'), ColumnKind::kDateTime, "<null>"},
      {"O", 0x8C, {"O", 'O', 8}, fixtures::DbaseFlippedDouble(-2.25), ColumnKind::kFloat, "-2.25"},
      {"O positive", 0x8C, {"O", 'O', 8}, fixtures::DbaseFlippedDouble(1e300), ColumnKind::kFloat, "1e+300"},
      {"O zero bytes are null", 0x8C, {"O", 'O', 8}, std::string(8, '\0'), ColumnKind::kFloat, "<null>"},
      {"@", 0x8C, {"TS", '@', 8}, fixtures::DbaseFlippedDouble(730914.0 * 86400000 + 1000), ColumnKind::kDateTime,
       Ms(march5, 1000)},
      {"V full length", 0x32, {"V", 'V', 5}, "abcde", ColumnKind::kString, "abcde"},
      {"Q full length", 0x32, {"Q", 'Q', 3}, std::string("x\0y", 3), ColumnKind::kVarBytes, std::string("x\0y", 3)},
  };
  TempDir dir;
  for (const TypeCase& c : cases) {
    SCOPED_TRACE(c.what);
    DbaseTableLayout layout;
    layout.version = c.version;
    layout.columns = {c.column};
    DbaseWriter w(layout);
    w.AddRecord({c.stored});
    const std::string path = (dir / "t.dbf");
    w.Write(path);
    std::unique_ptr<TableDriver> t = OpenDbaseTable(path);
    ASSERT_EQ(t->Fields().size(), 1u);
    EXPECT_EQ(t->Fields()[0].name, c.column.name);
    EXPECT_EQ(t->Fields()[0].type, c.type);
    if (c.type == ColumnKind::kString || c.type == ColumnKind::kVarBytes) {
      EXPECT_EQ(t->Fields()[0].size, static_cast<int>(c.column.length));
    }
    ASSERT_TRUE(t->Next());
    EXPECT_EQ(ValueText(*t, 0), c.text);
    EXPECT_FALSE(t->Next());
  }
}

TEST(DbaseTypes, MemoColumnsOfEachFamilyGiveTheirBlobTypes) {
  struct Case {
    uint8_t version;
    char letter;
    uint32_t length;
    ColumnKind type;
  };
  const Case cases[] = {
      {0x83, 'M', 10, ColumnKind::kMemo},     {0x8B, 'M', 10, ColumnKind::kMemo},    {0x8B, 'B', 10, ColumnKind::kBlob},
      {0x8B, 'G', 10, ColumnKind::kDbaseOle}, {0x8C, 'G', 10, ColumnKind::kDbaseOle}, {0xF5, 'M', 10, ColumnKind::kMemo},
      {0xF5, 'G', 10, ColumnKind::kDbaseOle}, {0x30, 'M', 4, ColumnKind::kMemo},     {0x30, 'G', 4, ColumnKind::kDbaseOle},
      {0x31, 'W', 4, ColumnKind::kBlob},      {0x30, 'P', 4, ColumnKind::kGraphic},
  };
  TempDir dir;
  const std::string value("bytes\0\x01\xFF of a value\r\n", 21);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.version) + " " + c.letter);
    DbaseTableLayout layout;
    layout.version = c.version;
    layout.columns = {{"K", 'C', 2}, {"V", c.letter, c.length}};
    DbaseWriter w(layout);
    w.AddRecord({"a", w.AddMemo(value, c.length)});
    w.AddRecord({"b", ""});
    w.Write(dir / "m.dbf");
    std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "m.dbf");
    ASSERT_EQ(t->Fields().size(), 2u);
    EXPECT_EQ(t->Fields()[1].type, c.type);
    ASSERT_TRUE(t->Next());
    EXPECT_EQ(ValueText(*t, 1), value);
    ASSERT_TRUE(t->Next());
    EXPECT_EQ(t->BlobSize(1), 0u);
  }
}

TEST(DbaseTypes, ColumnsOfUnknownTypeAreLeftOut) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.columns = {{"A", 'C', 2}, {"ODD", 'X', 3}, {"B", 'N', 2}};
  DbaseWriter w(layout);
  w.AddRecord({"ab", "xyz", "12"});
  w.Write(dir / "x.dbf");
  std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "x.dbf");
  ASSERT_EQ(t->Fields().size(), 2u);
  EXPECT_EQ(t->Fields()[1].name, "B");
  ASSERT_TRUE(t->Next());
  EXPECT_EQ(ValueText(*t, 0), "ab");
  EXPECT_EQ(ValueText(*t, 1), "12");
}

// Visual FoxPro keeps nulls and the length of short V / Q values in the
// bits of _NullFlags, one per V / Q column and one per nullable column.
TEST(DbaseTypes, NullFlagsMakeNullableFieldsNullAndShortenVarFields) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.version = 0x32;
  layout.columns = {{"NAME", 'V', 6, 0, 2}, {"CODE", 'I', 4, 0, 2}, {"PLAIN", 'C', 3}, {"BIN", 'Q', 4},
                  {"PRICE", 'Y', 8, 4, 2}, {"_NullFlags", '0', 1, 0, 5}};
  DbaseWriter w(layout);
  // Bits: 0 NAME shorter, 1 NAME null, 2 CODE null, 3 BIN shorter, 4 PRICE null.
  w.AddRecord({std::string("abzz\0\x02", 6), fixtures::DbaseLe32(9), "xyz", std::string("\x07\0\0\x01", 4),
               fixtures::DbaseLe64(10000), std::string(1, char(0x01 | 0x08))});
  w.AddRecord({"", fixtures::DbaseLe32(9), "", "", fixtures::DbaseLe64(10000), std::string(1, char(0x02 | 0x04 | 0x10))});
  w.AddRecord({"abcdef", fixtures::DbaseLe32(3), "q", "wxyz", fixtures::DbaseLe64(20000), std::string(1, '\0')});
  // A NUL in a character value ends its text.
  w.AddRecord({std::string("a\0cdef", 6), fixtures::DbaseLe32(4), std::string("r\0t", 3), "wxyz",
               fixtures::DbaseLe64(20000), std::string(1, '\0')});
  w.Write(dir / "n.dbf");
  std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "n.dbf");
  ASSERT_EQ(t->Fields().size(), 5u);  // _NullFlags is no field
  const auto rows = dbase_test::ReadAll(*t);
  const std::vector<std::vector<std::string>> want = {
      {"ab", "9", "xyz", "\x07", "1"},
      {"<null>", "<null>", "   ", std::string(4, '\0'), "<null>"},
      {"abcdef", "3", "q  ", "wxyz", "2"},
      {"a", "4", "r", "wxyz", "2"},
  };
  EXPECT_EQ(rows, want);
  EXPECT_EQ(merivan::testing::ExpectCopiesReadAsTheTable(*OpenDbaseTable(dir / "n.dbf")), 4u);
}

TEST(DbaseTypes, LongFoxProCharacterColumnsUseTheDecimalsByte) {
  TempDir dir;
  DbaseTableLayout layout;
  layout.version = 0xF5;
  layout.columns = {{"LONG", 'C', 300}};
  DbaseWriter w(layout);
  w.AddRecord({std::string(300, 'z')});
  w.Write(dir / "l.dbf");
  std::unique_ptr<TableDriver> t = OpenDbaseTable(dir / "l.dbf");
  ASSERT_EQ(t->Fields().size(), 1u);
  EXPECT_EQ(t->Fields()[0].size, 300);
  ASSERT_TRUE(t->Next());
  EXPECT_EQ(ValueText(*t, 0), std::string(300, 'z'));
}

}  // namespace
}  // namespace merivan::engine
