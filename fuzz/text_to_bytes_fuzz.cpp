#include <cstddef>
#include <cstdint>

#include "protection/format_registry.h"
#include "runtime/exceptions.h"

// Reads arbitrary text in every format number; refusals are fine, anything
// else (a crash, an access outside the buffers, bytes that do not survive
// being written and read again) is a finding.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static constexpr std::int32_t kNumbers[] = {
      velunor::sfNone, velunor::sfDefault,  velunor::sfCopy,
      velunor::sfHex,  velunor::sfHexLower, velunor::sfBase64,
      velunor::sfUU,   velunor::sfXX,       7};
  const auto len = static_cast<std::int32_t>(size);
  for (const std::int32_t number : kNumbers) {
    try {
      const velunor::ByteString bytes = velunor::TextToBytes(data, len, number);
      if (number == velunor::sfBase64 && bytes.size() > size) __builtin_trap();
      // Whatever a format reads, it writes back as text that reads the same.
      if (velunor::TextToBytes(velunor::BytesToText(bytes, number), number) != bytes) {
        __builtin_trap();
      }
    } catch (const velunor::EStringFormat&) {
    }
  }
  return 0;
}
