#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "protection/byte_sink.h"
#include "protection/format_registry.h"
#include "protection/protection_errors.h"
#include "support/hostile_base64.h"

namespace {

// The bytes read from a text, or the message of the refusal.
struct Outcome {
  velunor::ByteString bytes;
  std::string error;
  bool operator==(const Outcome&) const = default;
};

template <class Read>
Outcome Catch(Read read) {
  try {
    return {read(), ""};
  } catch (const velunor::EStringFormat& e) {
    return {"", e.Message()};
  }
}

// The streaming decoder, fed in pieces of 1 to 16 characters as the text's
// own bytes choose.
velunor::ByteString ReadInPieces(const std::uint8_t* data, std::size_t size, std::int32_t number) {
  velunor::ByteString bytes;
  velunor::StringSink sink(bytes);
  const std::unique_ptr<velunor::ByteSink> decoder = velunor::NewTextDecoder(number, sink);
  for (std::size_t at = 0; at < size;) {
    const std::size_t n = std::min<std::size_t>(size - at, 1 + data[at] % 16);
    decoder->Write(data + at, n);
    at += n;
  }
  decoder->Finish();
  return bytes;
}

}  // namespace

// Reads arbitrary text in every format number; refusals are fine, anything
// else (a crash, an access outside the buffers, bytes that do not survive
// being written and read again, a streaming decoder that reads otherwise
// than the whole-text conversion, base 64 read otherwise than its rule) is
// a finding.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static constexpr std::int32_t kNumbers[] = {
      velunor::sfNone, velunor::sfDefault,  velunor::sfCopy,
      velunor::sfHex,  velunor::sfHexLower, velunor::sfBase64,
      velunor::sfUU,   velunor::sfXX,       7};
  const auto len = static_cast<std::int32_t>(size);
  for (const std::int32_t number : kNumbers) {
    const Outcome whole = Catch([&] { return velunor::TextToBytes(data, len, number); });
    if (Catch([&] { return ReadInPieces(data, size, number); }) != whole) __builtin_trap();
    if (!whole.error.empty()) continue;
    const velunor::ByteString& bytes = whole.bytes;
    if (number == velunor::sfBase64 && bytes != velunor::test::Base64ByTheRule(std::string_view(
                                                    reinterpret_cast<const char*>(data), size))) {
      __builtin_trap();
    }
    // Whatever a format reads, it writes back as text that reads the same.
    if (velunor::TextToBytes(velunor::BytesToText(bytes, number), number) != bytes) {
      __builtin_trap();
    }
  }
  return 0;
}
