// The "Database Login" dialog of a real merivan run on the private X server
// (with_x_server.sh), answered with real key presses, in front of a real
// PostgreSQL server: the right password exports, Escape cancels the run.
#include <gtest/gtest.h>

#include <memory>

#include "merivan/platform/locale/codepage.h"
#include "tests/odbc/odbc_setup.h"
#include "tests/odbc/pg_server.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/x11/x_probe.h"

namespace merivan::odbctest {
namespace {

using namespace std::chrono_literals;
using testing::RunShell;

const std::string kPassword = "tajné heslo; {x}";

class LoginDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = std::make_unique<PgServer>();
    if (!server_->Running()) return;
    std::string error;
    const bool ok = server_->Sql("postgres", "CREATE ROLE merivan LOGIN PASSWORD '" + kPassword +
                                                 "'; CREATE DATABASE adresy OWNER merivan ENCODING 'UTF8';",
                                 &error) &&
                    server_->Sql("adresy", "SET ROLE merivan; CREATE TABLE adresati (jmeno varchar(20));"
                                           "INSERT INTO adresati VALUES ('Veřejný');",
                                 &error);
    if (!ok) setupError_ = error;
  }
  static void TearDownTestSuite() { server_.reset(); }

  void SetUp() override {
    if (!server_->Running()) GTEST_SKIP() << "PostgreSQL did not start:\n" << server_->Log();
    ASSERT_EQ(setupError_, "");
    ASSERT_NE(display_.Get(), nullptr) << "no X server (run under with_x_server.sh)";
    odbc_.AddDataSource("prihlaseni", {std::string("Driver=") + kPostgresDriver,
                                       "Servername=" + server_->SocketDir(), "Port=" + std::to_string(server_->Port()),
                                       "Database=adresy", "UserName=merivan"});
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

  static std::unique_ptr<PgServer> server_;
  static std::string setupError_;
  x11test::TestDisplay display_;
  OdbcSetup odbc_;
  const std::string out_ = odbc_ / "out.txt";
};

std::unique_ptr<PgServer> LoginDialogTest::server_;
std::string LoginDialogTest::setupError_;

TEST_F(LoginDialogTest, RightPasswordExports) {
  auto merivan = StartMerivan();
  const Window dialog = Await("Database Login", merivan->Pid());
  ASSERT_NE(dialog, 0u);
  // The user comes filled in; the focus is on the password.
  Keys("type --delay 30 '" + kPassword + "'");
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
