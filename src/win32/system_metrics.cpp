#include "win32/system_metrics.h"

namespace velunor::win32 {

namespace {

// A function of a system DLL that older versions of Windows lack: looked up
// once, null where it is missing.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (module == nullptr) module = LoadLibraryW(library);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using DwmSetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

using GetWindowDpiAwarenessContextFunction = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
using GetAwarenessFromDpiAwarenessContextFunction = int(WINAPI*)(DPI_AWARENESS_CONTEXT);

constexpr int kPerMonitorAware = 2;               // DPI_AWARENESS_PER_MONITOR_AWARE
constexpr DWORD kNonClientRenderingPolicy = 2;    // DWMWA_NCRENDERING_POLICY
constexpr DWORD kNonClientRenderingDisabled = 1;  // DWMNCRP_DISABLED

// The window's resolution when it follows each monitor's, else 0.
UINT PerMonitorDpi(HWND window) {
  static const auto getAwareness = SystemFunction<GetWindowDpiAwarenessContextFunction>(
      L"user32.dll", "GetWindowDpiAwarenessContext");
  static const auto awarenessOf = SystemFunction<GetAwarenessFromDpiAwarenessContextFunction>(
      L"user32.dll", "GetAwarenessFromDpiAwarenessContext");
  static const auto getDpiForWindow =
      SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  if (getAwareness == nullptr || awarenessOf == nullptr || getDpiForWindow == nullptr) return 0;
  if (awarenessOf(getAwareness(window)) != kPerMonitorAware) return 0;
  return getDpiForWindow(window);
}

}  // namespace

int SystemMetric(HWND window, int index) {
  static const auto forDpi =
      SystemFunction<GetSystemMetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi");
  const UINT dpi = PerMonitorDpi(window);
  return forDpi != nullptr && dpi != 0 ? forDpi(index, dpi) : GetSystemMetrics(index);
}

bool NonClientMetrics(HWND window, NONCLIENTMETRICSW& metrics) {
  static const auto forDpi = SystemFunction<SystemParametersInfoForDpiFunction>(
      L"user32.dll", "SystemParametersInfoForDpi");
  metrics.cbSize = sizeof metrics;
  const UINT dpi = PerMonitorDpi(window);
  if (forDpi != nullptr && dpi != 0 &&
      forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    return true;
  }
  return SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != 0;
}

void KeepFramePaintingToTheWindow(HWND window) {
  static const auto setAttribute =
      SystemFunction<DwmSetWindowAttributeFunction>(L"dwmapi.dll", "DwmSetWindowAttribute");
  if (setAttribute == nullptr) return;
  const DWORD policy = kNonClientRenderingDisabled;
  setAttribute(window, kNonClientRenderingPolicy, &policy, sizeof policy);
}

}  // namespace velunor::win32
