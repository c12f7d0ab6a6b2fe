#pragma once
// A real PostgreSQL server for one test binary: initdb into a private
// folder under the build folder, started with pg_ctl on its own Unix socket
// (no TCP), password logins only, stopped and removed afterwards. As root
// the server runs as the unprivileged user "postgres", which owns the folder.
// A server that a killed test binary left behind is stopped by the next one.
#include <string>

namespace merivan::odbctest {

class PgServer {
 public:
  // Superuser "postgres" with password kSuperPassword; nothing on failure
  // (Running() false, Log() says why).
  PgServer();
  ~PgServer();
  PgServer(const PgServer&) = delete;
  PgServer& operator=(const PgServer&) = delete;

  bool Running() const { return running_; }
  std::string Log() const;
  // The socket folder and port as psqlodbc's Servername and Port take them.
  const std::string& SocketDir() const { return socketDir_; }
  int Port() const { return port_; }

  // Runs `sql` with psql as the superuser in `database`; false with the
  // output in `error` when psql fails.
  bool Sql(const std::string& database, const std::string& sql, std::string* error = nullptr) const;
  void Stop();

  static constexpr const char* kSuperPassword = "superheslo";

 private:
  std::string AsServerUser(const std::string& command) const;
  void RemoveOrphans(const std::string& root) const;

  std::string dir_;
  std::string socketDir_;
  int port_ = 0;
  bool running_ = false;
};

}  // namespace merivan::odbctest
