// Tables written by the fixture writer read back through the reader: every
// field type, every file version and block size, nulls, blobs in the record,
// in shared small-value blocks and in blocks of their own; plain and
// protected by a password.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <tuple>

#include "merivan/platform/engine/paradox/paradox_table.h"
#include "merivan/platform/engine/paradox/paradox_test_util.h"
#include "tests/fixtures/paradox_writer.h"
#include "tests/support/record_copies.h"

namespace merivan::engine {
namespace {

using namespace fixtures;
using namespace paradox_test;

std::string Num(double d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", d);
  return buf;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[3];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02x", c);
    out += buf;
  }
  return out;
}

std::string Pattern(size_t n, int seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 31 + seed * 7) % 251);
  return s;
}

const std::vector<PxField> kAllTypes = {
    {"Jmeno", PxType::Alpha, 20},  {"Datum", PxType::Date},         {"Kratke", PxType::Short},
    {"Dlouhe", PxType::Long},      {"Mena", PxType::Currency},      {"Cislo", PxType::Number},
    {"Aktivni", PxType::Logical},  {"Poznamka", PxType::Memo, 20},  {"Data", PxType::Blob, 10},
    {"Format", PxType::FmtMemo, 15}, {"Objekt", PxType::Ole, 12},   {"Obrazek", PxType::Graphic, 30},
    {"Cas", PxType::Time},         {"Okamzik", PxType::Timestamp},  {"Poradi", PxType::AutoInc},
    {"Castka", PxType::Bcd, 2},    {"Bajty", PxType::Bytes, 6},
};

// The value every field of record `i` gets, and what the reader must yield.
struct Row {
  std::vector<PxValue> values;
  std::vector<std::string> expected;
};

std::string BlobContent(size_t i, int field, size_t leader) {
  switch ((i + field) % 5) {
    case 0: return "";                            // null
    case 1: return Pattern(1 + (leader ? i % leader : 0), field);  // fits the record when it can
    case 2: return Pattern(leader, field);          // exactly fills the record's part
    case 3: return Pattern(300 + i, field);         // a slot of a small-value block
    default: return Pattern(5000 + i * 10, field);  // blocks of its own
  }
}

Row MakeRow(size_t i) {
  Row r;
  auto add = [&](PxValue v, std::string e) {
    r.values.push_back(std::move(v));
    r.expected.push_back(std::move(e));
  };
  if (i % 11 == 7) {  // a record of nothing but nulls
    for (size_t f = 0; f < kAllTypes.size(); ++f) add(PxNull(), "NULL");
    return r;
  }
  const int64_t n = static_cast<int64_t>(i);
  const std::string name = "Jm\xe9no " + std::to_string(i) + (i % 3 ? "" : std::string(11, 'x'));
  add(PxText(name.substr(0, 20)), name.substr(0, 20));
  const int64_t day = PxDayNumber(1900 + static_cast<int>(i % 200), 1 + i % 12, 1 + i % 28);
  add(PxInt(day), std::to_string(day));
  const int64_t shortV = i % 4 == 0 ? -32767 : i % 4 == 1 ? 32767 : n * 37 - 1000;
  add(PxInt(shortV), std::to_string(shortV));
  const int64_t longV = i % 3 == 0 ? -2147483647 : i % 3 == 1 ? 2147483647 : -n * 123457;
  add(PxInt(longV), std::to_string(longV));
  const double money = i % 2 ? 12.5 * n : -0.01 * n;
  add(PxReal(money), Num(money));
  const double number = i % 5 == 0 ? 1e308 : i % 5 == 1 ? -1e-300 : i % 5 == 2 ? 0.0 : i / 3.0;
  add(PxReal(number), Num(number));
  add(PxInt(i % 2), std::to_string(i % 2));
  int field = 0;
  for (const PxField& f : kAllTypes) {
    if (!IsPxBlob(f.type)) continue;
    std::string content = BlobContent(i, field++, static_cast<size_t>(f.size - 10));
    add(PxText(content), content.empty() ? "NULL" : content);
  }
  const int64_t ms = (n * 7919000 + 1) % 86400000;
  add(PxInt(ms), std::to_string(ms));
  const double stamp = static_cast<double>(day) * 86400000.0 + static_cast<double>(ms);
  add(PxReal(stamp), Num(stamp));
  add(PxInt(n + 1), std::to_string(n + 1));
  // BCD: 32 digits with 2 places; data area {32, sign|2, 16 digit bytes, 16 zero bytes}.
  const bool negative = i % 2;
  const std::string digits = std::to_string(n * 1001) + "25";
  add(PxText((negative ? "-" : "") + std::to_string(n * 1001) + ".25"),
      std::string("20") + (negative ? "82" : "02") + std::string(32 - digits.size(), '0') + digits +
          std::string(32, '0'));
  const std::string bytes = i % 4 == 0 ? std::string("\x00\x01\x00", 3) : Pattern(6, static_cast<int>(i));
  add(PxText(bytes), Hex(bytes + std::string(6 - bytes.size(), '\0')));
  return r;
}

