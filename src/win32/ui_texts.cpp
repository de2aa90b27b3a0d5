#include "win32/ui_texts.h"

#include "win32/windows_api.h"

#include "win32/ui_text_table.h"

namespace velunor::win32 {

std::wstring Utf16FromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
  return text;
}

namespace {

// Whether Windows shows its own texts in English (any of its variants). The
// language does not change while the program runs.
bool UserInterfaceIsEnglish() {
  static const bool english = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ENGLISH;
  return english;
}

}  // namespace

std::wstring UiText(std::string_view german) {
  if (UserInterfaceIsEnglish()) {
    if (const auto english = EnglishUiText(german)) return Utf16FromUtf8(*english);
  }
  return Utf16FromUtf8(german);
}

}  // namespace velunor::win32
