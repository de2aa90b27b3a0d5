#include "protection/exceptions.h"

#include <cstdint>
#include <limits>

#include "protection/byte_string.h"

namespace velunor {

void RaiseCipherException(std::int32_t faultCode, std::string message) {
  throw ECipherException(faultCode, std::move(message));
}

std::int32_t CountedLength(std::string_view text) {
  constexpr auto kLargest = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  if (text.size() > kLargest) {
    throw Exception("input of " + std::to_string(text.size()) + " bytes is too large (at most " +
                    std::to_string(kLargest) + " bytes)");
  }
  return static_cast<std::int32_t>(text.size());
}

}  // namespace velunor
