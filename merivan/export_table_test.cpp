#include "merivan/export_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "merivan/exceptions.h"
#include "merivan/format/regional_settings.h"
#include "merivan/platform/window/headless_window_system.h"
#include "merivan/store/fake_table_driver.h"
#include "merivan/uetxt.h"
#include "tests/support/temp_dir.h"

namespace merivan {
namespace {

using testing::Bytes;
using testing::FakeTable;
using testing::FakeTableDriver;
using testing::FakeValue;

constexpr const char* kStatus = "Export. Po\xE8" "et z\xE1znam\xF9: ";

FakeTable People() {
  FakeTable t;
  t.fields = {{"Cislo", ftInteger, 0}, {"Jmeno", ftString, 20}, {"Aktivni", ftBoolean, 0}};
  t.records = {{Bytes<int32_t>(7), std::string("ab"), Bytes<uint16_t>(1)},
               {Bytes<int32_t>(-2), std::string("\x8A\xE8;\"x\r\ny"), Bytes<uint16_t>(0)},
               {std::nullopt, std::string(""), Bytes<uint16_t>(1)},
               {Bytes<int32_t>(0), std::nullopt, std::nullopt}};
  return t;
}

// Where two long texts part (a diff of megabytes would take minutes to print).
size_t FirstDifference(const std::string& a, const std::string& b) {
  return static_cast<size_t>(std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin()).first -
                             a.begin());
}

// Enough records for many buffers of the output file, each line's text
// beside them. With `amounts` false, Castka is a BCD column of nulls (which
// a record can then make fail).
FakeTable ManyRecords(size_t count, bool amounts, std::string& lines) {
  FakeTable t;
  t.fields = {{"N", ftInteger, 0}, {"Jmeno", ftString, 12}, {"Castka", amounts ? ftFloat : ftBCD, amounts ? 0 : 2}, {"A", ftBoolean, 0}};
  lines = "N;Jmeno;Castka;A\r\n";
  for (size_t i = 0; i < count; ++i) {
    const auto n = static_cast<int32_t>(i);
    const std::string name = "\xC8" + std::to_string(i * 7);
    if (i % 5 == 3) {
      t.records.push_back({Bytes<int32_t>(n), std::nullopt, std::nullopt, std::nullopt});
      lines += std::to_string(n) + ";\"\";;\r\n";
    } else {
      const FakeValue amount = amounts ? FakeValue(Bytes<double>(n + 0.5)) : std::nullopt;
      t.records.push_back({Bytes<int32_t>(n), name, amount, Bytes<uint16_t>(i % 2)});
      lines += std::to_string(n) + ";\"" + name + "\";" +
               (amounts ? std::to_string(n) + RegionalSettings.DecimalMark + "5" : "") + ";" +
               (i % 2 ? "True" : "False") + "\r\n";
    }
  }
  return t;
}

// One run's world: the application with its arguments, the main window, and
// ADR reading an in-memory table. Every test runs twice: on a driver with no
// record format, and on one with a format, whose lines are made from copies
// of the records in batches.
class ExportTableTest : public ::testing::TestWithParam<bool> {
 protected:
  void TearDown() override {
    form_.reset();
    app_.reset();
  }

  TMain& Start(FakeTable table, const std::string& tableArgument = "lidi.db",
               std::unique_ptr<platform::WindowSystem> windows = std::make_unique<platform::HeadlessWindowSystem>()) {
    table.recordFormat = GetParam();
    app_ = std::make_unique<TApplication>(std::vector<std::string>{"merivan", "db/", tableArgument, out_},
                                          std::move(windows));
    form_ = std::make_unique<TMain>(*app_);
    form_->Timer1.SetEnabled(false);  // as the run handler does first
    form_->ADR.SetTableName(tableArgument);
    form_->ADR.SetDriverOpener([this, table](const std::string&, const std::string&, const engine::Passwords&) {
      ++opened_;
      return std::make_unique<FakeTableDriver>(table);
    });
    return *form_;
  }

  // The message of the failure of one export, "" when it succeeds.
  std::string Export(const std::string& codePage = "Win", const std::string& fields = "") {
    try {
      ExportTable(form_->ADR, out_, codePage, fields);
    } catch (const Exception& e) {
      return e.what();
    }
    return "";
  }

