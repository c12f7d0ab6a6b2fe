#pragma once

#include <string>

// Fault rules for the ODBC fault-injection library, kept in the file named by
// CORVANE_FAULTS so that tests in the JVM can set them between calls. One rule
// a line: "<function> <skip> <times> <result> [<list>]": let <skip> calls of
// <function> through, then give <result> to the next <times> calls (-1: to
// every later call). <list> replaces the attribute list of SQLDrivers, with
// "|" for each NUL byte. The file is rewritten as rules are used, under a lock.
namespace corvane_faults {

struct Fault {
  bool active = false;
  int result = 0;
  std::string list;  // with "|" for NUL; empty: the driver manager's own
};

// Counts one call of `function` against the rules and tells the fault, if any.
Fault nextFault(const char* function);

}  // namespace corvane_faults
