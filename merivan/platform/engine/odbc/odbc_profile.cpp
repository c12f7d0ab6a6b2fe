#include "merivan/platform/engine/odbc/odbc_profile.h"

#include <odbcinst.h>

#include <strings.h>

namespace merivan::engine::odbc {

namespace {

constexpr char kOdbcIni[] = "odbc.ini";
constexpr int kListBytes = 16384;
constexpr int kValueBytes = 4096;

// A NUL-separated list as the installer returns it for a null key.
std::vector<std::string> List(const char* section) {
  std::vector<char> buf(kListBytes, '\0');
  const int n = SQLGetPrivateProfileString(section, nullptr, "", buf.data(), kListBytes, kOdbcIni);
  std::vector<std::string> items;
  for (int i = 0; i < n && buf[static_cast<size_t>(i)] != '\0';) {
    const std::string item(&buf[static_cast<size_t>(i)]);
    items.push_back(item);
    i += static_cast<int>(item.size()) + 1;
  }
  return items;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

}  // namespace

std::optional<DataSourceProfile> DataSourceProfile::Read(const std::string& dataSource) {
  std::string section;
  for (const std::string& s : List(nullptr)) {
    if (SameIgnoringCase(s, dataSource)) {
      section = s;
      break;
    }
  }
  if (section.empty()) return std::nullopt;
  DataSourceProfile profile;
  for (const std::string& key : List(section.c_str())) {
    std::vector<char> value(kValueBytes, '\0');
    SQLGetPrivateProfileString(section.c_str(), key.c_str(), "", value.data(), kValueBytes, kOdbcIni);
    profile.entries_.emplace_back(key, value.data());
  }
  return profile;
}

std::optional<std::string> DataSourceProfile::Value(const std::string& key) const {
  for (const auto& [k, v] : entries_) {
    if (SameIgnoringCase(k, key)) return v;
  }
  return std::nullopt;
}

std::optional<std::string> DataSourceProfile::UserName() const {
  for (const char* key : {"UID", "User", "UserName", "Username", "USER NAME"}) {
    if (auto v = Value(key); v && !v->empty()) return v;
  }
  return std::nullopt;
}

bool DataSourceProfile::HasPassword() const {
  for (const char* key : {"PWD", "Password"}) {
    if (auto v = Value(key); v && !v->empty()) return true;
  }
  return false;
}

}  // namespace merivan::engine::odbc
