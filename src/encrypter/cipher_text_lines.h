#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velunor::encrypter {

// Mail allows lines of at most 998 characters (RFC 5322) and reads best at
// 76 or fewer; a cipher text is one line of base 64 of any length. Breaking
// it into lines changes nothing of what it decrypts to: the base 64 reader
// skips line breaks.
inline constexpr std::size_t kMailWrapColumns = 76;
inline constexpr std::size_t kMaxMailLineLength = 998;

// `text` in lines of `columns` characters (the last one shorter), separated
// by `lineBreak`, with no break after the last. Columns of 0 leave it whole.
std::string WrapAtColumns(std::string_view text, std::size_t columns, std::string_view lineBreak);

// A digit of base 64 or its pad "=".
constexpr bool IsBase64Character(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '/' || c == '=';
}

// Whether the base 64 characters of a text (its digits and "=") make whole
// groups of four. A cipher text written by the tool always does; one that
// does not has lost characters, such as a line taken out of a wrapped one.
bool IsWholeBase64(std::string_view text);

}  // namespace velunor::encrypter
