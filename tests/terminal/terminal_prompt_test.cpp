// The password and login questions of the headless window system, answered
// by keys typed into a real pseudo-terminal: echo off while a password is
// typed and back on afterwards on every path, three tries per table, Ctrl-C,
// Ctrl-D, SIGTERM and SIGHUP cancelling, and no question without a terminal.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <memory>

#include "tests/support/child_process.h"
#include "tests/support/pty_capture.h"

namespace merivan::testing {
namespace {

using namespace std::chrono_literals;

const std::vector<std::string> kUtf8User = {"LANG=C.UTF-8", "LC_ALL", "LC_CTYPE", "DISPLAY"};
constexpr const char* kPassword = "heslo-\xC5\xBElu\xC5\xA5";  // "heslo-žluť"

bool EchoOn(const PtyCapture& terminal) {
  const auto settings = terminal.Settings();
  return settings && (settings->c_lflag & ECHO);
}

size_t Count(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

class TerminalPromptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(terminal_.Ok());
    ASSERT_TRUE(EchoOn(terminal_));
  }

  void Start(const std::vector<std::string>& arguments, const std::vector<std::string>& locale = kUtf8User) {
    std::vector<std::string> argv{PROMPT_DRIVER};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    driver_ = std::make_unique<ChildProcess>(argv, locale, "", ChildSession{true, terminal_.SlavePath()});
    ASSERT_TRUE(driver_->Started());
  }

  // Waits for a password question and checks that echo is off while it waits.
  void ExpectPasswordQuestion(const std::string& question) {
    ASSERT_TRUE(terminal_.WaitFor(question, 10s)) << terminal_.Output();
    EXPECT_FALSE(EchoOn(terminal_)) << "echo on while the password is typed";
  }

  // The driver's last lines, then its normal end with the terminal as before.
  void ExpectEnd(const std::string& answer) {
    ASSERT_TRUE(terminal_.WaitFor("answer: " + answer + "\r\n", 10s)) << terminal_.Output();
    ASSERT_TRUE(terminal_.WaitFor("handlers: restored", 10s)) << terminal_.Output();
    EXPECT_EQ(driver_->Wait(10s), 0);
    EXPECT_TRUE(EchoOn(terminal_)) << "echo left off";
    EXPECT_EQ(terminal_.Output().find(kPassword), std::string::npos) << "the password was shown";
  }

