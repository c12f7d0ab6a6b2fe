#include "tests/odbc/pg_server.h"

#include <pwd.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace merivan::odbctest {

namespace {

const std::string kBin = "/usr/lib/postgresql/15/bin/";

std::string Quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

PgServer::PgServer() {
  const std::string root = std::string(MERIVAN_BINARY_DIR) + "/odbc-tests";
  std::filesystem::create_directories(root);
  RemoveOrphans(root);
  std::string tmpl = root + "/pg-XXXXXX";
  if (!mkdtemp(tmpl.data())) return;
  dir_ = tmpl;
  std::ofstream(dir_ + "/owner") << getpid() << "\n";
  socketDir_ = dir_ + "/socket";
  std::filesystem::create_directories(socketDir_);
  std::ofstream(dir_ + "/pwfile") << kSuperPassword << "\n";
  if (geteuid() == 0) {
    const passwd* pw = getpwnam("postgres");
    if (!pw) return;
    for (const auto& p : {dir_, socketDir_, dir_ + "/pwfile"}) {
      if (chown(p.c_str(), pw->pw_uid, pw->pw_gid) != 0) return;
    }
  }
  // The socket's name carries the port, so any port works; one per process.
  port_ = 40000 + getpid() % 20000;
  const std::string data = dir_ + "/data";
  const auto init = testing::RunShell(AsServerUser(kBin + "initdb -D " + Quoted(data) +
                                                   " -U postgres -E UTF8 --locale=C.UTF-8 --auth=scram-sha-256"
                                                   " --pwfile=" + Quoted(dir_ + "/pwfile")) +
                                      " > " + Quoted(dir_ + "/initdb.log") + " 2>&1");
  if (init.status != 0) return;
  const std::string options = "-p " + std::to_string(port_) + " -k " + socketDir_ + " -c listen_addresses=";
  const auto start = testing::RunShell(AsServerUser(kBin + "pg_ctl -D " + Quoted(data) + " -w -t 60 -l " +
                                                    Quoted(dir_ + "/server.log") + " -o " + Quoted(options) +
                                                    " start") +
                                       " > " + Quoted(dir_ + "/pg_ctl.log") + " 2>&1");
  running_ = start.status == 0;
}

PgServer::~PgServer() {
  Stop();
  if (!dir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
}

void PgServer::Stop() {
  if (!running_) return;
  testing::RunShell(AsServerUser(kBin + "pg_ctl -D " + Quoted(dir_ + "/data") + " -w -t 60 -m fast stop") +
                    " > /dev/null 2>&1");
  running_ = false;
}

std::string PgServer::Log() const {
  std::string log;
  for (const char* f : {"/initdb.log", "/pg_ctl.log", "/server.log"}) log += testing::ReadFile(dir_ + f);
  return log;
}

bool PgServer::Sql(const std::string& database, const std::string& sql, std::string* error) const {
  const std::string file = dir_ + "/statements.sql";
  std::ofstream(file) << sql;
  const auto r = testing::RunShell("PGPASSWORD=" + std::string(kSuperPassword) + " " + kBin +
                                   "psql -X -q -v ON_ERROR_STOP=1 -h " + Quoted(socketDir_) + " -p " +
                                   std::to_string(port_) + " -U postgres -d " + Quoted(database) + " -f " +
                                   Quoted(file) + " 2>&1");
  if (error) *error = r.output;
  return r.status == 0;
}

// A test binary that was killed left its server running: stop it and take
// its folder away, once the process that owned it is gone.
void PgServer::RemoveOrphans(const std::string& root) const {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(root, ignored)) {
    if (entry.path().filename().string().rfind("pg-", 0) != 0) continue;
    std::ifstream ownerFile(entry.path() / "owner");
    pid_t owner = 0;
    if (!(ownerFile >> owner) || owner <= 0 || kill(owner, 0) == 0 || errno != ESRCH) continue;
    testing::RunShell(AsServerUser(kBin + "pg_ctl -D " + Quoted(entry.path() / "data") + " -w -t 60 -m fast stop") +
                      " > /dev/null 2>&1");
    std::filesystem::remove_all(entry.path(), ignored);
  }
}

std::string PgServer::AsServerUser(const std::string& command) const {
  return geteuid() == 0 ? "runuser -u postgres -- " + command : command;
}

}  // namespace merivan::odbctest