  std::string Output() const { return testing::ReadFile(out_); }

  testing::TempDir tmp_;
  const std::string dir_ = tmp_.path();
  std::string out_ = dir_ + "/out.txt";
  int opened_ = 0;
  std::unique_ptr<TApplication> app_;
  std::unique_ptr<TMain> form_;
};

TEST_P(ExportTableTest, HeaderAndRecordsByteForByte) {
  TMain& main = Start(People());
  EXPECT_EQ(Export(), "");
  EXPECT_EQ(Output(),
            "Cislo;Jmeno;Aktivni\r\n"
            "7;\"ab\";True\r\n"
            "-2;\"\x8A\xE8;\"x\r\ny\";False\r\n"
            ";\"\";True\r\n"
            "0;\"\";\r\n");
  EXPECT_FALSE(main.ADR.Active());
  EXPECT_EQ(main.progres.MinValue(), 0);
  EXPECT_EQ(main.progres.MaxValue(), 4);
  EXPECT_EQ(main.progres.Progress(), 4);
  EXPECT_EQ(app_->Hint, std::string(kStatus) + "4");
}

TEST_P(ExportTableTest, ExampleLine) {
  FakeTable t;
  t.fields = {{"N", ftSmallint, 0}, {"S", ftString, 5}};
  t.records = {{Bytes<int16_t>(7), std::string("ab")}};
  Start(t);
  EXPECT_EQ(Export(), "");
  EXPECT_EQ(Output(), "N;S\r\n\x37\x3B\x22\x61\x62\x22\x0D\x0A");
  EXPECT_EQ(app_->Hint, std::string(kStatus) + "1");
  EXPECT_EQ(form_->progres.PercentDone(), 100);
}

TEST_P(ExportTableTest, EmptyTable) {
  FakeTable t = People();
  t.records.clear();
  Start(t);
  EXPECT_EQ(Export(), "");
  EXPECT_EQ(Output(), "Cislo;Jmeno;Aktivni\r\n");
  EXPECT_EQ(form_->progres.MaxValue(), 0);
  EXPECT_EQ(form_->progres.Progress(), 0);
  EXPECT_EQ(app_->Hint, "");
  EXPECT_EQ(Export("Win", "Jmeno"), "");
  EXPECT_EQ(Output(), "");
}

TEST_P(ExportTableTest, FieldListChoosesFieldsWithoutHeader) {
  Start(People());
  EXPECT_EQ(Export("Win", "jmeno, CISLO,Jmeno"), "");
  EXPECT_EQ(Output(),
            "\"ab\";7;\"ab\"\r\n"
            "\"\x8A\xE8;\"x\r\ny\";-2;\"\x8A\xE8;\"x\r\ny\"\r\n"
            "\"\";;\"\"\r\n"
            "\"\";0;\"\"\r\n");
}

TEST_P(ExportTableTest, ActiveOnlyFilterExactlyForAdresatiDb) {
  struct Case {
    const char* argument;
    size_t lines;
  } cases[] = {{"adresati.db", 3}, {"Adresati.db", 5}, {"ADRESATI.DB", 5}, {"adresati", 5},
               {"data/adresati.db", 5}, {"adresati.db ", 5}};
  for (const Case& c : cases) {
    Start(People(), c.argument);
    EXPECT_EQ(Export(), "") << c.argument;
    const std::string out = Output();
    size_t lines = 0;
    for (size_t i = 0; (i = out.find("\r\n", i)) != std::string::npos; i += 2) ++lines;
    // The second record's value holds a line break of its own.
    EXPECT_EQ(lines, c.lines + (c.lines == 5 ? 1 : 0)) << c.argument;
    EXPECT_EQ(form_->ADR.Filtered(), c.lines == 3) << c.argument;
    EXPECT_EQ(form_->ADR.Filter(), c.lines == 3 ? "Aktivni=true" : "") << c.argument;
    if (c.lines == 3) {
      EXPECT_EQ(out, "Cislo;Jmeno;Aktivni\r\n7;\"ab\";True\r\n;\"\";True\r\n");
      EXPECT_EQ(form_->progres.MaxValue(), 4);  // the count includes hidden records
      EXPECT_EQ(form_->progres.Progress(), 2);
    }
  }
}

TEST_P(ExportTableTest, AdresatiDbWithoutAktivniFailsLeavingAnEmptyFile) {
  FakeTable t;
  t.fields = {{"Jmeno", ftString, 5}};
  t.records = {{std::string("a")}};
  Start(t, "adresati.db");
  std::ofstream(out_) << "old";
  EXPECT_EQ(Export(), "ADR: Field 'Aktivni' not found");
  EXPECT_EQ(Output(), "");
  EXPECT_FALSE(form_->ADR.Active());
}

TEST_P(ExportTableTest, Cp852RecodesValuesButNotNames) {
  FakeTable t;
  t.fields = {{"\xC8\xEDslo", ftString, 20}, {"N", ftInteger, 0}};
  // The first line is written value by value, the next ones a line at a time.
  t.records = {{std::string("P\xF8\xEDprava \x84x\x93"), Bytes<int32_t>(1)},
               {std::string("P\xF8\xEDprava \x84x\x93"), Bytes<int32_t>(2)}};
  for (const char* name : {"CP 852 (MS-DOS)", "cp 852 (MS-DOS)", "CP 852 (MS-DOS) ", "Win"}) {
    Start(t);
    EXPECT_EQ(Export(name), "");
    const bool recoded = std::string(name) == "CP 852 (MS-DOS)";
    const std::string value = recoded ? "P\xFD\xA1prava \"x\"" : "P\xF8\xEDprava \x84x\x93";
    EXPECT_EQ(Output(), "\xC8\xEDslo;N\r\n\"" + value + "\";1\r\n\"" + value + "\";2\r\n") << name;
  }
}

TEST_P(ExportTableTest, AbsentFieldOfTheListStopsInTheLine) {
  Start(People());
  EXPECT_EQ(Export("Win", "Cislo,Ulice,Jmeno"), "ADR: Field 'Ulice' not found");
  EXPECT_EQ(Output(), "7");
  EXPECT_FALSE(form_->ADR.Active());
}

TEST_P(ExportTableTest, UnknownRecordCountFailsAfterTheHeader) {
  FakeTable t = People();
  t.recordCount = -1;
  Start(t);
  EXPECT_EQ(Export(), "Value must be between 1 and 2147483647");
  EXPECT_EQ(Output(), "Cislo;Jmeno;Aktivni\r\n");
  EXPECT_FALSE(form_->ADR.Active());
}

TEST_P(ExportTableTest, OutputInAMissingDirectoryNeverOpensTheTable) {
  Start(People());
  out_ = dir_ + "/none/out.txt";
  try {
    ExportTable(form_->ADR, out_, "Win", "");
    FAIL() << "no failure";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 3);
    EXPECT_STREQ(e.what(), "Invalid filename");
  }
  EXPECT_EQ(opened_, 0);
  EXPECT_NE(access((dir_ + "/none").c_str(), F_OK), 0);
}