struct Geometry {
  int version;
  int blockKb;
};

class ParadoxRoundTrip : public ::testing::TestWithParam<std::tuple<Geometry, const char*>> {};

TEST_P(ParadoxRoundTrip, EveryTypeReadsBackAsWritten) {
  const auto [g, password] = GetParam();
  const std::string path = ScratchDir() + "/vsechno.db";
  PxLayout layout;
  layout.version = g.version;
  layout.blockSizeKb = g.blockKb;
  layout.codePage = 1252;
  layout.password = password;
  layout.fields = kAllTypes;
  std::vector<Row> rows;
  std::vector<std::vector<PxValue>> values;
  for (size_t i = 0; i < 60; ++i) {
    rows.push_back(MakeRow(i));
    values.push_back(rows.back().values);
  }
  WriteParadoxTable(path, layout, values);

  auto t = OpenParadoxTable(path, {password});
  const std::vector<ColumnKind> types = {ColumnKind::kString, ColumnKind::kDate,   ColumnKind::kSmallint, ColumnKind::kInteger, ColumnKind::kCurrency, ColumnKind::kFloat,
                                         ColumnKind::kBoolean, ColumnKind::kMemo,  ColumnKind::kBlob,     ColumnKind::kFmtMemo, ColumnKind::kParadoxOle, ColumnKind::kGraphic,
                                         ColumnKind::kTime,   ColumnKind::kDateTime, ColumnKind::kAutoInc, ColumnKind::kBcd,     ColumnKind::kBytes};
  ASSERT_EQ(t->Fields().size(), types.size());
  for (size_t f = 0; f < types.size(); ++f) {
    EXPECT_EQ(t->Fields()[f].name, kAllTypes[f].name);
    EXPECT_EQ(t->Fields()[f].type, types[f]) << kAllTypes[f].name;
  }
  EXPECT_EQ(t->Fields()[0].size, 20);
  EXPECT_EQ(t->Fields()[15].size, 2);
  EXPECT_EQ(t->Fields()[16].size, 6);
  EXPECT_EQ(t->RecordCount(), 60);
  const auto read = ReadAll(*t);
  ASSERT_EQ(read.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i)
    for (size_t f = 0; f < types.size(); ++f)
      EXPECT_EQ(read[i][f], rows[i].expected[f]) << "record " << i << " field " << kAllTypes[f].name;
  EXPECT_FALSE(t->Next());
  EXPECT_EQ(merivan::testing::ExpectCopiesReadAsTheTable(*OpenParadoxTable(path, {password})), rows.size());
}

INSTANTIATE_TEST_SUITE_P(VersionsAndBlockSizes, ParadoxRoundTrip,
                         ::testing::Combine(::testing::Values(Geometry{3, 1}, Geometry{4, 2}, Geometry{5, 3},
                                                              Geometry{9, 4}, Geometry{0x0A, 2}, Geometry{0x0B, 8},
                                                              Geometry{0x0C, 16}, Geometry{0x0C, 32},
                                                              Geometry{0x0C, 1}),
                                            ::testing::Values("", "tajne")),
                         [](const auto& info) {
                           const Geometry g = std::get<0>(info.param);
                           return "v" + std::to_string(g.version) + "_" + std::to_string(g.blockKb) + "k" +
                                  (*std::get<1>(info.param) ? "_protected" : "");
                         });

PxLayout OneLong(int version = 0x0C) {
  PxLayout l;
  l.version = version;
  l.fields = {{"N", PxType::Long}};
  return l;
}

std::vector<std::vector<PxValue>> Counting(int n) {
  std::vector<std::vector<PxValue>> rows;
  for (int i = 1; i <= n; ++i) rows.push_back({PxInt(i)});
  return rows;
}

