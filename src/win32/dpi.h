#pragma once

#include "win32/windows_api.h"

namespace velunor::win32 {

// The windows are laid out in the pixels of a 96 dpi screen and scaled as a
// whole to the dots per inch of the monitor they are on: exact at 100 %,
// sharp (not stretched by the system) at 150 % and 200 %.
inline constexpr UINT kLayoutDpi = 96;

// Makes the process aware of each monitor's dots per inch (Windows 10 1703
// and later; the system's dots per inch on older ones), so that Windows
// does not stretch its windows as bitmaps.
void BecomeDpiAware();

// The dots per inch of the monitor the window is on.
UINT WindowDpi(HWND window);

// The outer size of a window whose client area is `client` pixels, for its
// styles at `dpi`.
SIZE OuterSizeFor(SIZE client, DWORD style, DWORD extendedStyle, UINT dpi);

// A layout pixel at the given dots per inch.
struct TScale {
  UINT dpi = kLayoutDpi;
  int operator()(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi), kLayoutDpi); }
};

}  // namespace velunor::win32
