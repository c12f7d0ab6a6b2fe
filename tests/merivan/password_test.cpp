// Protected Paradox tables exported by the real merivan binary, the password
// typed at the terminal question on a real pseudo-terminal: right, wrong
// then right, three wrong tries, end of input; echo off while typing and on
// again afterwards; and without terminal or display a failure at once.
#include <gtest/gtest.h>
#include <termios.h>

#include <filesystem>
#include <memory>

#include "merivan/platform/locale/codepage.h"
#include "tests/fixtures/paradox_writer.h"
#include "tests/support/merivan_process.h"
#include "tests/support/pty_capture.h"

namespace merivan::e2e {
namespace {

using namespace std::chrono_literals;
using namespace merivan::fixtures;
using testing::ChildOutput;
using testing::ChildProcess;
using testing::ChildSession;
using testing::PtyCapture;

constexpr const char* kPassword = "heslo-\xC5\xBElu\xC5\xA5";  // "heslo-žluť", typed in UTF-8
const std::string kReportStart = "Při přípravě k importu souboru chranena.db došlo k chybě: ";
const std::string kNoPassword = "The table is password-protected and no password was given.";
const std::string kWrongPassword = "The table is password-protected and the password given is wrong.";

bool EchoOn(const PtyCapture& terminal) {
  const auto settings = terminal.Settings();
  return settings && (settings->c_lflag & ECHO);
}

class PasswordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The same records plain and protected; the table's code page is 852,
    // so the typed UTF-8 must be converted before it fits.
    PxLayout layout;
    layout.codePage = 852;
    layout.fields = {{"Jmeno", PxType::Alpha, 20}, {"Cislo", PxType::Long}, {"Poznamka", PxType::Memo, 10}};
    std::vector<std::vector<PxValue>> records;
    for (int i = 0; i < 50; ++i)
      records.push_back({PxText(platform::Utf8ToCodePage("Jiří " + std::to_string(i), 852)), PxInt(i),
                         PxText(std::string(100 + i * 50, static_cast<char>('a' + i % 26)))});
    WriteParadoxTable(dir_ / "otevrena.db", layout, records);
    layout.password = platform::Utf8ToCodePage(kPassword, 852);
    WriteParadoxTable(dir_ / "chranena.db", layout, records);
    ASSERT_TRUE(terminal_.Ok());
    ASSERT_TRUE(EchoOn(terminal_));
  }

  // merivan in a session of its own on `terminal` (none: ""), exporting
  // `table` of `folder` (the test's protected table unless named).
  void Start(const std::string& terminal, const std::string& folder = "", const std::string& table = "chranena.db") {
    merivan_ = StartMerivan({folder.empty() ? dir_.path() : folder, table, dir_ / "out.txt"},
                            ChildSession{true, terminal});
  }

  void ExpectQuestion(const std::string& question) {
    ASSERT_TRUE(terminal_.WaitFor(question, 20s)) << terminal_.Output();
    EXPECT_FALSE(EchoOn(terminal_)) << "echo on while the password is typed";
  }

  // The run's end: its status, the terminal as it was, and the password
  // nowhere: not shown, not in the output, not in any file left.
  void ExpectEnd(int status) {
    EXPECT_EQ(merivan_->Wait(60s), status) << terminal_.Output();
    EXPECT_TRUE(EchoOn(terminal_)) << "echo left off";
    const std::string typed = kPassword, stored = platform::Utf8ToCodePage(kPassword, 852);
    EXPECT_EQ(terminal_.Output().find(typed), std::string::npos) << "the password was shown";
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      const std::string bytes = ReadFile(entry.path().string());
      EXPECT_EQ(bytes.find(typed), std::string::npos) << entry.path();
      EXPECT_EQ(bytes.find(stored), std::string::npos) << entry.path();
    }
  }

  // The export of the protected table is the plain one's, byte for byte.
  void ExpectExported() {
    const RunResult plain = RunMerivan({dir_.path(), "otevrena.db", dir_ / "plain.txt"});
    EXPECT_EQ(plain.exitStatus, 0) << plain.err;
    const std::string exported = ReadFile(dir_ / "out.txt");
    EXPECT_EQ(exported.substr(0, 25), "Jmeno;Cislo;Poznamka\r\n\"Ji");
    EXPECT_EQ(exported, ReadFile(dir_ / "plain.txt"));
  }

  TempDir dir_;
  PtyCapture terminal_{80, false};  // as a new terminal is: echo on, line editing
  std::unique_ptr<ChildProcess> merivan_;
};

