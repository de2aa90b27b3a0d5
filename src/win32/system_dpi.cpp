#include "win32/system_dpi.h"

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

constexpr UINT kDefaultDpi = 96;
constexpr DWORD kNonClientRenderingPolicy = 2;    // DWMWA_NCRENDERING_POLICY
constexpr DWORD kNonClientRenderingDisabled = 1;  // DWMNCRP_DISABLED

}  // namespace

UINT WindowDpi(HWND window) {
  static const auto getDpiForWindow =
      SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi != 0 ? dpi : kDefaultDpi;
}

int SystemMetric(int index, UINT dpi) {
  static const auto forDpi =
      SystemFunction<GetSystemMetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi");
  return forDpi != nullptr ? forDpi(index, dpi) : GetSystemMetrics(index);
}

bool NonClientMetrics(NONCLIENTMETRICSW& metrics, UINT dpi) {
  static const auto forDpi = SystemFunction<SystemParametersInfoForDpiFunction>(
      L"user32.dll", "SystemParametersInfoForDpi");
  metrics.cbSize = sizeof metrics;
  if (forDpi != nullptr && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
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
