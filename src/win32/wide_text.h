#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace velunor::win32 {

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::wstring_view text);

// `text` with %1, %2, … replaced by the arguments in order, as the windows'
// texts take their variable parts.
std::wstring FillIn(std::wstring text, std::initializer_list<std::wstring_view> arguments);

}  // namespace velunor::win32