TEST_F(PasswordTest, RightPassword) {
  Start(terminal_.SlavePath());
  ExpectQuestion("Password for table chranena.db: ");
  terminal_.Type(std::string(kPassword) + "\n");
  ExpectEnd(0);
  ExpectExported();
}

TEST_F(PasswordTest, WrongThenRight) {
  Start(terminal_.SlavePath());
  ExpectQuestion("Password for table chranena.db: ");
  terminal_.Type("heslo-zlut\n");  // the letters without their accents
  ExpectQuestion("Wrong password. Password for table chranena.db: ");
  terminal_.Type(std::string(kPassword) + "\n");
  ExpectEnd(0);
  ExpectExported();
}

TEST_F(PasswordTest, ThreeWrongTriesFail) {
  Start(terminal_.SlavePath());
  ExpectQuestion("Password for table chranena.db: ");
  for (const char* wrong : {"HESLO\n", "123\n", "\n"}) {
    if (wrong[0] != 'H') ExpectQuestion("Wrong password. Password for table chranena.db: ");
    terminal_.Type(wrong);
  }
  ASSERT_TRUE(terminal_.WaitFor(kReportStart + kWrongPassword, 20s)) << terminal_.Output();
  ExpectEnd(255);
}

TEST_F(PasswordTest, EndOfInputFails) {
  Start(terminal_.SlavePath());
  ExpectQuestion("Password for table chranena.db: ");
  terminal_.Type("\x04");
  ASSERT_TRUE(terminal_.WaitFor(kReportStart + kNoPassword, 20s)) << terminal_.Output();
  ExpectEnd(255);
}

TEST_F(PasswordTest, CtrlCAfterAWrongOneFailsAsWrong) {
  Start(terminal_.SlavePath());
  ExpectQuestion("Password for table chranena.db: ");
  terminal_.Type("nope\n");
  ExpectQuestion("Wrong password. Password for table chranena.db: ");
  terminal_.Type("abc\x03");
  ASSERT_TRUE(terminal_.WaitFor(kReportStart + kWrongPassword, 20s)) << terminal_.Output();
  ExpectEnd(255);
}

// The protected tables of the shared corpus, their password "123" typed.
TEST_F(PasswordTest, TheCorpusTablesWithTheirPassword) {
  const std::string corpus = MERIVAN_SHARED_DIR "/tables/paradox";
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << corpus << " is absent";
  const std::pair<const char*, std::string> cases[] = {
      {"encrypted.db", "Id;Text\r\n1;\"Value 1\"\r\n2;\"Value 2\"\r\n3;\"Value 3\"\r\n4;\"Last one\"\r\n"},
      {"encrypted35.db", "A;B\r\n1;\"Test 1\"\r\n2;\"Test2\"\r\n"},
  };
  for (const auto& [table, lines] : cases) {
    SCOPED_TRACE(table);
    Start(terminal_.SlavePath(), corpus, table);
    ExpectQuestion(std::string("Password for table ") + table + ": ");
    terminal_.Type("123\n");
    EXPECT_EQ(merivan_->Wait(60s), 0) << terminal_.Output();
    EXPECT_EQ(ReadFile(dir_ / "out.txt"), lines);
  }
  // The memo table: two memos of 55,855 and 494,832 bytes, each whole on its line.
  Start(terminal_.SlavePath(), corpus, "encryptedmemo.db");
  ExpectQuestion("Password for table encryptedmemo.db: ");
  terminal_.Type("123\n");
  EXPECT_EQ(merivan_->Wait(60s), 0) << terminal_.Output();
  const std::string exported = ReadFile(dir_ / "out.txt");
  EXPECT_EQ(exported.rfind("TEXT\r\n The PARADOX File Structure", 0), 0u) << exported.substr(0, 100);
  EXPECT_NE(exported.find("\r\n(This is stale and you may wish to find"), std::string::npos);
  EXPECT_GT(exported.size(), 55855u + 494832u);
}

// Without a terminal and a display there is no one to ask: the run fails at
// once, its stdin left open and unread.
TEST_F(PasswordTest, NoTerminalNoDisplayFailsAtOnce) {
  Start("");
  const ChildOutput out = merivan_->ReadToEnd(20s);
  EXPECT_EQ(out.err, kReportStart + kNoPassword + "\r\nFile: " + dir_.path() + "/chranena.db\n");
  ExpectEnd(255);
}

}  // namespace
}  // namespace merivan::e2e
