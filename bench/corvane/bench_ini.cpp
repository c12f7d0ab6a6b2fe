#include "bench/corvane/bench_ini.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>

namespace corvane_bench {

BenchIni::BenchIni(std::string folder) : folder_(std::move(folder)) {
  std::filesystem::create_directories(folder_);
  // A caller's own odbcinst.ini name or search mode would point unixODBC
  // elsewhere, or hide the user data sources.
  unsetenv("ODBCINSTINI");
  unsetenv("ODBCSEARCH");
  setenv("ODBCSYSINI", folder_.c_str(), 1);
  setenv("ODBCINI", (folder_ + "/user-odbc.ini").c_str(), 1);
  std::ofstream(folder_ + "/odbc.ini", std::ios::trunc).flush();
}

void BenchIni::write(int dataSources, int drivers) const {
  std::ofstream driverFile(folder_ + "/odbcinst.ini", std::ios::trunc);
  for (int i = 0; i < drivers; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "BenchDriver%02d", i);
    driverFile << '[' << name << "]\nDescription=bench driver\nDriver=/opt/" << name << ".so\nSetup=/opt/setup.so\n\n";
  }
  std::ofstream dataSourceFile(folder_ + "/user-odbc.ini", std::ios::trunc);
  for (int i = 0; i < dataSources; ++i) {
    char section[96];
    std::snprintf(section, sizeof section, "[BenchDS%03d]\nDriver=BenchDriver%02d\n\n", i, i % drivers);
    dataSourceFile << section;
  }
}

}  // namespace corvane_bench
