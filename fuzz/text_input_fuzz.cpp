#include <cstddef>
#include <cstdint>

#include "cli/text_input.h"
#include "protection/format_registry.h"
#include "protection/protection_errors.h"

// Prepares arbitrary text for every format the way the command line does,
// then reads it. Preparing must never change what the library reads from
// text it already accepts, and must leave no line break in a text format.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static constexpr std::int32_t kNumbers[] = {
      velunor::sfDefault, velunor::sfCopy, velunor::sfHex, velunor::sfHexLower,
      velunor::sfBase64,  velunor::sfUU,   velunor::sfXX};
  const velunor::ByteString text(reinterpret_cast<const char*>(data), size);
  for (const std::int32_t number : kNumbers) {
    const velunor::ByteString prepared = velunor::cli::PrepareTextInput(text, number);
    if (number == velunor::sfCopy ? prepared != text
                                  : prepared.find_first_of("\r\n") != velunor::ByteString::npos) {
      __builtin_trap();
    }
    velunor::ByteString before;
    bool accepted = true;
    try {
      before = velunor::TextToBytes(text, number);
    } catch (const velunor::EStringFormat&) {
      accepted = false;
    }
    try {
      if (velunor::TextToBytes(prepared, number) != before && accepted) __builtin_trap();
    } catch (const velunor::EStringFormat&) {
      if (accepted) __builtin_trap();
    }
  }
  return 0;
}
