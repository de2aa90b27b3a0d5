#include "win32/wide_text.h"

#include "win32/windows_api.h"

namespace velunor::win32 {

std::string Utf8FromUtf16(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::wstring FillIn(std::wstring text, std::initializer_list<std::wstring_view> arguments) {
  int number = 1;
  for (const std::wstring_view argument : arguments) {
    const std::wstring mark = L"%" + std::to_wstring(number++);
    // Each mark once; an argument that holds a mark itself stays as it is.
    if (const auto at = text.find(mark); at != std::wstring::npos) {
      text.replace(at, mark.size(), argument);
    }
  }
  return text;
}

}  // namespace velunor::win32
