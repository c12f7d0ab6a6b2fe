// Text tables: a .txt data file described by the .sch schema beside it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/dbase/dbase_test_support.h"
#include "merivan/platform/engine/text/text_table.h"
#include "merivan/platform/engine/text/text_values.h"
#include "merivan/platform/locale/codepage.h"
#include "tests/support/temp_dir.h"

namespace merivan::engine {
namespace {

using dbase_test::Day;
using dbase_test::ReadAll;
using merivan::testing::TempDir;
using Rows = std::vector<std::vector<std::string>>;

void Put(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string Ms(int32_t day, int64_t ms) { return std::to_string(static_cast<int64_t>(day) * 86400000 + ms); }

const char* kVaryingSchema =
    "[ADRESATI]\r\n"
    "FILETYPE = VARYING\r\n"
    "CHARSET = ascii\r\n"
    "DELIMITER = \"\r\n"
    "SEPARATOR = ,\r\n"
    "Field1 = Name,CHAR,10,00,00\r\n"
    "Field2 = Born,DATE,11,00,10\r\n"
    "Field3 = Kids,SHORT,6,00,21\r\n"
    "Field4 = Id,LONGINT,11,00,27\r\n"
    "Field5 = Rate,FLOAT,20,02,38\r\n"
    "Field6 = Cash,CURRENCY,20,02,58\r\n"
    "Field7 = Ok,BOOL,5,00,78\r\n"
    "Field8 = At,TIME,12,00,83\r\n"
    "Field9 = Stamp,TIMESTAMP,24,00,95\r\n"
    "Field10 = Weight,NUMBER,20,02,119\r\n";

TEST(TextTable, VaryingLinesOfEveryType) {
  TempDir dir;
  Put((dir / "adr.sch"), kVaryingSchema);
  Put((dir / "adr.txt"),
      "\"Smith, J.\",2002-03-05,3,123456,2.5,12.5,T,9:05:09,5.3.2002 14:05:09,1.25\r\n"
      "\"Ann \"\"A\"\"\",5.3.2002,-2,-7,-0.5,0,false,23:59,2002-03-05T00:00:01,\r\n"
      "\r\n"
      "\"\",3/5/2002,x,2147483648,1e3,,?,25:00,2002-02-30,abc\r\n"
      ",,,,\r\n"
      "\"Only\"\r\n"
      "\"Far too long name\",,,,,,,,,,extra\r\n"
      "\x1A");
  std::unique_ptr<TableDriver> t = OpenTextTable(dir / "adr.txt");
  ASSERT_EQ(t->Fields().size(), 10u);
  const std::vector<std::pair<std::string, ColumnKind>> fields = {
      {"Name", ColumnKind::kString},   {"Born", ColumnKind::kDate},    {"Kids", ColumnKind::kSmallint}, {"Id", ColumnKind::kInteger},
      {"Rate", ColumnKind::kFloat},    {"Cash", ColumnKind::kCurrency}, {"Ok", ColumnKind::kBoolean},   {"At", ColumnKind::kTime},
      {"Stamp", ColumnKind::kDateTime}, {"Weight", ColumnKind::kFloat}};
  for (size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(t->Fields()[i].name, fields[i].first);
    EXPECT_EQ(t->Fields()[i].type, fields[i].second);
  }
  EXPECT_EQ(t->Fields()[0].size, 10);
  EXPECT_EQ(t->RecordCount(), 6);
  const int32_t march5 = 730914;
  const std::string n = "<null>";
  const Rows want = {
      {"Smith, J.", Day(2002, 3, 5), "3", "123456", "2.5", "12.5", "T", "32709000", Ms(march5, 50709000), "1.25"},
      {"Ann \"\"A\"\"", Day(2002, 3, 5), "-2", "-7", "-0.5", "0", "F", "86340000", Ms(march5, 1000), n},
      {"", Day(2002, 3, 5), n, n, "1000", n, n, n, n, n},
      {n, n, n, n, n, n, n, n, n, n},
      {"Only", n, n, n, n, n, n, n, n, n},
      {"Far too lo", n, n, n, n, n, n, n, n, n},
  };
  EXPECT_EQ(ReadAll(*t), want);
  EXPECT_FALSE(t->Next());
}

TEST(TextTable, FixedColumnsAtTheirOffsets) {
  TempDir dir;
  Put((dir / "FIX.SCH"),
      "[FIX]\nFILETYPE = FIXED\nCHARSET = ANSI\n"
      "Field1 = Name,CHAR,8,00,00\nField2 = Born,DATE,10,00,8\nField3 = Paid,BOOL,1,00,18\n"
      "Field4 = Sum,NUMBER,7,02,19\n");
  Put((dir / "Fix.Txt"),
      "Smith   2002-03-05T   12.50\n"
      "Nov\xE1k   05.03.2002F  -1.00\n"
      "Short\n"
      "\n"
      "        1.1.1900  ?\n");
  std::unique_ptr<TableDriver> t = OpenTextTable(dir / "Fix.Txt");
  EXPECT_EQ(t->RecordCount(), 4);
  const std::string n = "<null>";
  const Rows want = {
      {"Smith   ", Day(2002, 3, 5), "T", "12.5"},
      {"Nov\xE1k   ", Day(2002, 3, 5), "F", "-1"},
      {"Short", n, n, n},
      {"        ", Day(1900, 1, 1), n, n},
  };
  EXPECT_EQ(ReadAll(*t), want);
  uint8_t byte = 0xE1;
  t->ToAnsi(&byte, 1);  // ANSI tables need no conversion
  EXPECT_EQ(byte, 0xE1);
}

TEST(TextTable, AsciiTablesConvertFromTheOemCodePage) {
  TempDir dir;
  Put((dir / "oem.sch"), "FILETYPE = VARYING\nCHARSET = ascii\nField1 = N\xA0me,CHAR,4,00,00\n");
  Put((dir / "oem.txt"), "\"\xA0\"\n");
  std::unique_ptr<TableDriver> t = OpenTextTable(dir / "oem.txt");
  const std::string name = std::string("N") + static_cast<char>(platform::OemToAnsiMap()[0xA0]) + "me";
  EXPECT_EQ(t->Fields()[0].name, name);
  uint8_t byte = 0xA0;
  t->ToAnsi(&byte, 1);
  EXPECT_EQ(byte, platform::OemToAnsiMap()[0xA0]);
}

TEST(TextTable, SeparatorAndDelimiterOfTheSchema) {
  TempDir dir;
  Put((dir / "s.sch"),
      "FILETYPE = VARYING\nDELIMITER = '\nSEPARATOR = ;\nField1 = A,CHAR,9,00,00\nField2 = B,CHAR,9,00,00\n"
      "Field3 = C,LONGINT,9,00,00\n");
  Put((dir / "s.txt"), "'x;y';'it's';7\nplain;'';\n");
  std::unique_ptr<TableDriver> t = OpenTextTable(dir / "s.txt");
  const Rows want = {{"x;y", "it's", "7"}, {"plain", "", "<null>"}};
  EXPECT_EQ(ReadAll(*t), want);
}

TEST(TextTable, ATableWithoutItsSchemaFails) {
  TempDir dir;
  Put((dir / "lonely.txt"), "a,b\n");
  try {
    OpenTextTable(dir / "lonely.txt");
    FAIL() << "opened without a schema";
  } catch (const EngineError& e) {
    EXPECT_NE(std::string(e.what()).find("no schema file lonely.sch"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(dir / "lonely.txt"), std::string::npos) << e.what();
  }
}

// A folder or a FIFO where the table or its schema should be fails at once
// (a FIFO would otherwise wait for a writer for ever).
TEST(TextTable, ATableOrSchemaThatIsNoFileFails) {
  TempDir dir;
  Put(dir / "fifo.sch", "FILETYPE = VARYING\nField1 = A,CHAR,9,00,00\n");
  ASSERT_EQ(mkfifo((dir / "fifo.txt").c_str(), 0600), 0);
  Put(dir / "folder.txt", "a\n");
  std::filesystem::create_directory(dir / "folder.sch");
  std::filesystem::create_directory(dir / "dir.txt");
  Put(dir / "dir.sch", "FILETYPE = VARYING\nField1 = A,CHAR,9,00,00\n");
  for (const char* table : {"fifo.txt", "folder.txt", "dir.txt"}) {
    try {
      OpenTextTable(dir / table);
      ADD_FAILURE() << table << " opened";
    } catch (const EngineError& e) {
      EXPECT_NE(std::string(e.what()).find("Not a regular file."), std::string::npos) << e.what();
    }
  }
}

// Bytes of a damaged schema repeated in a message never end it early and
// reach the terminal with their control bytes escaped, cut when long.
TEST(TextTable, ADamagedSchemasBytesAreShownEscaped) {
  TempDir dir;
  Put(dir / "d.txt", "x\n");
  struct Case {
    std::string schema, message;
  } cases[] = {
      {std::string("FILETYPE = FIXED\nField1 = A,CH\0AR,4,00,00\n", 40), "has the unknown type CH\\x00AR."},
      {"FILETYPE = FIXED\nCol\x07our\x1B[2J = red\nField1 = A,CHAR,4,00,00\n",
       "Unknown schema key COL\\x07OUR\\x1B[2J."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Put(dir / "d.sch", c.schema);
    try {
      OpenTextTable(dir / "d.txt");
      ADD_FAILURE() << "opened";
    } catch (const EngineError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message + "\r\nFile: " + dir / "d.sch"), std::string::npos) << e.what();
    }
  }
  Put(dir / "d.sch", "FILETYPE = FIXED\n" + std::string(500, 'Q') + " = 1\n");
  try {
    OpenTextTable(dir / "d.txt");
    ADD_FAILURE() << "opened";
  } catch (const EngineError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find("Unknown schema key " + std::string(64, 'Q')), std::string::npos) << what;
    EXPECT_EQ(what.find(std::string(65, 'Q')), std::string::npos) << what;
    EXPECT_NE(what.find("\r\nFile: " + dir / "d.sch"), std::string::npos) << what;
  }
}

TEST(TextTable, BadSchemasNameTheFault) {
  TempDir dir;
  struct Case {
    const char* schema;
    const char* message;
  };
  const Case cases[] = {
      {"FILETYPE = VARYING\n", "names no fields"},
      {"Field1 = A,CHAR,4,00,00\n", "names no FILETYPE"},
      {"FILETYPE = CSV\nField1 = A,CHAR,4,00,00\n", "Unknown FILETYPE CSV"},
      {"FILETYPE = FIXED\nCHARSET = utf8\nField1 = A,CHAR,4,00,00\n", "Unknown CHARSET utf8"},
      {"FILETYPE = FIXED\nField1 = A,MONEY,4,00,00\n", "unknown type MONEY"},
      {"FILETYPE = FIXED\nField1 = A,CHAR,4\n", "not name,type,width,decimals,offset"},
      {"FILETYPE = FIXED\nField1 = A,CHAR,x,00,00\n", "no valid width"},
      {"FILETYPE = FIXED\nField1 = A,CHAR,0,00,00\n", "width 0"},
      {"FILETYPE = FIXED\nField1 = A,CHAR,4,00,00\nfield1 = B,CHAR,4,00,04\n", "twice"},
      {"FILETYPE = FIXED\nColour = red\nField1 = A,CHAR,4,00,00\n", "Unknown schema key COLOUR"},
      {"FILETYPE = FIXED\njust words\n", "Schema line 2"},
      {"FILETYPE = VARYING\nSEPARATOR =\nField1 = A,CHAR,4,00,00\n", "SEPARATOR is empty"},
      {"FILETYPE = VARYING\nField1 = ,CHAR,4,00,00\n", "has no name"},
  };
  Put((dir / "b.txt"), "x\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.schema);
    Put((dir / "b.sch"), c.schema);
    try {
      OpenTextTable(dir / "b.txt");
      ADD_FAILURE() << "opened";
    } catch (const EngineError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(dir / "b.sch"), std::string::npos) << e.what();
    }
  }
}

TEST(TextValues, DateTimeAndTimestampForms) {
  struct DateCase {
    const char* text;
    std::optional<int32_t> day;
  };
  const DateCase dates[] = {
      {"2002-03-05", DayNumberOf(2002, 3, 5)}, {" 2002-3-5 ", DayNumberOf(2002, 3, 5)},
      {"5.3.2002", DayNumberOf(2002, 3, 5)},   {"05.03.2002", DayNumberOf(2002, 3, 5)},
      {"3/5/2002", DayNumberOf(2002, 3, 5)},   {"12/31/1999", DayNumberOf(1999, 12, 31)},
      {"0001-01-01", 1},                       {"29.2.2001", std::nullopt},
      {"2002-13-01", std::nullopt},            {"5.3.02", std::nullopt},
      {"02-03-05", std::nullopt},              {"2002/03/05", std::nullopt},
      {"5.3.2002x", std::nullopt},             {"", std::nullopt},
  };
  for (const DateCase& c : dates) EXPECT_EQ(ParseTextDate(c.text), c.day) << c.text;

  struct TimeCase {
    const char* text;
    std::optional<int32_t> ms;
  };
  const TimeCase times[] = {
      {"9:05:09", 32709000}, {"09:05", 32700000},   {"23:59:59.5", 86399500}, {"0:00:00.123", 123},
      {"12:00 AM", 0},       {"12:30:00 pm", 45000000}, {"1:00 PM", 46800000}, {"24:00", std::nullopt},
      {"9:5", std::nullopt}, {"13:00 PM", std::nullopt}, {"9:05:60", std::nullopt}, {"noon", std::nullopt},
  };
  for (const TimeCase& c : times) EXPECT_EQ(ParseTextTime(c.text), c.ms) << c.text;

  const double day = *DayNumberOf(2002, 3, 5) * 86400000.0;
  EXPECT_EQ(ParseTextTimestamp("5.3.2002 14:05:09"), day + 50709000);
  EXPECT_EQ(ParseTextTimestamp("2002-03-05T14:05"), day + 50700000);
  EXPECT_EQ(ParseTextTimestamp("3/5/2002  2:05:09 PM"), day + 50709000);
  EXPECT_EQ(ParseTextTimestamp("2002-03-05"), day);
  EXPECT_EQ(ParseTextTimestamp("2002-03-05 25:00"), std::nullopt);
  EXPECT_EQ(ParseTextTimestamp("2002-03-05x"), std::nullopt);
}

}  // namespace
}  // namespace merivan::engine
