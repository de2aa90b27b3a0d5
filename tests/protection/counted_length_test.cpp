#include <gtest/gtest.h>

#include <limits>

#include "protection/exceptions.h"
#include "protection/format_registry.h"

namespace velunor {
namespace {

// Strings beyond what a 32-bit count can hold are refused with a clear
// error instead of turning into a negative length. The views below are never
// read: the length is checked first.
TEST(CountedLength, RefusesStringsBeyondThirtyTwoBits) {
  const char byte = 'a';
  const auto tooLong = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) + 1;
  const std::string_view huge(&byte, tooLong);
  EXPECT_THROW(CountedLength(huge), Exception);
  EXPECT_THROW(BytesToText(huge, sfBase64), Exception);
  EXPECT_THROW(TextToBytes(huge, sfBase64), Exception);
  EXPECT_EQ(CountedLength(std::string_view(&byte, 1)), 1);
}

}  // namespace
}  // namespace velunor
