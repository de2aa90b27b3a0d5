#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "protection/byte_sink.h"
#include "protection/string_format.h"
#include "runtime/byte_string.h"

namespace velunor {

// The format that sfDefault stands for.
inline constexpr std::int32_t DefaultFormat = sfBase64;

// The registered format for a number (sfDefault: DefaultFormat), or none.
[[nodiscard]] const TStringFormat* FindFormat(std::int32_t number);

// Registers formats in order; a format whose number is registered already
// takes that format's place in the registry.
void RegisterFormats(std::initializer_list<const TStringFormat*> classes);

// The registered formats in registry order.
[[nodiscard]] std::vector<const TStringFormat*> RegisteredFormats();

// Text of len bytes in format `number`; raises EStringFormat for an unknown number.
ByteString BytesToText(const void* data, std::int64_t len, std::int32_t number);
// Bytes read from len characters of text in format `number`; raises
// EStringFormat for an unknown number or a text the format refuses.
ByteString TextToBytes(const void* text, std::int64_t len, std::int32_t number);

inline ByteString BytesToText(std::string_view data, std::int32_t number) {
  return BytesToText(data.data(), static_cast<std::int64_t>(data.size()), number);
}
inline ByteString TextToBytes(std::string_view text, std::int32_t number) {
  return TextToBytes(text.data(), static_cast<std::int64_t>(text.size()), number);
}

// Streaming forms of BytesToText and TextToBytes: coders that take their
// input in pieces of any size and write to `next` exactly what the
// whole-string conversion gives for all the pieces together, and raise the
// same errors (a decoder raises where it meets the fault, so output before
// it has reached `next`). sfNone writes nothing; an unknown number raises
// 65313 when the first byte arrives, as the conversions do for non-empty input.
[[nodiscard]] std::unique_ptr<ByteSink> NewTextEncoder(std::int32_t number, ByteSink& next);
[[nodiscard]] std::unique_ptr<ByteSink> NewTextDecoder(std::int32_t number, ByteSink& next);

}  // namespace velunor
