// Database aliases over a real PostgreSQL server that the test binary starts
// in the build folder, reached through the PostgreSQL ODBC driver: the
// types, schema-qualified names, wrong passwords and a server that is gone.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "merivan/platform/locale/codepage.h"
#include "tests/odbc/odbc_setup.h"
#include "tests/odbc/pg_server.h"
#include "tests/odbc/postgres_suite.h"
#include "tests/support/child_process.h"
#include "tests/support/merivan_process.h"
#include "tests/support/pty_capture.h"
#include "tests/x11/silent_server.h"

namespace merivan::odbctest {
namespace {

using e2e::ReadFile;
using e2e::RunMerivan;
using e2e::RunResult;

class PostgresAliasTest : public PostgresSuite {
 protected:
  static void SetUpTestSuite() {
    StartServer(R"(
      CREATE TABLE typy (t varchar(10), c char(5), m text, si smallint, i integer, bi bigint, r real,
        d double precision, n numeric(12,2), nw numeric(40,33), nu numeric, b boolean, dt date, tm time,
        ts timestamp, vb bytea, u uuid);
      INSERT INTO typy VALUES ('Žluťoučký', 'ab', E'Řádek 1\r\nŘádek 2', -32768, -2147483648, 9007199254740993,
        0.5, 1.0 / 3, -12.50, 0.5, 123.456789, true, '2002-03-05', '09:05:09', '2002-03-05 14:05:09',
        '\x000102', 'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11');
      INSERT INTO typy VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
        NULL, NULL, NULL, NULL);
      INSERT INTO typy VALUES ('a;b"c', '', '', 0, 0, 0, 0, 0, 0.00005, 0, 0.00015, false, '1899-12-30',
        '00:00:00', '2002-03-05 00:00:00.5', '', NULL);
      -- unquoted names are folded to lower case by PostgreSQL
      CREATE TABLE adresati (Jmeno varchar(20), Aktivni boolean);
      INSERT INTO adresati VALUES ('Veřejný', true), ('Skrytý', false);
      CREATE SCHEMA archiv;
      CREATE TABLE archiv.adresati (Jmeno varchar(20), Aktivni boolean);
      INSERT INTO archiv.adresati VALUES ('Archivní', true), ('Starý', false);
      CREATE SCHEMA jine;
      CREATE TABLE jine.adresati (Jmeno varchar(20), Aktivni uuid);
      INSERT INTO jine.adresati VALUES ('Jiný', 'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11');
      CREATE TABLE archiv."Velká Písmena" (x integer);
      INSERT INTO archiv."Velká Písmena" VALUES (7);
    )");
  }

  void SetUp() override {
    PostgresSuite::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    AddPostgres("pg", kPostgresPassword);
  }

  void AddPostgres(const std::string& name, const std::string& password) {
    std::vector<std::string> lines = DataSourceLines({"Username=merivan", "BoolsAsChar=0", "UseDeclareFetch=1"});
    if (!password.empty()) lines.push_back("Password=" + password);
    odbc_.AddDataSource(name, lines);
  }

