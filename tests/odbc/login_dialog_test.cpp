// The "Database Login" dialog of a real merivan run on the private X server
// (with_x_server.sh), answered with real key presses, in front of a real
// PostgreSQL server: the right password exports, Escape cancels the run.
#include <gtest/gtest.h>

#include <memory>

#include "merivan/platform/locale/codepage.h"
#include "tests/odbc/postgres_suite.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/x11/x_probe.h"

namespace merivan::odbctest {
namespace {

using namespace std::chrono_literals;
using testing::RunShell;

class LoginDialogTest : public PostgresSuite {
 protected:
  static void SetUpTestSuite() {
    StartServer("CREATE TABLE adresati (jmeno varchar(20)); INSERT INTO adresati VALUES ('Veřejný');");
  }

  void SetUp() override {
    PostgresSuite::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_NE(display_.Get(), nullptr) << "no X server (run under with_x_server.sh)";
    odbc_.AddDataSource("prihlaseni", DataSourceLines({"UserName=merivan"}));
  }

  std::unique_ptr<testing::ChildProcess> StartMerivan() {
    auto child = std::make_unique<testing::ChildProcess>(
        std::vector<std::string>{MERIVAN_EXE, "prihlaseni", "adresati", out_},
        std::vector<std::string>{"LC_*", "LANG=cs_CZ.UTF-8", "LC_ALL=cs_CZ.UTF-8"}, odbc_ / "stderr.txt");
    EXPECT_TRUE(child->Started());
    return child;
  }

  // The window titled `title` of merivan, once it has the keyboard.
  Window Await(const std::string& title, int pid) {
    const auto window = x11test::FindWindowNamed("^" + title + "$", 20s, pid);
    EXPECT_TRUE(window.has_value()) << "no window " << title;
    if (!window) return 0;
    EXPECT_TRUE(x11test::WaitUntilFocused(*window, 5s)) << title << " did not get the keyboard";
    return *window;
  }

  void Keys(const std::string& arguments) { RunShell("LC_ALL=C.UTF-8 timeout 20 xdotool " + arguments); }

  x11test::TestDisplay display_;
};

TEST_F(LoginDialogTest, RightPasswordExports) {
  auto merivan = StartMerivan();
  const Window dialog = Await("Database Login", merivan->Pid());
  ASSERT_NE(dialog, 0u);
  // The user comes filled in; the focus is on the password.
  Keys("type --delay 30 '" + kPostgresPassword + "'");
  Keys("key Return");
  EXPECT_EQ(merivan->Wait(60s), 0) << testing::ReadFile(odbc_ / "stderr.txt");
  EXPECT_EQ(testing::ReadFile(out_), platform::Utf8ToCodePage("jmeno\r\n\"Veřejný\"\r\n", 1250));
}

TEST_F(LoginDialogTest, EscapeCancels) {
  auto merivan = StartMerivan();
  ASSERT_NE(Await("Database Login", merivan->Pid()), 0u);
  Keys("type --delay 30 'abc'");
  Keys("key Escape");
  // The run's failure comes in the error box; Enter closes it.
  ASSERT_NE(Await("Error", merivan->Pid()), 0u);
  Keys("key Return");
  EXPECT_EQ(merivan->Wait(60s), 255);
  EXPECT_EQ(testing::ReadFile(out_), "");
}

}  // namespace
}  // namespace merivan::odbctest
