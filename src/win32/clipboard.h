#pragma once

#include "win32/windows_api.h"

#include <string>

namespace velunor::win32 {

// What a copy puts on the clipboard besides the text.
enum class TClipboardMark {
  kNone,
  // A decrypted text: Windows' clipboard history, its cloud clipboard and
  // clipboard monitors are asked to keep no copy of it.
  kSensitive,
};

// Puts `text` (its line breaks CR LF) on the clipboard as CF_UNICODETEXT,
// with `owner` as the clipboard's owner. The clipboard holds the data
// itself, so it stays when the program has ended. False when the clipboard
// could not be opened or filled.
bool PutTextOnClipboard(HWND owner, const std::wstring& text, TClipboardMark mark);

}  // namespace velunor::win32
