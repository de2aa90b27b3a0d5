#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/byte_string.h"

namespace velunor {

// Code page 1252 (Windows Western), the 8-bit character set of all user
// text: the full table, with the printable characters at 80..9F.

// The Unicode character of a code page 1252 byte. The five bytes the code
// page leaves undefined (81, 8D, 8F, 90, 9D) map to the control characters
// of the same value, so that every byte survives a round trip.
char32_t Cp1252ToUnicode(unsigned char byte);
// The code page 1252 byte of a character, or none when it has none.
std::optional<unsigned char> UnicodeToCp1252(char32_t character);

// UTF-8 text as code page 1252 bytes. Characters without a byte are listed in
// `unrepresentable` (each once, in order of appearance) and left out of the
// result; none is returned for text that is not valid UTF-8.
std::optional<ByteString> Utf8ToCp1252(std::string_view utf8,
                                       std::u32string* unrepresentable = nullptr);
// Code page 1252 bytes as UTF-8 text.
std::string Cp1252ToUtf8(std::string_view bytes);
// One character as UTF-8.
std::string Utf8Of(char32_t character);

}  // namespace velunor
