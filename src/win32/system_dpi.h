#pragma once

#include <windows.h>

namespace velunor::win32 {

// The system's sizes at a window's resolution. Where Windows is older than
// the per-monitor functions (before Windows 10 1607), the sizes of the
// system's one resolution.

// The window's dots per inch (96 at 100 %).
UINT WindowDpi(HWND window);
// GetSystemMetrics at `dpi`.
int SystemMetric(int index, UINT dpi);
// The caption fonts and sizes of the frame at `dpi`; false when the system
// names none.
bool NonClientMetrics(NONCLIENTMETRICSW& metrics, UINT dpi);

// Keeps the desktop composition from drawing the frame itself, so that the
// window's own painting of its non-client area is what is seen.
void KeepFramePaintingToTheWindow(HWND window);

}  // namespace velunor::win32
