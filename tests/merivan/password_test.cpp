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
#include "tests/support/pseudo_terminal.h"

namespace merivan::e2e {
namespace {

using namespace std::chrono_literals;
using namespace merivan::fixtures;
using testing::ChildOutput;
using testing::ChildProcess;
using testing::ChildSession;
using testing::PseudoTerminal;

constexpr const char* kPassword = "heslo-\xC5\xBElu\xC5\xA5";  // "heslo-žluť", typed in UTF-8
const std::string kReportStart = "Při přípravě k importu souboru chranena.db došlo k chybě: ";
const std::string kNoPassword = "The table is password-protected and no password was given.";
const std::string kWrongPassword = "The table is password-protected and the password given is wrong.";

bool EchoOn(const PseudoTerminal& terminal) {
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
    ASSERT_TRUE(terminal_.Open());
  }

  // merivan in a session of its own on `terminal` (none: "").
  void Start(const std::string& terminal) {
    merivan_ = StartMerivan({dir_.path(), "chranena.db", dir_ / "out.txt"}, ChildSession{true, terminal});
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
  PseudoTerminal terminal_;
  std::unique_ptr<ChildProcess> merivan_;
};

TEST_F(PasswordTest, RightPassword) {
  Start(terminal_.Device());
  ExpectQuestion("Password for table chranena.db: ");
  terminal_.Type(std::string(kPassword) + "\n");
  ExpectEnd(0);
  ExpectExported();
}

TEST_F(PasswordTest, WrongThenRight) {
  Start(terminal_.Device());
  ExpectQuestion("Password for table chranena.db: ");
  terminal_.Type("heslo-zlut\n");  // the letters without their accents
  ExpectQuestion("Wrong password. Password for table chranena.db: ");
  terminal_.Type(std::string(kPassword) + "\n");
  ExpectEnd(0);
  ExpectExported();
}

TEST_F(PasswordTest, ThreeWrongTriesFail) {
  Start(terminal_.Device());
  ExpectQuestion("Password for table chranena.db: ");
  for (const char* wrong : {"HESLO\n", "123\n", "\n"}) {
    if (wrong[0] != 'H') ExpectQuestion("Wrong password. Password for table chranena.db: ");
    terminal_.Type(wrong);
  }
  ASSERT_TRUE(terminal_.WaitFor(kReportStart + kWrongPassword, 20s)) << terminal_.Output();
  ExpectEnd(255);
}

TEST_F(PasswordTest, EndOfInputFails) {
  Start(terminal_.Device());
  ExpectQuestion("Password for table chranena.db: ");
  terminal_.Type("\x04");
  ASSERT_TRUE(terminal_.WaitFor(kReportStart + kNoPassword, 20s)) << terminal_.Output();
  ExpectEnd(255);
}

TEST_F(PasswordTest, CtrlCAfterAWrongOneFailsAsWrong) {
  Start(terminal_.Device());
  ExpectQuestion("Password for table chranena.db: ");
  terminal_.Type("nope\n");
  ExpectQuestion("Wrong password. Password for table chranena.db: ");
  terminal_.Type("abc\x03");
  ASSERT_TRUE(terminal_.WaitFor(kReportStart + kWrongPassword, 20s)) << terminal_.Output();
  ExpectEnd(255);
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