TEST_P(ExportTableTest, AnOpenTableStaysOpen) {
  Start(People());
  form_->ADR.SetActive(true);
  form_->ADR.Next();
  EXPECT_EQ(Export("Win", "Cislo"), "");
  EXPECT_EQ(Output(), "-2\r\n\r\n0\r\n");
  EXPECT_TRUE(form_->ADR.Active());
  EXPECT_EQ(opened_, 1);
}

TEST_P(ExportTableTest, FullDiskFailsWith112AndClosesTheTable) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  Start(People());
  out_ = "/dev/full";
  EXPECT_EQ(Export(), "I/O error 112");
  EXPECT_FALSE(form_->ADR.Active());
  // A failing write met while lines are still being made.
  std::string lines;
  Start(ManyRecords(60000, true, lines));
  out_ = "/dev/full";
  EXPECT_EQ(Export(), "I/O error 112");
  EXPECT_FALSE(form_->ADR.Active());
  // The file's close fails too, but the failure that stopped the export is the one reported.
  Start(People());
  EXPECT_EQ(Export("Win", "Cislo,Ulice"), "ADR: Field 'Ulice' not found");
  EXPECT_FALSE(form_->ADR.Active());
}

// A table that notes what the output file holds when it is closed.
class CloseWatcher : public FakeTableDriver {
 public:
  CloseWatcher(FakeTable t, std::function<void()> onClose) : FakeTableDriver(std::move(t)), onClose_(std::move(onClose)) {}
  ~CloseWatcher() override { onClose_(); }

