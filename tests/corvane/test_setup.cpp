// A driver setup library for the tests: its ConfigDSN adds and removes user
// data sources in the private ini files through the ODBC installer, the way
// a driver's own setup would, and appends each request it receives to the
// file named by CORVANE_SETUP_LOG so the tests can see what reached it.
//
// The attribute string is "DSN=name" and ";"-separated key=value pairs; the
// pair ListAs=other stores the data source under another name, for tests of
// a data source that the driver manager reports differently.
#include <sql.h>
#include <odbcinst.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// unixODBC spells BOOL as int and defines no TRUE or FALSE of its own.
constexpr BOOL kTrue = 1;
constexpr BOOL kFalse = 0;

// The text up to the double NUL; single NULs separate pairs too.
std::string attributeText(const char* attributes) {
  std::string text;
  for (const char* p = attributes; p[0] != '\0' || p[1] != '\0'; ++p) text += p[0] == '\0' ? ';' : p[0];
  return text;
}

Pairs splitPairs(const std::string& text) {
  Pairs pairs;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string piece = text.substr(start, end - start);
    const std::size_t equals = piece.find('=');
    if (!piece.empty()) {
      if (equals == std::string::npos) {
        pairs.emplace_back(piece, "");
      } else {
        pairs.emplace_back(piece.substr(0, equals), piece.substr(equals + 1));
      }
    }
    start = end + 1;
  }
  return pairs;
}

std::string valueOf(const Pairs& pairs, const std::string& key) {
  for (const auto& [k, v] : pairs) {
    if (k == key) return v;
  }
  return {};
}

void logRequest(WORD request, const char* driver, const std::string& text) {
  const char* path = std::getenv("CORVANE_SETUP_LOG");
  if (path == nullptr) return;
  if (FILE* log = std::fopen(path, "a")) {
    std::fprintf(log, "%u|%s|%s\n", static_cast<unsigned>(request), driver, text.c_str());
    std::fclose(log);
  }
}

BOOL addDataSource(const char* driver, const Pairs& pairs) {
  std::string name = valueOf(pairs, "DSN");
  const std::string listAs = valueOf(pairs, "ListAs");
  if (!listAs.empty()) name = listAs;
  if (name.empty() || !SQLWriteDSNToIni(name.c_str(), driver)) return kFalse;
  for (const auto& [key, value] : pairs) {
    if (key == "DSN" || key == "ListAs") continue;
    if (!SQLWritePrivateProfileString(name.c_str(), key.c_str(), value.c_str(), "odbc.ini")) return kFalse;
  }
  return kTrue;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) BOOL ConfigDSN(HWND, WORD request, LPCSTR driver,
                                                                LPCSTR attributes) {
  // The installer rewrites the whole ini file for each change, so two
  // requests at once would lose one of them; a setup library serializes them.
  static std::mutex requests;
  const std::lock_guard<std::mutex> lock(requests);
  const std::string text = attributeText(attributes);
  logRequest(request, driver, text);
  const Pairs pairs = splitPairs(text);
  switch (request) {
    case ODBC_ADD_DSN:
      return addDataSource(driver, pairs);
    case ODBC_REMOVE_DSN:
      return SQLRemoveDSNFromIni(valueOf(pairs, "DSN").c_str());
    default:
      return kFalse;
  }
}
