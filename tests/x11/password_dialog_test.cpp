// The program itself asking for a protected table's password on a real X
// server: the "Enter password" dialog modal over the main window and
// centred, answered with real key presses (xdotool): the password typed and
// Enter exports the table; a wrong one asks again; Escape ends the run with
// the engine's message in the error box and exit status 255.
#include <gtest/gtest.h>

#include <memory>

#include "merivan/platform/locale/codepage.h"
#include "tests/fixtures/paradox_writer.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/x11/program_user.h"
#include "tests/x11/x_probe.h"

namespace merivan::x11test {
namespace {

using namespace std::chrono_literals;
using namespace merivan::fixtures;
using testing::ChildProcess;
using testing::RunShell;

constexpr const char* kPassword = "heslo-\xC5\xBElu\xC5\xA5";  // "heslo-žluť", typed in UTF-8

class PasswordDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(display_.Get(), nullptr) << "no X server (run under with_x_server.sh)";
    PxLayout layout;
    layout.codePage = 852;
    layout.fields = {{"Jmeno", PxType::Alpha, 20}, {"Poznamka", PxType::Memo, 10}};
    std::vector<std::vector<PxValue>> records;
    for (int i = 0; i < 30; ++i)
      records.push_back({PxText(platform::Utf8ToCodePage("Božena " + std::to_string(i), 852)),
                         PxText(std::string(200 + i, 'p'))});
    WriteParadoxTable(dir_ / "otevrena.db", layout, records);
    layout.password = platform::Utf8ToCodePage(kPassword, 852);
    WriteParadoxTable(dir_ / "chranena.db", layout, records);
  }

  void Start(const std::string& name) {
    stderrPath_ = ScreenshotFolder() + "/" + name + ".stderr";
    program_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{MERIVAN_PROGRAM, dir_.path(), "chranena.db", dir_ / "out.txt"}, kCzechUser,
        stderrPath_);
    ASSERT_TRUE(program_->Started());
  }

  // Waits for the dialog, checks it, and gives back once it has the keyboard.
  Window Dialog(const std::string& shot) {
    const auto dialog = FindWindowNamed("^Enter password$", 20s, program_->Pid());
    EXPECT_TRUE(dialog.has_value()) << "no password dialog; stderr: " << testing::ReadFile(stderrPath_);
    if (!dialog) return 0;
    const auto main = FindWindowNamed(kMainNamePattern, 5s, program_->Pid());
    EXPECT_TRUE(main.has_value()) << "no main window";
    EXPECT_TRUE(WaitUntilFocused(*dialog, 5s)) << "the dialog did not get the keyboard";
    if (main) {
      EXPECT_EQ(ModalDialogFaults(*dialog, *main, display_.ScreenWidth(), display_.ScreenHeight()), "");
    }
    EXPECT_TRUE(Screenshot(*dialog, ScreenshotFolder() + "/" + shot + ".png").has_value());
    return *dialog;
  }

  // xdotool reads the text to type in its locale's character set.
  void Keys(const std::string& arguments) { RunShell("LC_ALL=C.UTF-8 timeout 20 xdotool " + arguments); }
  void Type(const std::string& text) { Keys("type --delay 30 '" + text + "'"); }

  int ExitStatus() {
    const auto status = program_->Wait(60s);
    EXPECT_TRUE(status.has_value()) << "still running";
    return status.value_or(-100);
  }

  // The protected table's lines are the plain table's.
  void ExpectExported() {
    ChildProcess plain({MERIVAN_PROGRAM, dir_.path(), "otevrena.db", dir_ / "plain.txt"}, kCzechUser,
                       ScreenshotFolder() + "/plain.stderr");
    EXPECT_EQ(plain.Wait(60s).value_or(-100), 0);
    const std::string exported = testing::ReadFile(dir_ / "out.txt");
    EXPECT_EQ(exported.rfind("Jmeno;Poznamka\r\n", 0), 0u);
    EXPECT_EQ(exported, testing::ReadFile(dir_ / "plain.txt"));
    EXPECT_EQ(exported.find(platform::Utf8ToCodePage(kPassword, 852)), std::string::npos);
  }

  TestDisplay display_;
  testing::TempDir dir_;
  std::unique_ptr<ChildProcess> program_;
  std::string stderrPath_;
};

TEST_F(PasswordDialogTest, TypedThenEnterExports) {
  Start("password_right");
  ASSERT_NE(Dialog("password_asked"), 0u);
  Type(kPassword);
  Keys("key Return");
  EXPECT_EQ(ExitStatus(), 0) << testing::ReadFile(stderrPath_);
  ExpectExported();
}

TEST_F(PasswordDialogTest, AWrongPasswordAsksAgain) {
  Start("password_wrong_then_right");
  ASSERT_NE(Dialog("password_first"), 0u);
  Type("heslo-zlut");  // without the accents: another password
  Keys("key Return");
  ASSERT_NE(Dialog("password_again"), 0u);
  Type(kPassword);
  Keys("key Return");
  EXPECT_EQ(ExitStatus(), 0) << testing::ReadFile(stderrPath_);
  ExpectExported();
}

// Escape cancels: the engine's error in the box, then 255; nothing exported.
TEST_F(PasswordDialogTest, EscapeFailsWithTheEnginesError) {
  Start("password_escape");
  ASSERT_NE(Dialog("password_cancelled"), 0u);
  Type("abc");
  Keys("key Escape");
  const auto box = FindWindowNamed("^Error$", 20s, program_->Pid());
  ASSERT_TRUE(box.has_value()) << "no error box; stderr: " << testing::ReadFile(stderrPath_);
  WaitUntilFocused(*box, 5s);
  EXPECT_TRUE(Screenshot(*box, ScreenshotFolder() + "/password_error.png").has_value());
  Keys("key Return");
  EXPECT_EQ(ExitStatus(), 255);
}

}  // namespace
}  // namespace merivan::x11test
