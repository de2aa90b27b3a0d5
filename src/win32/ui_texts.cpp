#include "win32/ui_texts.h"

#include "files/wide_path.h"
#include "win32/windows_api.h"

#include "win32/ui_text_table.h"

namespace velunor::win32 {

std::wstring Utf16FromUtf8(std::string_view utf8) {
  return WidePath(utf8);
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
