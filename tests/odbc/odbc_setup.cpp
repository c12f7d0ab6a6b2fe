#include "tests/odbc/odbc_setup.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace merivan::odbctest {

const char kSqliteDriver[] = "SQLite3";
const char kPostgresDriver[] = "PostgreSQL";

namespace {

void Remember(const char* name, std::string& value, bool& had) {
  const char* v = getenv(name);
  had = v != nullptr;
  if (v) value = v;
}

void Restore(const char* name, const std::string& value, bool had) {
  if (had) {
    setenv(name, value.c_str(), 1);
  } else {
    unsetenv(name);
  }
}

}  // namespace

OdbcSetup::OdbcSetup() {
  const std::string root = std::string(MERIVAN_BINARY_DIR) + "/odbc-tests";
  std::filesystem::create_directories(root);
  std::string tmpl = root + "/run-XXXXXX";
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed in " + root);
  dir_ = tmpl;
  std::ofstream(dir_ + "/odbcinst.ini") << "[" << kSqliteDriver << "]\nDriver=" << MERIVAN_SQLITE_ODBC_DRIVER << "\n\n"
                                        << "[" << kPostgresDriver << "]\nDriver=" << MERIVAN_POSTGRES_ODBC_DRIVER
                                        << "\n\n";
  std::ofstream(dir_ + "/odbc.ini") << "";
  std::ofstream(dir_ + "/user-odbc.ini") << "";
  Remember("ODBCSYSINI", oldSysIni_, hadSysIni_);
  Remember("ODBCINI", oldIni_, hadIni_);
  setenv("ODBCSYSINI", dir_.c_str(), 1);
  setenv("ODBCINI", (dir_ + "/user-odbc.ini").c_str(), 1);
}

OdbcSetup::~OdbcSetup() {
  Restore("ODBCSYSINI", oldSysIni_, hadSysIni_);
  Restore("ODBCINI", oldIni_, hadIni_);
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void OdbcSetup::AddDataSource(const std::string& name, const std::vector<std::string>& lines, bool system) {
  std::ofstream ini(dir_ + (system ? "/odbc.ini" : "/user-odbc.ini"), std::ios::app);
  ini << "[" << name << "]\n";
  for (const std::string& line : lines) ini << line << "\n";
  ini << "\n";
}

void OdbcSetup::AddSqlite(const std::string& name, const std::string& path) {
  AddDataSource(name, {std::string("Driver=") + kSqliteDriver, "Database=" + path});
}

void SqliteExec(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("cannot open " + path);
  }
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("SQLite: " + message);
}

}  // namespace merivan::odbctest
