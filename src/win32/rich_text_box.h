#pragma once

#include "win32/windows_api.h"

#include <functional>
#include <string>
#include <string_view>

#include "runtime/byte_string.h"

namespace velunor::win32 {

// A multi-line plain-text box on the platform's rich edit control (version
// 4.1 from Msftedit.dll, else 2.0 or 3.0 from Riched20.dll) that exchanges
// its content as code page 1252 bytes, as the Qt window's box does: one
// paragraph per line, never wrapped (both scroll bars), CR LF between the
// paragraphs of its whole text, the tooltip background, no link marking, no
// selection bar, automatic fonts for scripts the font lacks. The program may
// change the content even when the user may not (read-only).
class TRichTextBox {
 public:
  // Keys and mouse buttons pressed and released in the box, reported after
  // the box has handled them.
  using TInputEvent = std::function<void()>;

  // Creates the box as a child of `parent` with the control id `id`; the
  // window is null when no rich edit library could be loaded.
  TRichTextBox(HWND parent, int id, TInputEvent onInput);
  TRichTextBox(const TRichTextBox&) = delete;
  TRichTextBox& operator=(const TRichTextBox&) = delete;

  HWND Handle() const { return window_; }

  // The whole content, paragraphs separated by CR LF; characters that code
  // page 1252 lacks read as "?" (see CharactersOutsideCodePage).
  ByteString Text() const;
  // Replaces the whole content with `bytes` up to their first zero byte;
  // nothing happens when the box already holds that text.
  void SetText(std::string_view bytes);
  // The same with UTF-16 content; every character is kept.
  void SetContent(const std::wstring& content);
  // The content as the box holds it, paragraphs ended by CR.
  std::wstring Content() const;
  std::u32string CharactersOutsideCodePage() const;

  void SelectWholeText();
  // Replaces the selection with the clipboard's plain text and shows its
  // start; a read-only box ignores it, a clipboard without text changes nothing.
  void PasteClipboardText();
  void SetReadOnly(bool readOnly);

 private:
  static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);

  HWND window_ = nullptr;
  TInputEvent onInput_;
};

}  // namespace velunor::win32
