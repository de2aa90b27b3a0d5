#include "win32/wide_text.h"

#include "files/wide_path.h"
#include "win32/windows_api.h"

namespace velunor::win32 {

std::string Utf8FromUtf16(std::wstring_view text) {
  return Utf8OfWide(text);
}

std::wstring FillIn(std::wstring text, std::initializer_list<std::wstring_view> arguments) {
  // One pass, so that an argument holding a mark itself stays as it is.
  std::wstring filled;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto number = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - L'1') : 9;
    if (text[i] == L'%' && number < arguments.size() && number < 9) {
      filled += arguments.begin()[number];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

}  // namespace velunor::win32
