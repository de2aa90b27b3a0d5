#pragma once

#include <exception>
#include <string>

namespace velunor {

// The general exception of the system: it carries a message text. Each layer
// derives its own exceptions from it (EProtection and EStringFormat beside the
// protection framework, ECipherException beside the cipher base).
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A call with an argument the function cannot take (a destination shorter
// than its source, an initial vector of another size than a block).
class EInvalidArgument : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace velunor
