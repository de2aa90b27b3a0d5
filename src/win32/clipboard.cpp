#include "win32/clipboard.h"

#include <cstring>

namespace velunor::win32 {

namespace {

// Global memory holding `size` bytes from `data`, for SetClipboardData.
HGLOBAL GlobalCopy(const void* data, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (memory == nullptr) return nullptr;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, data, size);
  GlobalUnlock(memory);
  return memory;
}

// Hands `size` bytes from `data` to the clipboard in `format`; the
// clipboard owns the memory once it has taken it.
bool SetClipboardBytes(UINT format, const void* data, std::size_t size) {
  HGLOBAL memory = GlobalCopy(data, size);
  if (memory == nullptr) return false;
  if (SetClipboardData(format, memory) == nullptr) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

// The formats that Windows' clipboard history and cloud clipboard honour
// (Windows 10, 1809 and later): a content carrying the first is left alone
// by clipboard monitors, history and cloud alike; the other two, as the
// DWORD 0, keep it out of the history (Win+V) and off the cloud clipboard
// that syncs it to the user's other devices.
bool MarkSensitive() {
  const DWORD no = 0;
  return SetClipboardBytes(
             RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"), &no,
             sizeof no) &&
         SetClipboardBytes(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"), &no,
                           sizeof no) &&
         SetClipboardBytes(RegisterClipboardFormatW(L"CanUploadToCloudClipboard"), &no, sizeof no);
}

// Another program may hold the clipboard open for a moment.
bool OpenClipboardSoon(HWND owner) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(25);
  }
  return false;
}

}  // namespace

bool PutTextOnClipboard(HWND owner, const std::wstring& text, TClipboardMark mark) {
  if (!OpenClipboardSoon(owner)) return false;
  bool done = EmptyClipboard() != 0;
  // The text with its terminating zero.
  done =
      done && SetClipboardBytes(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  if (done && mark == TClipboardMark::kSensitive) done = MarkSensitive();
  CloseClipboard();
  return done;
}

}  // namespace velunor::win32
