#pragma once

#include <string>

namespace corvane_bench {

// Private unixODBC ini files in one folder, which ODBCSYSINI and ODBCINI point
// at from construction on (make it before any ODBC call of the process).
class BenchIni {
 public:
  explicit BenchIni(std::string folder);

  // `drivers` drivers and `dataSources` user data sources, data source i
  // using driver i % drivers.
  void write(int dataSources, int drivers) const;

 private:
  std::string folder_;
};

}  // namespace corvane_bench
