#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/wiped_bytes.h"

namespace velunor::encrypter {

// The keyword rule: a keyword is 3 to 70 code page 1252 bytes; characters
// the code page lacks are refused, never replaced.
inline constexpr std::size_t kMinKeywordBytes = 3;
inline constexpr std::size_t kMaxKeywordBytes = 70;

constexpr bool KeywordLengthAllowed(std::size_t bytes) {
  return bytes >= kMinKeywordBytes && bytes <= kMaxKeywordBytes;
}

// Whether the coding buttons are enabled: a keyword of an allowed length
// (each character is one byte in code page 1252) and a text to code.
constexpr bool CodingAllowed(std::size_t keywordCharacters, bool haveText) {
  return KeywordLengthAllowed(keywordCharacters) && haveText;
}

// A keyword in code page 1252.
struct TKeywordBytes {
  TWipedBytes bytes;               // the characters the code page has
  std::u32string unrepresentable;  // the others, each once, in order
};

TKeywordBytes KeywordFromCharacters(std::u32string_view characters);
// None when the text is not valid UTF-8.
std::optional<TKeywordBytes> KeywordFromUtf8(std::string_view utf8);

}  // namespace velunor::encrypter
