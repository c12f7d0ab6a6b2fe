#pragma once
// Owners of ODBC handles: each frees its handle (a connection disconnects
// first) when it goes, whatever failed on the way.
#include <sql.h>

#include <string>
#include <string_view>

namespace merivan::engine::odbc {

class Handle {
 public:
  Handle(SQLSMALLINT type, SQLHANDLE handle) : type_(type), handle_(handle) {}
  ~Handle();
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  SQLSMALLINT type() const { return type_; }
  SQLHANDLE get() const { return handle_; }

 protected:
  SQLSMALLINT type_;
  SQLHANDLE handle_;
};

// An ODBC 3 environment; fails when the driver manager cannot make one.
class Environment : public Handle {
 public:
  explicit Environment(const std::string& dataSource);
};

// A connection; Connect() opens it, the destructor closes it.
class Connection : public Handle {
 public:
  Connection(const Environment& env, const std::string& dataSource);
  ~Connection();
  // SQLDriverConnect with `connectionString` (UTF-8), without a driver prompt.
  // Throws the driver's diagnostics on failure.
  void Connect(std::string_view connectionString);

 private:
  std::string dataSource_;
  bool connected_ = false;
};

class Statement : public Handle {
 public:
  Statement(const Connection& connection, const std::string& dataSource);
};

}  // namespace merivan::engine::odbc