 private:
  std::function<void()> onClose_;
};

// The table closes first, while the output is still in the file's buffer;
// the file closes after it, on success and on failure alike.
TEST_P(ExportTableTest, TableClosesBeforeTheFile) {
  for (const char* fields : {"", "Cislo,Ulice"}) {
    Start(People());
    std::string atTableClose = "never closed";
    form_->ADR.SetDriverOpener([&](const std::string&, const std::string&, const engine::Passwords&) {
      FakeTable t = People();
      t.recordFormat = GetParam();
      return std::make_unique<CloseWatcher>(t, [&] { atTableClose = Output(); });
    });
    Export("Win", fields);
    EXPECT_EQ(atTableClose, "") << fields;
    EXPECT_NE(Output(), "") << fields;
  }
}

// A table with a damaged value (its field read fails, from the current
// record or a copy) and a damaged block (the move to that record fails), at
// records counted from 1, 0 for none.
class FailingTable : public FakeTableDriver {
 public:
  FailingTable(FakeTable t, size_t damagedValueAt, size_t damagedBlockAt)
      : FakeTableDriver(std::move(t)), damagedValueAt_(damagedValueAt), damagedBlockAt_(damagedBlockAt) {}
  bool Next() override {
    if (record_ + 1 == damagedBlockAt_) throw engine::EngineError("damaged block");
    ++record_;
    return FakeTableDriver::Next();
  }

 protected:
  bool ReadRecordField(size_t record, size_t index, uint8_t* area) const override {
    if (record + 1 == damagedValueAt_ && index == 1) throw engine::EngineError("damaged value");
    return FakeTableDriver::ReadRecordField(record, index, area);
  }

 private:
  const size_t damagedValueAt_;
  const size_t damagedBlockAt_;
  size_t record_ = 0;
};

TEST_P(ExportTableTest, ManyLinesComeOutInTurnAndWhole) {
  std::string lines;
  const FakeTable t = ManyRecords(60000, true, lines);
  Start(t);
  EXPECT_EQ(Export(), "");
  const std::string out = Output();
  EXPECT_TRUE(out == lines) << "from byte " << FirstDifference(out, lines);
  EXPECT_EQ(app_->Hint, std::string(kStatus) + "60000");
}

// Wherever a line fails, every line before it is in the file, then the line
// as far as it went, and nothing after it. A damaged block further on, which
// the reader may meet before the lines of a batch are made, never replaces
// the failure of a record before it.
TEST_P(ExportTableTest, AFailureLateInTheTableKeepsEveryLineBeforeIt) {
  struct Case {
    const char* what;
    size_t record;  // counted from 1
    bool inNext;
    bool badText;       // the value's text fails instead of its read
    size_t laterBlock;  // a damaged block after it, 0 for none
  } cases[] = {
      {"damaged value", 2, false, false, 0},      {"damaged value", 45001, false, false, 0},
      {"damaged block", 45001, true, false, 0},   {"damaged block", 59999, true, false, 0},
      {"Value of field 'Castka' is out of range", 45001, false, true, 0},
      {"Value of field 'Castka' is out of range", 2, false, true, 0},
      {"Value of field 'Castka' is out of range", 2, false, true, 3000},
      {"damaged value", 45001, false, false, 45002},
  };
  for (const Case& c : cases) {
    std::string lines;
    FakeTable t = ManyRecords(60000, false, lines);
    t.recordFormat = GetParam();
    if (c.badText) t.records[c.record - 1][2] = std::string(34, '\0');
    // The header and the lines of the records before the failing one.
    size_t end = 0;
    for (size_t i = 0; i < c.record; ++i) end = lines.find("\r\n", end) + 2;
    std::string expected = lines.substr(0, end);
    // A damaged block ends the table after a whole line; a value ends its
    // line where its text would begin.
    const std::string n = std::to_string(c.record - 1);
    if (c.badText) {
      expected += n + ";\"\xC8" + std::to_string((c.record - 1) * 7) + "\";";
    } else if (!c.inNext) {
      expected += n + ";\"";
    }
    Start(t);
    const size_t valueAt = c.badText || c.inNext ? 0 : c.record;
    const size_t blockAt = c.inNext ? c.record : c.laterBlock;
    form_->ADR.SetDriverOpener([&](const std::string&, const std::string&, const engine::Passwords&) {
      return std::make_unique<FailingTable>(t, valueAt, blockAt);
    });
    EXPECT_EQ(Export(), c.what) << c.record;
    const std::string out = Output();
    EXPECT_TRUE(out == expected) << c.what << " " << c.record << ": from byte " << FirstDifference(out, expected)
                                 << " of " << expected.size();
    EXPECT_FALSE(form_->ADR.Active());
  }
}

