#include "win32/form_velunor_front_end.h"

#include "encrypter/program.h"
#include "runtime/exceptions.h"
#include "runtime/support.h"
#include "runtime/text_lines.h"
#include "win32/clipboard.h"
#include "win32/message_boxes.h"
#include "win32/ui_texts.h"
#include "win32/wide_text.h"

namespace velunor::win32 {

namespace {

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The characters of a UTF-16 text; a lone surrogate stays a character of its own.
std::u32string CharactersOf(std::wstring_view text) {
  std::u32string characters;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto unit = static_cast<char32_t>(text[i]);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      characters += 0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    } else {
      characters += unit;
    }
  }
  return characters;
}

// The box's content with each paragraph break as CR LF, as the clipboard
// and the other programs of Windows take text.
std::wstring WithCrLfBreaks(const std::wstring& content) {
  std::wstring text;
  ForEachLine(std::wstring_view(content), [&](std::wstring_view line, bool broken) {
    text += line;
    if (broken) text += L"\r\n";
  });
  return text;
}

}  // namespace

std::size_t TFormVelunor::TFrontEnd::KeywordLength() {
  std::wstring keyword = WindowText(form_.EditPassword);
  const std::size_t length = CharactersOf(keyword).size();
  SecureFill(keyword.data(), 0, keyword.size() * sizeof(wchar_t));
  return length;
}

std::u32string TFormVelunor::TFrontEnd::KeywordCharacters() {
  // The copy of the keyword is zeroed once it is read.
  std::wstring keyword = WindowText(form_.EditPassword);
  std::u32string characters = CharactersOf(keyword);
  SecureFill(keyword.data(), 0, keyword.size() * sizeof(wchar_t));
  return characters;
}

void TFormVelunor::TFrontEnd::SetInputUtf8Text(std::string_view utf8) {
  form_.RichEditIn->SetContent(Utf16FromUtf8(utf8));
}

void TFormVelunor::TFrontEnd::PasteIntoInput() {
  form_.RichEditIn->SelectWholeText();
  form_.RichEditIn->PasteClipboardText();
}

void TFormVelunor::TFrontEnd::SetOutputUtf8Text(std::string_view utf8) {
  form_.RichEditOut->SetContent(Utf16FromUtf8(utf8));
}

void TFormVelunor::TFrontEnd::CopyOutputToClipboard(bool sensitive) {
  form_.RichEditOut->SelectWholeText();
  const std::wstring text = WithCrLfBreaks(form_.RichEditOut->Content());
  if (!PutTextOnClipboard(form_.window_, text,
                          sensitive ? TClipboardMark::kSensitive : TClipboardMark::kNone)) {
    // The program would end with the result nowhere: it stays, and says so.
    throw Exception(Utf8FromUtf16(UiText("Die Zwischenablage kann nicht gefüllt werden")));
  }
}

void TFormVelunor::TFrontEnd::ShowControls(const encrypter::TEncrypterControls& controls) {
  EnableWindow(form_.ButtonEncrypt, controls.encryptEnabled);
  EnableWindow(form_.ButtonDecrypt, controls.decryptEnabled);
  // A button once hidden is never shown again.
  if (controls.encryptHidden) ShowWindow(form_.ButtonEncrypt, SW_HIDE);
  if (controls.decryptHidden) ShowWindow(form_.ButtonDecrypt, SW_HIDE);
  form_.RichEditIn->SetReadOnly(controls.boxesReadOnly);
  form_.RichEditOut->SetReadOnly(controls.boxesReadOnly);
  EnableWindow(form_.ButtonOK, controls.okEnabled);
  if (controls.outputFillsPanel && !form_.outputFillsPanel_) form_.FillPanelWithOutput();
}

void TFormVelunor::TFrontEnd::MoveFocus(encrypter::TFocus focus) {
  switch (focus) {
    case encrypter::TFocus::kOk:
      SetFocus(form_.ButtonOK);
      return;
    case encrypter::TFocus::kKeywordSelected:
      SetFocus(form_.EditPassword);
      SendMessageW(form_.EditPassword, EM_SETSEL, 0, -1);
      return;
    case encrypter::TFocus::kKeyword:
      // Typing hides the mouse pointer; it comes back around the focus
      // change, as the original's handlers made sure.
      ShowCursor(TRUE);
      SetFocus(form_.EditPassword);
      ShowCursor(TRUE);
      return;
  }
}

bool TFormVelunor::TFrontEnd::FindMailClient() {
  mailClient_ = windowSystem_.FindTopLevelWindow(encrypter::kMailClientClassName,
                                                 encrypter::kMailClientWindowText);
  return mailClient_ != 0;
}

bool TFormVelunor::TFrontEnd::NotifyMailClient() {
  return windowSystem_.PostSystemCommand(mailClient_, platform::kHandOffCommand, 0);
}

void TFormVelunor::TFrontEnd::ProcessPendingMessage() {
  win32::ProcessPendingMessage();
}

void TFormVelunor::TFrontEnd::ShowWrongKeywordWarning() {
  win32::ShowWrongKeywordWarning(form_.window_);
}

void ProcessPendingMessage() {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
  if (message.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(message.wParam));
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace velunor::win32