  RunResult Export(const std::string& database, const std::string& table) {
    return RunMerivan({database, table, out_});
  }

};

TEST_F(PostgresAliasTest, Types) {
  const RunResult r = Export("pg", "typy");
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  const std::string expected =
      "t;c;m;si;i;bi;r;d;n;nw;nu;b;dt;tm;ts;vb\r\n" +
      Ansi("\"Žluťoučký\";\"ab   \";Řádek 1\r\nŘádek 2;-32768;-2147483648;9,00719925474099E15;0,5;"
           "0,333333333333333;-12,5;0,5;123,4568;True;5.3.2002;9:05:09;5.3.2002 14:05:09;") +
      std::string("\0\x01\x02\r\n", 5) + "\"\";\"\"" + std::string(14, ';') + "\r\n" +
      "\"a;b\"c\";\"     \";;0;0;0;0;0;0;0;0,0002;False;30.12.1899;0:00:00;5.3.2002;\r\n";
  EXPECT_EQ(ReadFile(out_), expected);
}

TEST_F(PostgresAliasTest, SchemaQualifiedNames) {
  const struct {
    const char* table;
    std::string output;
  } cases[] = {
      {"adresati", Ansi("jmeno;aktivni\r\n\"Veřejný\";True\r\n\"Skrytý\";False\r\n")},
      {"adresati.db", Ansi("jmeno;aktivni\r\n\"Veřejný\";True\r\n")},
      {"archiv.adresati", Ansi("jmeno;aktivni\r\n\"Archivní\";True\r\n\"Starý\";False\r\n")},
      {"ARCHIV.Adresati.DB", Ansi("jmeno;aktivni\r\n\"Archivní\";True\r\n\"Starý\";False\r\n")},
      {"public.adresati", Ansi("jmeno;aktivni\r\n\"Veřejný\";True\r\n\"Skrytý\";False\r\n")},
      {"archiv.velká písmena", "x\r\n7\r\n"},
      {"Velká Písmena", "x\r\n7\r\n"},
  };
  for (const auto& c : cases) {
    const RunResult r = Export("pg", c.table);
    EXPECT_EQ(r.exitStatus, 0) << c.table << ": " << r.err;
    EXPECT_EQ(ReadFile(out_), c.output) << c.table;
  }
}

// A column of a type no field type fits is left out; when it is Aktivni,
// the active-only filter says the field is missing.
TEST_F(PostgresAliasTest, UnmappedColumn) {
  odbc_.AddDataSource("jine", DataSourceLines({"Username=merivan", "Password=" + kPostgresPassword,
                                               "ConnSettings=SET search_path TO jine"}));
  RunResult r = Export("jine", "adresati");
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadFile(out_), Ansi("jmeno\r\n\"Jiný\"\r\n"));
  r = Export("jine", "adresati.db");
  EXPECT_EQ(r.exitStatus, 255);
  EXPECT_EQ(r.err, kPrefix + "adresati.db" + kMiddle + "ADR: Field 'Aktivni' not found\n");
  EXPECT_EQ(ReadFile(out_), "");
}

TEST_F(PostgresAliasTest, WrongPassword) {
  AddPostgres("spatne", "nesprávné");
  const RunResult r = Export("spatne", "typy");
  EXPECT_EQ(r.exitStatus, 255);
  EXPECT_EQ(r.err, kPrefix + "typy" + kMiddle + "connection to server on socket \"" + server_->SocketDir() +
                       "/.s.PGSQL." + std::to_string(server_->Port()) +
                       "\" failed: FATAL:  password authentication failed for user \"merivan\"\r\nData source: spatne\n");
  EXPECT_EQ(r.err.find("nesprávné"), std::string::npos);
  EXPECT_EQ(ReadFile(out_), "");
}

// A data source that names a user and no password: merivan asks on its
// terminal (echo off for the password) and connects with the answer.
class PostgresLoginTest : public PostgresAliasTest {
 protected:
  void SetUp() override {
    PostgresAliasTest::SetUp();
    if (IsSkipped()) return;
    odbc_.AddDataSource("prihlaseni", DataSourceLines({"UserName=merivan", "BoolsAsChar=0"}));
  }

  // merivan on `terminal` (none: a session of its own without one).
  std::unique_ptr<testing::ChildProcess> Start(const std::string& terminal) {
    auto child = std::make_unique<testing::ChildProcess>(
        std::vector<std::string>{MERIVAN_EXE, "prihlaseni", "adresati", out_},
        std::vector<std::string>{"DISPLAY", "LC_*", "LANG=cs_CZ.UTF-8", "LC_ALL=cs_CZ.UTF-8"}, "",
        testing::ChildSession{true, terminal});
    EXPECT_TRUE(child->Started());
    return child;
  }
};

