#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace velunor {

// The general exception of the system: it carries a message text.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A protection chain that would become circular.
class EProtection : public Exception {
 public:
  using Exception::Exception;
};

// A text format that does not exist or refuses its input.
class EStringFormat : public Exception {
 public:
  using Exception::Exception;
};

// A call with an argument the function cannot take (a destination shorter
// than its source, an initial vector of another size than a block).
class EInvalidArgument : public Exception {
 public:
  using Exception::Exception;
};

// A cipher used without a key, or given a key of invalid length.
class ECipherException : public Exception {
 public:
  ECipherException(std::int32_t faultCode, std::string message)
      : Exception(std::move(message)), FaultCode(faultCode) {}

  std::int32_t FaultCode;
};

// Fault codes of ECipherException.
inline constexpr std::int32_t kFaultKeyLength = 2;
inline constexpr std::int32_t kFaultNotInitialized = 3;

// Creates an ECipherException from a fault code and its finished text and raises it.
[[noreturn]] void RaiseCipherException(std::int32_t faultCode, std::string message);

}  // namespace velunor