  // As a new terminal is: echo on, line editing.
  PtyCapture terminal_{80, false};
  std::unique_ptr<ChildProcess> driver_;
};

TEST_F(TerminalPromptTest, RightPassword) {
  Start({"password", "ADRESATI.DB", kPassword, "3"});
  ExpectPasswordQuestion("Password for table ADRESATI.DB: ");
  terminal_.Type(std::string(kPassword) + "\n");
  ExpectEnd("right");
}

TEST_F(TerminalPromptTest, WrongThenRight) {
  Start({"password", "ADRESATI.DB", kPassword, "3"});
  ExpectPasswordQuestion("Password for table ADRESATI.DB: ");
  terminal_.Type("heslo\n");
  ASSERT_TRUE(terminal_.WaitFor("answer: wrong", 10s)) << terminal_.Output();
  ExpectPasswordQuestion("Wrong password. Password for table ADRESATI.DB: ");
  terminal_.Type(std::string(kPassword) + "\n");
  ExpectEnd("right");
  EXPECT_EQ(terminal_.Output().find("heslo\r"), std::string::npos) << "the wrong password was shown";
}

// The fourth ask of a table is answered without a question.
TEST_F(TerminalPromptTest, ThreeWrongTriesEndTheAsking) {
  Start({"password", "ADRESATI.DB", kPassword, "4"});
  for (int i = 0; i < 3; ++i) {
    ExpectPasswordQuestion("Password for table ADRESATI.DB: ");
    terminal_.Type("nope\n");
    ASSERT_TRUE(terminal_.WaitFor("answer: wrong", 10s)) << terminal_.Output();
  }
  ExpectEnd("none");
  EXPECT_EQ(Count(terminal_.Output(), "Password for table"), 3u) << terminal_.Output();
}

// Backspace is the terminal's own line editing: one character, all its bytes.
TEST_F(TerminalPromptTest, LineEditingWorks) {
  Start({"password", "T.DB", kPassword, "1"});
  ExpectPasswordQuestion("Password for table T.DB: ");
  terminal_.Type(std::string(kPassword) + "\xC4\x8D\x7F\n");  // "č", then Backspace
  ExpectEnd("right");
}

// A terminal in ISO-8859-2 types "ž" as one byte; the answer is UTF-8 all the same.
TEST_F(TerminalPromptTest, LegacyTerminalTextBecomesUtf8) {
  const std::string locales = MERIVAN_BINARY_DIR "/locales";
  if (!std::ifstream(locales + "/cs_CZ.ISO-8859-2/LC_CTYPE")) GTEST_SKIP() << "no cs_CZ.ISO-8859-2 in " << locales;
  Start({"password", "T.DB", kPassword, "1"}, {"LANG=cs_CZ.ISO-8859-2", "LC_ALL", "LC_CTYPE", "LOCPATH=" + locales});
  ExpectPasswordQuestion("Password for table T.DB: ");
  terminal_.Type("heslo-\xBElu\xBB\n");
  ExpectEnd("right");
}

TEST_F(TerminalPromptTest, CancellingKeysAndSignals) {
  struct Case {
    const char* what;
    const char* keys;  // typed, or nullptr
    int signal;        // sent, or 0
  };
  for (const Case& c : {Case{"Ctrl-D", "\x04", 0}, Case{"Ctrl-C", "\x03", 0}, Case{"Ctrl-C after typing", "abc\x03", 0},
                        Case{"SIGTERM", nullptr, SIGTERM}, Case{"SIGHUP", nullptr, SIGHUP}}) {
    SCOPED_TRACE(c.what);
    Start({"password", "T.DB", kPassword, "3"});
    ExpectPasswordQuestion("Password for table T.DB: ");
    if (c.keys) terminal_.Type(c.keys);
    if (c.signal) kill(driver_->Pid(), c.signal);
    ExpectEnd("none");
  }
}

TEST_F(TerminalPromptTest, LoginKeepsTheOfferedUser) {
  Start({"login", "adresar", "anna", kPassword});
  ASSERT_TRUE(terminal_.WaitFor("User name for database adresar [anna]: ", 10s)) << terminal_.Output();
  EXPECT_TRUE(EchoOn(terminal_)) << "the user name is typed with echo";
  terminal_.Type("\n");
  ExpectPasswordQuestion("Password for database adresar: ");
  terminal_.Type(std::string(kPassword) + "\n");
  ASSERT_TRUE(terminal_.WaitFor("user: anna\r\n", 10s)) << terminal_.Output();
  ExpectEnd("right");
}

TEST_F(TerminalPromptTest, LoginTakesATypedUser) {
  Start({"login", "adresar", "", kPassword});
  ASSERT_TRUE(terminal_.WaitFor("User name for database adresar: ", 10s)) << terminal_.Output();
  terminal_.Type("bohu\xC5\xA1\n");
  ExpectPasswordQuestion("Password for database adresar: ");
  terminal_.Type("x\n");
  ASSERT_TRUE(terminal_.WaitFor("user: bohu\xC5\xA1\r\n", 10s)) << terminal_.Output();
  ExpectEnd("wrong");
}

TEST_F(TerminalPromptTest, LoginCancelled) {
  for (const char* keys : {"\x04", "\x03"}) {
    SCOPED_TRACE(keys[0] == 4 ? "at the user name, Ctrl-D" : "at the user name, Ctrl-C");
    Start({"login", "adresar", "anna", kPassword});
    ASSERT_TRUE(terminal_.WaitFor("User name for database adresar [anna]: ", 10s)) << terminal_.Output();
    terminal_.Type(keys);
    ExpectEnd("none");
  }
  Start({"login", "adresar", "anna", kPassword});
  ASSERT_TRUE(terminal_.WaitFor("[anna]: ", 10s)) << terminal_.Output();
  terminal_.Type("\n");
  ExpectPasswordQuestion("Password for database adresar: ");
  terminal_.Type("\x03");
  ExpectEnd("none");
}

// In a session without a controlling terminal nothing is asked and nothing
// waits: stdin stays open and unread.
TEST(NoTerminal, AnswersAtOnce) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"password", "T.DB", kPassword, "3"},
        std::vector<std::string>{"login", "adresar", "anna", kPassword}}) {
    std::vector<std::string> argv{PROMPT_DRIVER};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ChildProcess driver(argv, kUtf8User, "", ChildSession{true, ""});
    ASSERT_TRUE(driver.Started());
    EXPECT_EQ(driver.ReadLine(20s), "answer: none");
    EXPECT_EQ(driver.ReadLine(20s), "handlers: restored");
    EXPECT_EQ(driver.Wait(10s), 0);
    EXPECT_EQ(driver.ReadToEnd(5s).err, "");
  }
}

}  // namespace
}  // namespace merivan::testing
