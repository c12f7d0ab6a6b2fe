#pragma once
// A data source's section of odbc.ini as unixODBC's installer reads it (the
// user's file, then the system's; ODBCINI and ODBCSYSINI apply).
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace merivan::engine::odbc {

class DataSourceProfile {
 public:
  // nullopt when no odbc.ini has a section of that name (ignoring case).
  static std::optional<DataSourceProfile> Read(const std::string& dataSource);

  // The value of `key`, ignoring case; nullopt when the section lacks it.
  std::optional<std::string> Value(const std::string& key) const;
  // The first non-empty one of the keys that name a user: UID, User,
  // UserName, Username, "USER NAME" (any case).
  std::optional<std::string> UserName() const;
  // Whether the section holds a password (PWD or Password, any case).
  bool HasPassword() const;

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace merivan::engine::odbc
