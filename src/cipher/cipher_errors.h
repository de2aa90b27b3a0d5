#pragma once

#include <cstdint>
#include <string>

#include "runtime/exceptions.h"
#include "runtime/messages.h"

namespace velunor {

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

// The messages of the cipher base.
inline constexpr TMessage kInvalidKeyLength{
    65322, "Length from Encryptionkey is invalid.\r\nKeysize for %s must be to %d-%d bytes"};
inline constexpr TMessage kCipherNotInitialized{
    65323, "%s is not initialized call Init() or InitKey() before."};

// Creates an ECipherException from a fault code and its finished text and raises it.
[[noreturn]] void RaiseCipherException(std::int32_t faultCode, std::string message);

}  // namespace velunor
