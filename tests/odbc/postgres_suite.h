#pragma once
// Test suites over one real PostgreSQL server per test binary: the role
// "merivan" with kPostgresPassword owns the UTF-8 database "adresy", whose
// tables the suite's SQL makes. Every test skips when the server did not start.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/odbc/odbc_setup.h"
#include "tests/odbc/pg_server.h"

namespace merivan::odbctest {

// Blanks, accents, a semicolon and braces: the connection string must keep them the password's.
inline const std::string kPostgresPassword = "tajné heslo; {x}";

class PostgresSuite : public ::testing::Test {
 protected:
  // From SetUpTestSuite: starts the server and runs `tablesSql` in "adresy" as merivan.
  static void StartServer(const std::string& tablesSql) {
    server_ = std::make_unique<PgServer>();
    if (!server_->Running()) return;
    std::string error;
    const bool ok = server_->Sql("postgres", "CREATE ROLE merivan LOGIN PASSWORD '" + kPostgresPassword +
                                                 "'; CREATE DATABASE adresy OWNER merivan ENCODING 'UTF8';",
                                 &error) &&
                    server_->Sql("adresy", "SET ROLE merivan;\n" + tablesSql, &error);
    if (!ok) setupError_ = error;
  }
  static void TearDownTestSuite() { server_.reset(); }

  void SetUp() override {
    if (!server_ || !server_->Running()) GTEST_SKIP() << "PostgreSQL did not start:\n" << (server_ ? server_->Log() : "");
    ASSERT_EQ(setupError_, "");
  }

  // The odbc.ini lines that reach "adresy" through psqlodbc, then `more`.
  static std::vector<std::string> DataSourceLines(const std::vector<std::string>& more) {
    std::vector<std::string> lines = {std::string("Driver=") + kPostgresDriver, "Servername=" + server_->SocketDir(),
                                      "Port=" + std::to_string(server_->Port()), "Database=adresy"};
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
  }

  static inline std::unique_ptr<PgServer> server_;
  static inline std::string setupError_;
  OdbcSetup odbc_;
  const std::string out_ = odbc_ / "out.txt";
};

}  // namespace merivan::odbctest
