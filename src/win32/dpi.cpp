#include "win32/dpi.h"

namespace velunor::win32 {

namespace {

// A function of user32 that older Windows lack, or null.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

void BecomeDpiAware() {
  using TSetContext = BOOL(WINAPI*)(HANDLE);
  if (const auto setContext = User32Function<TSetContext>("SetProcessDpiAwarenessContext")) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) return;
  }
  SetProcessDPIAware();
}

UINT WindowDpi(HWND window) {
  using TGetDpi = UINT(WINAPI*)(HWND);
  if (const auto getDpi = User32Function<TGetDpi>("GetDpiForWindow")) {
    if (const UINT dpi = getDpi(window)) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kLayoutDpi;
}

SIZE OuterSizeFor(SIZE client, DWORD style, DWORD extendedStyle, UINT dpi) {
  RECT frame{0, 0, client.cx, client.cy};
  using TAdjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  if (const auto adjust = User32Function<TAdjust>("AdjustWindowRectExForDpi")) {
    adjust(&frame, style, FALSE, extendedStyle, dpi);
  } else {
    AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace velunor::win32
