#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/codepage1252.h"

// Keywords and texts are typed or passed as UTF-8 and coded as code page
// 1252 bytes. Any bytes: valid UTF-8 codes to bytes that read back as the
// same text minus the characters reported as unrepresentable; and every
// byte string survives the way to UTF-8 and back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  const std::string utf8 = velunor::Cp1252ToUtf8(input);
  std::u32string lost;
  const auto back = velunor::Utf8ToCp1252(utf8, &lost);
  if (!back || *back != input || !lost.empty()) __builtin_trap();

  lost.clear();
  if (const auto bytes = velunor::Utf8ToCp1252(input, &lost)) {
    const auto again = velunor::Utf8ToCp1252(velunor::Cp1252ToUtf8(*bytes));
    if (!again || *again != *bytes) __builtin_trap();
    if (lost.empty() && velunor::Cp1252ToUtf8(*bytes) != input) __builtin_trap();
    for (const char32_t character : lost) {
      if (velunor::UnicodeToCp1252(character)) __builtin_trap();
    }
  }
  return 0;
}