TEST(ParadoxReader, FollowsTheBlockChainNotTheFileOrder) {
  struct Case {
    const char* name;
    int records, perBlock;
    bool reverse;
    const char* password;
  } cases[] = {{"reversed", 100, 7, true, ""},
               {"one per block", 20, 1, true, ""},
               {"full blocks", 1000, 0, false, ""},
               {"reversed, protected", 1000, 3, true, "Heslo123"},
               {"full blocks, protected", 1000, 0, false, "Heslo123"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = ScratchDir() + "/chain.db";
    PxLayout l = OneLong();
    l.recordsPerBlock = c.perBlock;
    l.reverseBlocks = c.reverse;
    l.password = c.password;
    WriteParadoxTable(path, l, Counting(c.records));
    auto t = OpenParadoxTable(path, {c.password});
    const auto rows = ReadAll(*t);
    ASSERT_EQ(rows.size(), static_cast<size_t>(c.records));
    for (int i = 0; i < c.records; ++i) ASSERT_EQ(rows[i][0], std::to_string(i + 1));
  }
}

TEST(ParadoxReader, EmptyTableEndsAtOnce) {
  const std::string path = ScratchDir() + "/prazdna.db";
  WriteParadoxTable(path, OneLong(), {});
  auto t = OpenParadoxTable(path);
  EXPECT_EQ(t->RecordCount(), 0);
  EXPECT_FALSE(t->Next());
  EXPECT_FALSE(t->Next());
}

TEST(ParadoxReader, NamesAndTextsGoToTheAnsiCodePage) {
  // The Czech user's ANSI code page is 1250: r-caron is 0xFD in 852, 0xF8 in 1250.
  struct Case {
    int version, codePage;
    const char* note;
  } cases[] = {
      {0x0C, 852, "code page of the header"},
      {0x0B, 12345, "a code page iconv does not know: OEM conversion"},
      {4, 0, "3.5 stores no code page: OEM conversion"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    const std::string path = ScratchDir() + "/nazvy.db";
    PxLayout l;
    l.version = c.version;
    l.codePage = c.codePage;
    l.fields = {{"P\xfd\x61jmen\xa1", PxType::Alpha, 10}};
    WriteParadoxTable(path, l, {{PxText("\xfd\x65\xe7it")}});
    auto t = OpenParadoxTable(path);
    EXPECT_EQ(t->Fields()[0].name, "P\xf8\x61jmen\xed");
    ASSERT_TRUE(t->Next());
    std::string text = Render(*t, 0);
    EXPECT_EQ(text, "\xfd\x65\xe7it");  // the reader hands out the table's bytes
    t->ToAnsi(reinterpret_cast<uint8_t*>(text.data()), text.size());
    EXPECT_EQ(text, "\xf8\x65\x9ait");
    EXPECT_EQ(merivan::testing::ExpectCopiesReadAsTheTable(*OpenParadoxTable(path)), 1u);
  }
  const std::string path = ScratchDir() + "/zapad.db";
  PxLayout l;
  l.codePage = 1252;
  l.fields = {{"A", PxType::Alpha, 4}};
  WriteParadoxTable(path, l, {});
  auto t = OpenParadoxTable(path);
  std::string text = "\xe9\x80\xbd";  // e-acute, euro, one half (absent from 1250)
  t->ToAnsi(reinterpret_cast<uint8_t*>(text.data()), text.size());
  EXPECT_EQ(text, "\xe9\x80?");
}

// The same conversion as the dBASE reader's: a table in the ANSI code page
// keeps every byte (those 1250 leaves unassigned too), and Kamenický and
// Mazovia tables get their own letters.
TEST(ParadoxReader, TablesInTheAnsiOrAnMsDosNationalCodePage) {
  struct Case {
    int codePage;
    const char* stored;
    const char* ansi;
  } cases[] = {
      {1250, "\x81\x83\x88\x90\x98\xf8", "\x81\x83\x88\x90\x98\xf8"},
      {895, "\xa9\x87\x91\x96", "\xf8\xe8\x9e\xf9"},  // r-caron, c-caron, z-caron, u-ring
      {620, "\x86\x92\x9e", "\xb9\xb3\x9c"},          // a-ogonek, l-stroke, s-acute
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codePage);
    const std::string path = ScratchDir() + "/narodni.db";
    PxLayout l;
    l.codePage = c.codePage;
    l.fields = {{"A", PxType::Alpha, 10}};
    WriteParadoxTable(path, l, {});
    auto t = OpenParadoxTable(path);
    std::string text = c.stored;
    t->ToAnsi(reinterpret_cast<uint8_t*>(text.data()), text.size());
    EXPECT_EQ(text, c.ansi);
  }
}

TEST(ParadoxReader, BlobFileFoundIgnoringCase) {
  const std::string dir = ScratchDir();
  PxLayout l;
  l.fields = {{"M", PxType::Memo, 11}};
  WriteParadoxTable(dir + "/Pisne.db", l, {{PxText(Pattern(100, 1))}});
  std::filesystem::rename(dir + "/Pisne.mb", dir + "/PISNE.MB");
  auto t = OpenParadoxTable(dir + "/Pisne.db");
  ASSERT_TRUE(t->Next());
  EXPECT_EQ(Render(*t, 0), Pattern(100, 1));
}

TEST(ParadoxReader, UnknownFieldTypeIsLeftOut) {
  const std::string path = ScratchDir() + "/neznamy.db";
  PxLayout l;
  l.fields = {{"A", PxType::Long}, {"B", PxType::Alpha, 3}, {"C", PxType::Short}};
  WriteParadoxTable(path, l, {{PxInt(5), PxText("abc"), PxInt(-2)}});
  std::string bytes = ReadFile(path);
  bytes[0x78 + 2] = 0x07;  // field B: a type code no version uses
  WriteFile(path, bytes);
  auto t = OpenParadoxTable(path);
  ASSERT_EQ(t->Fields().size(), 2u);
  EXPECT_EQ(t->Fields()[1].name, "C");
  ASSERT_TRUE(t->Next());
  EXPECT_EQ(Render(*t, 0), "5");
  EXPECT_EQ(Render(*t, 1), "-2");
}

}  // namespace
}  // namespace merivan::engine
