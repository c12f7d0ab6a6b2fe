#pragma once
// The table engine's two failures. EngineError: a table that cannot be read
// (missing, damaged, of an unknown form, or protected by a password that was
// not given); its text says what is wrong, then names the file on a line of
// its own. MisuseError: a call the driver's interface does not allow (no
// current record, no such column).
#include <stdexcept>
#include <string>

namespace merivan::engine {

// What the caller can do about a failure: a protected table opens once its
// password is given, the other failures stay.
enum class FailureKind {
  kUnreadable,
  kPasswordRequired,  // no password was given
  kWrongPassword,     // none of the passwords given is the table's
};

class EngineError : public std::runtime_error {
 public:
  // `message` is a whole sentence; what() is "<message>\r\nFile: <file>".
  EngineError(const std::string& message, const std::string& file, FailureKind kind = FailureKind::kUnreadable);
  // A failure that names no file (a data source's): what() is `text`.
  explicit EngineError(const std::string& text);
  const std::string& Message() const { return message_; }
  const std::string& File() const { return file_; }
  FailureKind Kind() const { return kind_; }
  bool NeedsPassword() const { return kind_ != FailureKind::kUnreadable; }

 private:
  std::string message_;
  std::string file_;
  FailureKind kind_ = FailureKind::kUnreadable;
};

class MisuseError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

[[noreturn]] void ThrowEngineError(const std::string& what, const std::string& path);

// A protected table that no password given opens: `noneGiven` when there
// was none to try, otherwise the ones given were wrong.
[[noreturn]] void ThrowPasswordFailure(bool noneGiven, const std::string& path);

// The one misuse every reader reports: a field read without a current
// record, or of a column it does not have (or, for blob reads, of one that
// is not a blob).
[[noreturn]] void ThrowNoSuchField();

}  // namespace merivan::engine
