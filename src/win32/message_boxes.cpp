#include "win32/message_boxes.h"

#include <string_view>

#include "encrypter/code_page_fault.h"
#include "encrypter/hand_off_file.h"
#include "encrypter/program.h"
#include "encrypter/spicker_file.h"
#include "win32/ui_texts.h"
#include "win32/wide_text.h"

namespace velunor::win32 {

namespace {

// Texts of the file layer that name a file in place of %1.
constexpr const char* kFileTexts[] = {
    "Datei %1 kann nicht geöffnet werden",
    "Datei %1 kann nicht erstellt werden",
};

// A message of the coding library or the file layer in the windows'
// language: its own text where it has none.
std::wstring WindowMessage(const std::string& message) {
  const std::wstring text = Utf16FromUtf8(message);
  for (const char* fileText : kFileTexts) {
    const std::string_view pattern(fileText);
    const std::size_t mark = pattern.find("%1");
    const std::string_view before = pattern.substr(0, mark);
    const std::string_view after = pattern.substr(mark + 2);
    if (message.size() > before.size() + after.size() && message.starts_with(before) &&
        message.ends_with(after)) {
      const std::string file =
          message.substr(before.size(), message.size() - before.size() - after.size());
      return FillIn(UiText(pattern), {Utf16FromUtf8(file)});
    }
  }
  return UiText(message);
}

std::string Utf8UiText(std::string_view german) {
  return Utf8FromUtf16(UiText(german));
}

std::wstring CodePageFaultText(const encrypter::ECodePageFault& fault) {
  const std::string one = Utf8UiText("„%1“ (U+%2)");
  const std::string more = Utf8UiText(" und %1 weitere");
  const std::wstring characters =
      Utf16FromUtf8(encrypter::DescribeCharacters(fault.Characters(), {one, more}));
  if (fault.Field() == encrypter::TCodePageField::kCheatSheet) {
    return FillIn(UiText("Der Spickzettel enthält Zeichen, die der Zeichensatz "
                         "Windows-1252 nicht darstellen kann: %1. Bitte ersetzen oder "
                         "entfernen Sie diese Zeichen."),
                  {characters});
  }
  const std::wstring what = fault.Field() == encrypter::TCodePageField::kKeyword
                                ? UiText("Das Schlüsselwort")
                                : UiText("Der Text");
  return FillIn(UiText("%1 enthält Zeichen, die der Zeichensatz Windows-1252 nicht darstellen "
                       "kann: %2. Bitte ersetzen oder entfernen Sie diese Zeichen."),
                {what, characters});
}

}  // namespace

std::wstring FailureText(const std::exception& failure) {
  if (const auto* fault = dynamic_cast<const encrypter::ECodePageFault*>(&failure)) {
    return CodePageFaultText(*fault);
  }
  if (const auto* tooLong = dynamic_cast<const encrypter::EKeptTextTooLong*>(&failure)) {
    return FillIn(UiText("Der Text, der beim letzten Programmende in der Datei %1 erhalten blieb, "
                         "ist länger, als ein Spickzettel fassen kann (1 MiB). Bitte übernehmen "
                         "Sie ihn mit einem Texteditor und löschen Sie danach die Datei."),
                  {Utf16FromUtf8(tooLong->Path())});
  }
  if (const auto* notSaved = dynamic_cast<const encrypter::EHandOffNotSaved*>(&failure)) {
    return FillIn(UiText("%1 (%2).\nDie E-Mail ist unverändert; das Ergebnis steht in der "
                         "Zwischenablage"),
                  {WindowMessage(notSaved->Failure()), WindowMessage(notSaved->Reason())});
  }
  return WindowMessage(failure.what());
}

void ShowErrorBox(HWND owner, const std::wstring& message) {
  const std::wstring text = Utf16FromUtf8(encrypter::ErrorBoxText(Utf8FromUtf16(message)));
  const std::wstring caption = Utf16FromUtf8(encrypter::kApplicationTitle);
  MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

void RunHandler(HWND owner, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& failure) {
    ShowErrorBox(owner, FailureText(failure));
  }
}

void ShowAlreadyRunningNotice(const std::wstring& programFileName) {
  const std::wstring text = FillIn(UiText("Das Programm %1 läuft bereits."), {programFileName});
  MessageBoxW(nullptr, text.c_str(), UiText("Information").c_str(),
              MB_OK | MB_ICONINFORMATION | MB_TOPMOST | MB_SETFOREGROUND);
}

void ShowWrongKeywordWarning(HWND owner) {
  const std::wstring text = UiText(
      "Mit einem falschen Schlüsselwort wird die E-Mail unbrauchbar.\n"
      "Geben Sie bitte ggfs. ein anderes Schlüsselwort ein!");
  // MB_ICONWARNING with the second button the default (style 304), as
  // the original box had, though it has one button only.
  MessageBoxW(owner, text.c_str(), UiText("Vermutlich falsches Schlüsselwort!").c_str(),
              MB_OK | MB_ICONWARNING | MB_DEFBUTTON2);
}

}  // namespace velunor::win32