// What the window sees at each pump: the gauge has already advanced for the
// record about to be written, and the status text still counts the records
// before it.
class PumpRecorder : public platform::HeadlessWindowSystem {
 public:
  struct Pump {
    int32_t progress;
    std::string hint;
    bool operator==(const Pump& o) const { return progress == o.progress && hint == o.hint; }
  };
  explicit PumpRecorder(std::vector<Pump>& pumps) : pumps_(pumps) {}
  void ProcessMessages() override {
    pumps_.push_back({Main->progres.Progress(), Main->Application().Hint});
    HeadlessWindowSystem::ProcessMessages();
  }

 private:
  std::vector<Pump>& pumps_;
};

TEST_P(ExportTableTest, GaugeAdvancesThenTwoPumpsThenTheLineThenTheStatus) {
  std::vector<PumpRecorder::Pump> pumps;
  Start(People(), "lidi.db", std::make_unique<PumpRecorder>(pumps));
  EXPECT_EQ(Export(), "");
  const std::string s = kStatus;
  const std::vector<PumpRecorder::Pump> expected = {{1, ""},      {1, ""},      {2, s + "1"}, {2, s + "1"},
                                                    {3, s + "2"}, {3, s + "2"}, {4, s + "3"}, {4, s + "3"}};
  EXPECT_EQ(pumps, expected);
  EXPECT_EQ(app_->Hint, s + "4");
}

// The status text counts on past every carry (9 to 10, 99 to 100, ...).
TEST_P(ExportTableTest, StatusCountsEveryRecord) {
  FakeTable t;
  t.fields = {{"N", ftSmallint, 0}};
  for (int i = 0; i < 1205; ++i) t.records.push_back({Bytes<int16_t>(static_cast<int16_t>(i))});
  std::vector<PumpRecorder::Pump> pumps;
  Start(t, "lidi.db", std::make_unique<PumpRecorder>(pumps));
  EXPECT_EQ(Export(), "");
  ASSERT_EQ(pumps.size(), 2 * t.records.size());
  for (size_t i = 2; i < pumps.size(); i += 2)
    ASSERT_EQ(pumps[i].hint, std::string(kStatus) + std::to_string(i / 2)) << i;
  EXPECT_EQ(app_->Hint, std::string(kStatus) + "1205");
}

// MinValue is set before MaxValue: from a range above the new one, the other
// order would fail on a maximum below the old minimum.
TEST_P(ExportTableTest, GaugeRangeMinimumFirst) {
  Start(People());
  form_->progres.SetMaxValue(300);
  form_->progres.SetMinValue(200);
  EXPECT_EQ(Export(), "");
  EXPECT_EQ(form_->progres.MinValue(), 0);
  EXPECT_EQ(form_->progres.MaxValue(), 4);
}

TEST_P(ExportTableTest, BcdOutOfRangeEndsTheExport) {
  FakeTable t;
  t.fields = {{"N", ftSmallint, 0}, {"Castka", ftBCD, 2}};
  t.records = {{Bytes<int16_t>(1), std::string(34, '\0')}};
  Start(t);
  EXPECT_EQ(Export(), "Value of field 'Castka' is out of range");
  EXPECT_EQ(Output(), "N;Castka\r\n1;");
  // The same in a later line, which is written a line at a time: what came
  // before the value stays, nothing after it.
  t.records = {{Bytes<int16_t>(1), std::nullopt}, {Bytes<int16_t>(2), std::string(34, '\0')}};
  Start(t);
  EXPECT_EQ(Export(), "Value of field 'Castka' is out of range");
  EXPECT_EQ(Output(), "N;Castka\r\n1;\r\n2;");
}

INSTANTIATE_TEST_SUITE_P(Drivers, ExportTableTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "RecordCopies" : "CurrentRecord"; });

}  // namespace
}  // namespace merivan
