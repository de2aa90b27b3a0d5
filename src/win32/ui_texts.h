#pragma once

#include <string>
#include <string_view>

namespace velunor::win32 {

// The text a window shows for one of its German source texts (UTF-8, as
// the Qt window's source texts stand), as UTF-16 for the Win32 API: in the
// language of Windows' user interface where the program has it, else German.
std::wstring UiText(std::string_view german);

// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::wstring Utf16FromUtf8(std::string_view utf8);

}  // namespace velunor::win32
