#pragma once
// Private unixODBC configuration for a test: odbcinst.ini with the real
// Debian drivers and the system and user odbc.ini under the build folder,
// named by ODBCSYSINI and ODBCINI for this process and the programs it
// starts. Removed, and the variables restored, when the test is done.
#include <string>
#include <vector>

#include "merivan/platform/locale/codepage.h"

namespace merivan::odbctest {

class OdbcSetup {
 public:
  OdbcSetup();
  ~OdbcSetup();
  OdbcSetup(const OdbcSetup&) = delete;
  OdbcSetup& operator=(const OdbcSetup&) = delete;

  // A folder of this setup for databases and the like.
  const std::string& dir() const { return dir_; }
  std::string operator/(const std::string& name) const { return dir_ + "/" + name; }

  // Adds section [name] with the "Key=Value" lines to the user's odbc.ini
  // (or the system one).
  void AddDataSource(const std::string& name, const std::vector<std::string>& lines, bool system = false);
  // An SQLite data source over the database file `path`.
  void AddSqlite(const std::string& name, const std::string& path);

 private:
  std::string dir_;
  std::string oldSysIni_, oldIni_;
  bool hadSysIni_ = false, hadIni_ = false;
};

// The driver names odbcinst.ini defines.
extern const char kSqliteDriver[];
extern const char kPostgresDriver[];

// Runs `sql` (UTF-8 statements) on the SQLite database at `path`, creating it.
void SqliteExec(const std::string& path, const std::string& sql);

// merivan's failure report is kPrefix + table + kMiddle + message.
inline const std::string kPrefix = "Při přípravě k importu souboru ";
inline const std::string kMiddle = " došlo k chybě: ";

// Text as the Czech exports write it: Windows-1250.
inline std::string Ansi(const std::string& utf8) { return platform::Utf8ToCodePage(utf8, 1250); }

}  // namespace merivan::odbctest