TEST_F(PostgresLoginTest, AskedOnTheTerminal) {
  using namespace std::chrono_literals;
  const std::string table = Ansi("jmeno;aktivni\r\n\"Veřejný\";True\r\n\"Skrytý\";False\r\n");
  const std::string cancelled = kPrefix + "adresati" + kMiddle + "Cannot connect to database 'prihlaseni'";
  const std::string refused = "password authentication failed for user";
  const struct {
    const char* what;
    std::string user;      // typed at the user question
    std::string password;  // typed at the password question
    int status;
    std::string err;  // stderr holds this
  } cases[] = {
      {"offered user", "\n", kPostgresPassword + "\n", 0, ""},
      {"other user", "postgres\n", std::string(PgServer::kSuperPassword) + "\n", 0, ""},
      {"wrong password", "\n", "spatne\n", 255, refused},
      {"Ctrl-C", "\n", "\x03", 255, cancelled},
      {"end of input", "\x04", "", 255, cancelled},
  };
  for (const auto& c : cases) {
    testing::PtyCapture terminal{80, false};
    ASSERT_TRUE(terminal.Ok());
    std::remove(out_.c_str());
    auto child = Start(terminal.SlavePath());
    ASSERT_TRUE(terminal.WaitFor("User name for database prihlaseni [merivan]: ", 20s)) << terminal.Output();
    terminal.Type(c.user);
    if (!c.password.empty()) {
      ASSERT_TRUE(terminal.WaitFor("Password for database prihlaseni: ", 20s)) << c.what << terminal.Output();
      const auto settings = terminal.Settings();
      EXPECT_TRUE(settings && !(settings->c_lflag & ECHO)) << c.what << ": echo on for the password";
      terminal.Type(c.password);
    }
    // The terminal is its stderr too: the report shows there.
    const std::string report = c.status == 0 ? "" : c.err;
    if (!report.empty()) {
      EXPECT_TRUE(terminal.WaitFor(report, 60s)) << c.what << ": " << terminal.Output();
    }
    EXPECT_EQ(child->Wait(60s), c.status) << c.what << ": " << terminal.Output();
    EXPECT_EQ(ReadFile(out_), c.status == 0 ? table : "") << c.what;
    const std::string typed = c.password.substr(0, c.password.find_first_of("\n\x03"));
    if (!typed.empty()) {
      EXPECT_EQ(terminal.Output().find(typed), std::string::npos) << c.what << ": password shown";
    }
  }
}

// Nobody to ask: the login goes to the database without a password, and
// the server's refusal is the message.
TEST_F(PostgresLoginTest, NoTerminal) {
  using namespace std::chrono_literals;
  auto child = Start("");
  const testing::ChildOutput output = child->ReadToEnd(60s);
  EXPECT_EQ(child->Wait(10s), 255);
  EXPECT_NE(output.err.find("fe_sendauth: no password supplied\r\nData source: prihlaseni"), std::string::npos)
      << output.err;
}

// A server that accepts the connection and never answers fails once the
// login timeout has passed; a server that is gone fails at once.
TEST_F(PostgresAliasTest, ServerThatDoesNotAnswer) {
  x11test::SilentServer silent;
  ASSERT_TRUE(silent.Listening());
  const std::string display = silent.DisplayName();
  const int port = 6000 + std::stoi(display.substr(display.find(':') + 1));
  odbc_.AddDataSource("tichy", {std::string("Driver=") + kPostgresDriver, "Servername=127.0.0.1",
                                "Port=" + std::to_string(port), "Database=adresy", "Username=merivan",
                                "Password=x"});
  const auto started = std::chrono::steady_clock::now();
  const RunResult r = Export("tichy", "typy");
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started);
  EXPECT_EQ(r.exitStatus, 255) << r.err;
  EXPECT_NE(r.err.find("Data source: tichy"), std::string::npos) << r.err;
  EXPECT_LT(seconds.count(), 60) << r.err;  // not hung: the login timeout is 20 s
  std::cerr << "silent server: " << seconds.count() << " s: " << r.err;
}

TEST_F(PostgresAliasTest, StoppedServer) {
  server_->Stop();
  const RunResult r = Export("pg", "typy");
  EXPECT_EQ(r.exitStatus, 255);
  EXPECT_NE(r.err.find("Data source: pg"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("server"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(out_), "");
  std::cerr << r.err;
}

}  // namespace
}  // namespace merivan::odbctest
