#include "merivan/store/ttable.h"

#include <gtest/gtest.h>

#include "merivan/exceptions.h"
#include "merivan/store/fake_table_driver.h"

namespace merivan {
namespace {

using testing::Bytes;
using testing::FakeTable;
using testing::FakeTableDriver;
using testing::FakeValue;

// A table component whose driver is the in-memory table `t`.
void UseFake(TTable& table, FakeTable t) {
  table.Name = "ADR";
  table.SetTableName("adresati.db");
  table.SetDriverOpener([t](const std::string&, const std::string&) { return std::make_unique<FakeTableDriver>(t); });
}

FakeTable People() {
  FakeTable t;
  t.fields = {{"Jmeno", ftString, 10}, {"Aktivni", ftBoolean, 0}};
  t.records = {{std::string("Ann"), Bytes<uint16_t>(1)},
               {std::string("Bob"), Bytes<uint16_t>(0)},
               {std::string("Cyd"), std::nullopt},
               {std::string("Dan"), Bytes<uint16_t>(7)}};
  return t;
}

std::vector<std::string> VisibleNames(TTable& table) {
  std::vector<std::string> names;
  for (; !table.Eof(); table.Next()) names.push_back(table.FieldByName("JMENO").ValueText());
  return names;
}

std::string FailureOf(TTable& table) {
  try {
    table.SetActive(true);
  } catch (const EDatabaseError& e) {
    EXPECT_FALSE(table.Active());
    return e.what();
  }
  return "opened";
}

TEST(TTable, ReadsEveryRecordWithoutFilter) {
  TTable table;
  UseFake(table, People());
  table.SetActive(true);
  EXPECT_EQ(table.FieldCount(), 2);
  EXPECT_EQ(table.RecordCount(), 4);
  EXPECT_EQ(VisibleNames(table), (std::vector<std::string>{"Ann", "Bob", "Cyd", "Dan"}));
  table.Next();  // past the end: nothing happens
  EXPECT_TRUE(table.Eof());
  table.SetActive(false);
  EXPECT_FALSE(table.Active());
  EXPECT_EQ(table.FieldCount(), 0);
}

TEST(TTable, FilterShowsOnlyMatchingRecords) {
  struct Case {
    const char* filter;
    std::vector<std::string> names;
  } cases[] = {
      {"Aktivni=true", {"Ann", "Dan"}},
      {"aktivni = TRUE", {"Ann", "Dan"}},
      {"Aktivni=false", {"Bob"}},
      {"Jmeno='bob'", {"Bob"}},
  };
  for (const Case& c : cases) {
    TTable table;
    UseFake(table, People());
    table.SetFilter(c.filter);
    table.SetFiltered(true);
    table.SetActive(true);
    EXPECT_EQ(VisibleNames(table), c.names) << c.filter;
    EXPECT_EQ(table.RecordCount(), 4);
  }
}

TEST(TTable, FilterOffOrEmptyShowsAll) {
  TTable table;
  UseFake(table, People());
  table.SetFilter("Aktivni=true");
  table.SetFiltered(false);
  table.SetActive(true);
  EXPECT_EQ(VisibleNames(table).size(), 4u);
}

TEST(TTable, FilterOnNumbersMeansOne) {
  FakeTable t;
  t.fields = {{"Aktivni", ftSmallint, 0}, {"Jmeno", ftString, 5}};
  t.records = {{Bytes<int16_t>(1), std::string("a")}, {Bytes<int16_t>(2), std::string("b")}};
  TTable table;
  UseFake(table, t);
  table.SetFilter("Aktivni=true");
  table.SetFiltered(true);
  table.SetActive(true);
  EXPECT_EQ(VisibleNames(table), std::vector<std::string>{"a"});
}

TEST(TTable, FilterWithoutMatchesStartsAtTheEnd) {
  FakeTable t = People();
  t.records.erase(t.records.begin());
  t.records.pop_back();
  TTable table;
  UseFake(table, t);
  table.SetFilter("Aktivni=true");
  table.SetFiltered(true);
  table.SetActive(true);
  EXPECT_TRUE(table.Eof());
}

TEST(TTable, FilterFailuresAtOpening) {
  FakeTable noField;
  noField.fields = {{"Jmeno", ftString, 10}};
  FakeTable memo;
  memo.fields = {{"AKTIVNI", ftMemo, 0}};
  FakeTable bytes;
  bytes.fields = {{"Aktivni", ftBytes, 4}};
  FakeTable varBytes;
  varBytes.fields = {{"Aktivni", ftVarBytes, 4}};
  FakeTable graphic;
  graphic.fields = {{"Aktivni", ftGraphic, 0}};
  struct Case {
    FakeTable t;
    const char* message;
  } cases[] = {
      {noField, "ADR: Field 'Aktivni' not found"},
      {memo, "Field 'AKTIVNI' cannot be used in a filter expression"},
      {bytes, "Field 'Aktivni' cannot be used in a filter expression"},
      {varBytes, "Field 'Aktivni' cannot be used in a filter expression"},
      {graphic, "Field 'Aktivni' cannot be used in a filter expression"},
  };
  for (const Case& c : cases) {
    TTable table;
    UseFake(table, c.t);
    table.SetFilter("Aktivni=true");
    table.SetFiltered(true);
    EXPECT_EQ(FailureOf(table), c.message);
  }
}

TEST(TTable, MissingTableName) {
  TTable table;
  UseFake(table, People());
  table.SetTableName("");
  EXPECT_EQ(FailureOf(table), "Missing TableName property");
}

TEST(TTable, InvalidFieldSizes) {
  const testing::FakeField bad[] = {
      {"S", ftString, 0}, {"S", ftString, 8193}, {"B", ftBCD, 33}, {"Y", ftBytes, 0}, {"V", ftVarBytes, 0}};
  for (const auto& f : bad) {
    FakeTable t;
    t.fields = {f};
    TTable table;
    UseFake(table, t);
    EXPECT_EQ(FailureOf(table), "Invalid field size") << f.name << f.size;
  }
  FakeTable widest;
  widest.fields = {{"S", ftString, 8192}, {"B", ftBCD, 32}, {"Y", ftBytes, 1}};
  TTable table;
  UseFake(table, widest);
  EXPECT_EQ(FailureOf(table), "opened");
}

TEST(TTable, NamesAreUniqueIgnoringCaseAndUntypedColumnsLeftOut) {
  FakeTable t;
  t.fields = {{"Name", ftString, 4}, {"X", ftUnknown, 0}, {"NAME", ftInteger, 0}, {"name", ftCursor, 0},
              {"name", ftWord, 0},   {"Name_1", ftBoolean, 0}};
  t.records = {{std::string("ab"), std::string(), Bytes<int32_t>(5), std::string(), Bytes<uint16_t>(6),
                Bytes<uint16_t>(1)}};
  TTable table;
  UseFake(table, t);
  table.SetActive(true);
  ASSERT_EQ(table.FieldDefs().Count(), 4);
  const char* names[] = {"Name", "NAME_1", "name_2", "Name_1_1"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(table.FieldDefs()[i].Name, names[i]);
  EXPECT_EQ(table.FieldByName("name_1").ValueText(), "5");
  EXPECT_EQ(table.FieldByName("NAME_2").ValueText(), "6");
  EXPECT_EQ(table.FieldByName("Name_1_1").ValueText(), "True");
}

// Names from Windows tables are ANSI bytes: "Číslo" and "číslo" (Windows-1250
// C8 and E8, È and è in Windows-1252) are one name ignoring case.
TEST(TTable, NationalLettersIgnoreCaseToo) {
  FakeTable t;
  t.fields = {{"\xC8\xEDslo", ftInteger, 0}, {"\xE8\xEDslo", ftInteger, 0}};
  t.records = {{Bytes<int32_t>(1), Bytes<int32_t>(2)}};
  TTable table;
  UseFake(table, t);
  table.SetActive(true);
  EXPECT_EQ(table.FieldDefs()[1].Name, "\xE8\xEDslo_1");
  EXPECT_EQ(table.FieldByName("\xE8\xCDSLO").ValueText(), "1");
}

// Fields are found through an index built at opening: every one of many
// columns, by a name of other case, and none once the table is closed.
TEST(TTable, EveryFieldOfAWideTableIsFoundIgnoringCase) {
  constexpr int kColumns = 20000;
  FakeTable t;
  std::vector<FakeValue> record;
  for (int i = 0; i < kColumns; ++i) {
    t.fields.push_back({"Col" + std::to_string(i), ftInteger, 0});
    record.push_back(Bytes<int32_t>(i));
  }
  t.records = {record};
  TTable table;
  UseFake(table, t);
  table.SetActive(true);
  for (int i = 0; i < kColumns; ++i) {
    const std::string name = "cOL" + std::to_string(i);
    ASSERT_EQ(table.FieldByName(name).ValueText(), std::to_string(i)) << name;
  }
  EXPECT_EQ(table.FindField("Col"), nullptr);
  table.SetActive(false);
  EXPECT_EQ(table.FindField("Col0"), nullptr);
  UseFake(table, People());
  table.SetActive(true);
  EXPECT_EQ(table.FindField("Col0"), nullptr);
  EXPECT_EQ(table.FieldByName("jmeno").ValueText(), "Ann");
}

TEST(TTable, FieldAttributes) {
  FakeTable t;
  t.fields = {{"S", ftString, 7}, {"M", ftMemo, 0}, {"I", ftInteger, 0}, {"C", ftBCD, 2}};
  TTable table;
  UseFake(table, t);
  table.SetActive(true);
  EXPECT_TRUE(table.Eof());
  EXPECT_TRUE(table.Fields(0).Transliterate());
  EXPECT_TRUE(table.Fields(1).Transliterate());
  EXPECT_FALSE(table.Fields(2).Transliterate());
  EXPECT_FALSE(table.Fields(3).Transliterate());
  EXPECT_EQ(table.Fields(0).Size(), 7);
  EXPECT_EQ(table.Fields(3).Size(), 2);
  EXPECT_EQ(table.Fields(3).DataType(), ftBCD);
}

TEST(TTable, LookupOfAnAbsentField) {
  TTable table;
  UseFake(table, People());
  table.SetActive(true);
  try {
    table.FieldByName("Ulice");
    FAIL() << "no failure";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "ADR: Field 'Ulice' not found");
  }
}

}  // namespace
}  // namespace merivan
