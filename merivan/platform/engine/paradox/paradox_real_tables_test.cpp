// Reads the real Paradox tables of the shared corpus (written by Paradox
// and the BDE, not by us) and checks types and values against their bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/paradox/paradox_table.h"
#include "merivan/platform/engine/paradox/paradox_test_util.h"

namespace merivan::engine {
namespace {

using namespace paradox_test;

const std::string kDir = MERIVAN_SHARED_DIR "/tables/paradox";

bool CorpusPresent() { return std::filesystem::is_directory(kDir); }

struct Expected {
  const char* file;
  int32_t records;
  std::vector<FieldDescriptor> fields;
  // {record number (0-based), values of every field}
  std::vector<std::pair<size_t, std::vector<std::string>>> rows;
};

std::string Bcd(const char* head, const char* digits) {
  std::string hex = std::string(head) + digits;
  hex.append(68 - hex.size(), '0');
  return hex;
}

const std::vector<Expected>& Corpus() {
  static const std::vector<Expected> corpus = {
      {"AREACODE.DB", 135,
       {{"Area Code", ColumnKind::kString, 3}, {"Country", ColumnKind::kString, 30}, {"Full State", ColumnKind::kString, 21}, {"State", ColumnKind::kString, 2}},
       {{0, {"201", "United States", "New Jersey", "NJ"}}, {134, {"919", "United States", "North Carolina", "NC"}}}},
      {"AREACODES.DB", 370,  // version 7, 16 KB blocks
       {{"AC", ColumnKind::kString, 5}, {"State", ColumnKind::kString, 3}, {"Cities", ColumnKind::kString, 157}},
       {{0, {"201", "NJ", "Hackensack, Jersey City (201/551 overlay)"}}, {369, {"989", "MI", "Saginaw"}}}},
      {"CONTACTS.DB", 55,
       {{"Last Name", ColumnKind::kString, 10}, {"First Name", ColumnKind::kString, 20}, {"Company", ColumnKind::kString, 30}, {"Phone", ColumnKind::kString, 15}},
       {{3, {"Minford", "Phil", "Cayman Divers World Unlimited", "809-555-3421"}},
        {54, {"Fillman", "Scott", "Divers of Blue-green", "205-555-1784"}}}},
      {"DECIMAL.DB", 9, {{"DECIMAL", ColumnKind::kFloat, 0}},
       {{0, {"-200"}}, {2, {"-1"}}, {3, {"1"}}, {8, {"-1.387"}}}},
      {"GENERAL.DB", 3, {{"ID", ColumnKind::kInteger, 0}, {"NAME", ColumnKind::kString, 25}, {"MONEYS", ColumnKind::kCurrency, 0}},
       {{0, {"1", "Mari", "100"}}, {2, {"333333333", "Elizabet", "75"}}}},
      {"HERCULES.DB", 20, {{"TEMPLATE", ColumnKind::kString, 80}, {"HTML", ColumnKind::kMemo, 0}},
       {{5, {"HTML_FOOTER", "</BODY>\n</HTML>\n"}}}},
      {"ROMAN8.db", 1, {{"A", ColumnKind::kString, 20}}, {{0, {"\xeb\xf8\xbe\xf4"}}}},
      {"SERVER.DB", 4,
       {{"REQTYPE", ColumnKind::kString, 1}, {"URI", ColumnKind::kString, 80}, {"LIBRARY", ColumnKind::kString, 255}, {"HANDLER", ColumnKind::kString, 80}},
       {{2, {"P", "/NEWCUST", "HERCULES", "ENTER_NEW_CUSTOMER"}}}},
      {"bcd.db", 3, {{"A", ColumnKind::kBcd, 2}, {"B", ColumnKind::kBcd, 0}, {"C", ColumnKind::kBcd, 32}},
       {{0, {Bcd("2002", "00000000000000000000000000000123"), Bcd("2000", "00000000000000000000000000000001"),
             Bcd("2020", "1229999999999999980b00e00000bf4a")}},
        {1, {Bcd("2082", "00000000000000000000000000000123"), Bcd("2080", "00000000000000000000000000000001"),
             Bcd("20a0", "1229999999999999980b00e00000bf4a")}},
        {2, {Bcd("2002", "0"), "NULL", Bcd("2020", "9999000000000000118a00e00000ef4a")}}}},
      {"bytes.db", 1, {{"BYTES", ColumnKind::kBytes, 255}}, {{0, {"310032003300" + std::string(249 * 2, '0')}}}},
      {"date35.db", 3, {{"DATE", ColumnKind::kDate, 0}}, {{0, {"736695"}}, {1, {"736726"}}, {2, {"736696"}}}},
      {"date4.db", 3, {{"DATE", ColumnKind::kDate, 0}}, {{0, {"736695"}}, {1, {"736726"}}}},
      {"date5.db", 3, {{"DATE", ColumnKind::kDate, 0}, {"TIME", ColumnKind::kTime, 0}}, {{2, {"736696", "33925000"}}}},
      {"date7.db", 5, {{"DATE", ColumnKind::kDate, 0}, {"TIME", ColumnKind::kTime, 0}},
       {{0, {"736695", "36000000"}}, {3, {"NULL", "36000000"}}, {4, {"736695", "NULL"}}}},
      {"fmemo.db", 2, {{"Id", ColumnKind::kAutoInc, 0}, {"FMEMO", ColumnKind::kFmtMemo, 0}}, {}},
      {"graphic240.db", 1, {{"Id", ColumnKind::kAutoInc, 0}, {"Graph", ColumnKind::kGraphic, 0}}, {}},
      {"logical.db", 4, {{"BOOL", ColumnKind::kBoolean, 0}}, {{0, {"1"}}, {1, {"0"}}, {2, {"1"}}, {3, {"1"}}}},
      {"long.db", 3, {{"Id", ColumnKind::kAutoInc, 0}, {"LONG", ColumnKind::kInteger, 0}},
       {{0, {"1", "1"}}, {1, {"2", "2"}}, {2, {"3", "NULL"}}}},
      {"memo.db", 2, {{"Id", ColumnKind::kAutoInc, 0}, {"MEMO", ColumnKind::kMemo, 0}}, {{1, {"2", "01234567890\n"}}}},
      {"NOTE1251.DB", 2, {{"Id", ColumnKind::kAutoInc, 0}, {"Note", ColumnKind::kMemo, 0}}, {}},
      {"ole.db", 1, {{"Id", ColumnKind::kAutoInc, 0}, {"OLE", ColumnKind::kParadoxOle, 0}}, {}},
      {"time.db", 3, {{"Time", ColumnKind::kTime, 0}}, {{0, {"3601000"}}, {1, {"NULL"}}, {2, {"10803000"}}}},
      {"timestamp.db", 2, {{"Timestamp", ColumnKind::kDateTime, 0}}, {{0, {"NULL"}}, {1, {"63716202001000"}}}},
  };
  return corpus;
}

TEST(ParadoxRealTables, EveryFileOpensOrIsPasswordProtected) {
  if (!CorpusPresent()) GTEST_SKIP() << kDir << " is absent";
  std::set<std::string> covered;
  for (const Expected& e : Corpus()) covered.insert(e.file);
  for (const auto& entry : std::filesystem::directory_iterator(kDir)) {
    const std::string name = entry.path().filename().string();
    std::string ext = entry.path().extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".db") continue;
    SCOPED_TRACE(name);
    if (name.rfind("encrypted", 0) == 0) {
      try {
        OpenParadoxTable(entry.path().string());
        ADD_FAILURE() << "an encrypted table opened";
      } catch (const EngineError& err) {
        EXPECT_NE(std::string(err.what()).find("password-protected"), std::string::npos) << err.what();
        EXPECT_NE(std::string(err.what()).find(name), std::string::npos) << err.what();
      }
      continue;
    }
    EXPECT_TRUE(covered.count(name)) << "no expectations for this table";
    auto t = OpenParadoxTable(entry.path().string());
    int32_t n = 0;
    while (t->Next()) {
      for (size_t i = 0; i < t->Fields().size(); ++i) Render(*t, i);
      ++n;
    }
    EXPECT_EQ(n, t->RecordCount());
    EXPECT_FALSE(t->Next());
  }
}

TEST(ParadoxRealTables, TypesAndValuesMatchTheFiles) {
  if (!CorpusPresent()) GTEST_SKIP() << kDir << " is absent";
  for (const Expected& e : Corpus()) {
    SCOPED_TRACE(e.file);
    auto t = OpenParadoxTable(kDir + "/" + e.file);
    ASSERT_EQ(t->Fields().size(), e.fields.size());
    for (size_t i = 0; i < e.fields.size(); ++i) {
      EXPECT_EQ(t->Fields()[i].name, e.fields[i].name);
      EXPECT_EQ(t->Fields()[i].type, e.fields[i].type) << e.fields[i].name;
      EXPECT_EQ(t->Fields()[i].size, e.fields[i].size) << e.fields[i].name;
    }
    EXPECT_EQ(t->RecordCount(), e.records);
    const auto rows = ReadAll(*t);
    ASSERT_EQ(rows.size(), static_cast<size_t>(e.records));
    for (const auto& [index, values] : e.rows) EXPECT_EQ(rows[index], values) << "record " << index;
  }
}

TEST(ParadoxRealTables, BlobsInTheRecordAndInTheBlobFile) {
  if (!CorpusPresent()) GTEST_SKIP() << kDir << " is absent";
  struct Case {
    const char* file;
    size_t record, field;
    uint32_t size;
    std::string head, tail;
  } cases[] = {
      {"memo.db", 0, 1, 555, "01234567890012345678900123456789", "0123456789"},  // small-value slot
      {"memo.db", 1, 1, 12, "01234567890\n", "\n"},                                    // in the record
      {"HERCULES.DB", 0, 1, 62, "<TABLE BORDER=2>\n<TR><TH>Name</TH>", ""},
      {"HERCULES.DB", 19, 1, 409, "</SELECT><P>\n\n<INPUT TYPE=\"SUBMIT\" VALUE", ""},
      {"fmemo.db", 1, 1, 726, "", ""},
      {"graphic240.db", 0, 1, 20078, "BMnN", ""},  // own blocks; the 8-byte prefix is dropped
      {"ole.db", 0, 1, 365928, "", ""},
      {"NOTE1251.DB", 1, 1, 56, "\xd3\xe4\xe8\xe2\xe8\xf2\xe5\xeb\xfc\xed\xee\xe5", "Kingston"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " record " + std::to_string(c.record));
    auto t = OpenParadoxTable(kDir + "/" + c.file);
    for (size_t r = 0; r <= c.record; ++r) ASSERT_TRUE(t->Next());
    ASSERT_EQ(t->BlobSize(c.field), c.size);
    std::string all(c.size, '\0');
    ASSERT_EQ(t->ReadBlob(c.field, 0, c.size, reinterpret_cast<uint8_t*>(all.data())), c.size);
    EXPECT_EQ(all.substr(0, c.head.size()), c.head);
    if (!c.tail.empty()) {
      EXPECT_NE(all.find(c.tail), std::string::npos);
    }
    // Reads from an offset, and past the end.
    uint8_t piece[8];
    const uint32_t from = c.size > 8 ? c.size - 5 : 0;
    EXPECT_EQ(t->ReadBlob(c.field, from, 8, piece), c.size - from);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(piece), c.size - from), all.substr(from));
    EXPECT_EQ(t->ReadBlob(c.field, c.size, 8, piece), 0u);
  }
}

