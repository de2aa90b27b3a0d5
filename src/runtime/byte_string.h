#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velunor {

// Every text of the coding library is a length-counted string of 8-bit
// characters that may hold any byte value, zero included. std::string is used
// as a byte container throughout; user-visible text in it is code page 1252.
using ByteString = std::string;

inline const std::uint8_t* BytesOf(std::string_view text) {
  return reinterpret_cast<const std::uint8_t*>(text.data());
}

inline std::uint8_t* BytesOf(ByteString& text) {
  return reinterpret_cast<std::uint8_t*>(text.data());
}

inline ByteString MakeByteString(const void* data, std::size_t size) {
  return ByteString(static_cast<const char*>(data), size);
}

}  // namespace velunor
