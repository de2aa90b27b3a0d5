#include "cipher/cipher_errors.h"

namespace velunor {

void RaiseCipherException(std::int32_t faultCode, std::string message) {
  throw ECipherException(faultCode, std::move(message));
}

}  // namespace velunor