TEST(ParadoxRealTables, CodePageOfTheHeaderOrTheOemConversion) {
  if (!CorpusPresent()) GTEST_SKIP() << kDir << " is absent";
  auto convert = [](TableDriver& t, std::string bytes) {
    t.ToAnsi(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
    return bytes;
  };
  // Code page 850 (date4.db): 0x82 is e-acute, 0xA0 a-acute; in code page 1250 0xE9 and 0xE1.
  auto cp850 = OpenParadoxTable(kDir + "/date4.db");
  EXPECT_EQ(convert(*cp850, "\x82\xa0 ok"), "\xe9\xe1 ok");
  // A 3.x table names no code page: the OEM conversion (852 for a Czech user) applies.
  auto v35 = OpenParadoxTable(kDir + "/date35.db");
  EXPECT_EQ(convert(*v35, "\xfd\xe7"), "\xf8\x9a");  // r-caron, s-caron
  // ROMAN8.db names code page 0, which iconv lacks: the OEM conversion again.
  auto roman = OpenParadoxTable(kDir + "/ROMAN8.db");
  EXPECT_EQ(convert(*roman, "\xfd\xe7"), "\xf8\x9a");
  // NOTE1251.DB claims code page 936, a double-byte code page: byte by byte,
  // every byte above 0x80 is only half a character there, so its Cyrillic
  // text comes out as question marks.
  auto note = OpenParadoxTable(kDir + "/NOTE1251.DB");
  EXPECT_EQ(convert(*note, "\xd3\xe4 USB"), "?? USB");
}

}  // namespace
}  // namespace merivan::engine
