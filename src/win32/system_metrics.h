#pragma once

#include "win32/windows_api.h"

namespace velunor::win32 {

// The system's sizes at a window's resolution: the monitor's for a window
// that is aware of each monitor's resolution (Windows 10 1607 and later),
// else the system's one resolution, at which Windows shows the window.

// GetSystemMetrics at the window's resolution.
int SystemMetric(HWND window, int index);
// The caption fonts and sizes of the frame at the window's resolution;
// false when the system names none.
bool NonClientMetrics(HWND window, NONCLIENTMETRICSW& metrics);

// Keeps the desktop composition from drawing the frame itself, so that the
// window's own painting of its non-client area is what is seen.
void KeepFramePaintingToTheWindow(HWND window);

}  // namespace velunor::win32
