#pragma once
// The program's failure classes. Every failure is an Exception carrying its
// message as bytes in the Windows ANSI code page; it is caught in one place
// (the run handler) and shown once.
#include <stdexcept>
#include <string>

namespace merivan {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  const std::string Message() const { return what(); }
};

// File errors: a numeric code and the text chosen by it (see FileErrorText).
class EInOutError : public Exception {
 public:
  EInOutError(int code, const std::string& message) : Exception(message), ErrorCode(code) {}
  int ErrorCode;
};

class EDatabaseError : public Exception {
 public:
  using Exception::Exception;
};

// Failures reported by the table engine itself (damaged files, missing tables...).
class EDBEngineError : public EDatabaseError {
 public:
  using EDatabaseError::EDatabaseError;
};

class EReadError : public Exception {
 public:
  using Exception::Exception;
};

class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace merivan
