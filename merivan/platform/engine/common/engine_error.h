#pragma once
// The table engine's two failures. EngineError: a table that cannot be read
// (missing, damaged, of an unknown form); its text says what is wrong, then
// names the file on a line of its own. MisuseError: a call the driver's
// interface does not allow (no current record, no such column).
#include <stdexcept>
#include <string>

namespace merivan::engine {

class EngineError : public std::runtime_error {
 public:
  // `message` is a whole sentence; what() is "<message>\r\nFile: <file>".
  EngineError(const std::string& message, const std::string& file);
  const std::string& Message() const { return message_; }
  const std::string& File() const { return file_; }

 private:
  std::string message_;
  std::string file_;
};

class MisuseError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

[[noreturn]] void ThrowEngineError(const std::string& what, const std::string& path);

// The one misuse every reader reports: a field read without a current
// record, or of a column it does not have (or, for blob reads, of one that
// is not a blob).
[[noreturn]] void ThrowNoSuchField();

}  // namespace merivan::engine
