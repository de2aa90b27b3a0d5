#include "platform/win32_window_system.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace velunor::platform {

namespace {

// The window property that marks a window made by SetWindowClassName.
constexpr const char* kClassNameCarrier = "VelunorClassNameCarrier";

HWND AsWindow(TWindowHandle handle) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle));
}

TWindowHandle AsHandle(HWND window) {
  return static_cast<TWindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}

// The window a user sees for `window`: the owner of a class-name carrier,
// else the window itself.
HWND VisibleWindowFor(HWND window) {
  if (GetPropA(window, kClassNameCarrier) != nullptr) {
    if (HWND owner = GetWindow(window, GW_OWNER)) return owner;
  }
  return window;
}

void RegisterCarrierClass(const std::string& className, HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className.c_str();
  // A second carrier of the same class finds it registered already.
  RegisterClassA(&windowClass);
}

}  // namespace

TWindowHandle TWin32WindowSystem::FindTopLevelWindow(std::string_view className,
                                                     std::optional<std::string_view> windowText) {
  const std::string name(className);
  if (!windowText) return AsHandle(FindWindowA(name.c_str(), nullptr));
  const std::string text(*windowText);
  return AsHandle(FindWindowA(name.c_str(), text.c_str()));
}

void TWin32WindowSystem::RestoreOrRaise(TWindowHandle handle) {
  HWND window = VisibleWindowFor(AsWindow(handle));
  if (IsIconic(window)) {
    ShowWindow(window, SW_RESTORE);
  } else {
    BringWindowToTop(window);
  }
}

bool TWin32WindowSystem::PostSystemCommand(TWindowHandle window, std::uint64_t wParam,
                                           std::int64_t lParam) {
  return PostMessageA(AsWindow(window), WM_SYSCOMMAND, static_cast<WPARAM>(wParam),
                      static_cast<LPARAM>(lParam)) != 0;
}

bool TWin32WindowSystem::IsKeyDown(TKey key) {
  int virtualKey = 0;
  switch (key) {
    case TKey::kControl:
      virtualKey = VK_CONTROL;
      break;
  }
  // Bit 15: the key is down now (the low bit only tells of a press since
  // the last call, which is not asked here).
  return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

void TWin32WindowSystem::SetWindowClassName(TWindowHandle owner, std::string_view className) {
  const std::string name(className);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterCarrierClass(name, instance);
  // Never shown: a hidden top-level window that FindWindowA still finds.
  HWND carrier = CreateWindowExA(WS_EX_TOOLWINDOW, name.c_str(), "", WS_POPUP, 0, 0, 0, 0,
                                 AsWindow(owner), nullptr, instance, nullptr);
  if (carrier != nullptr) SetPropA(carrier, kClassNameCarrier, reinterpret_cast<HANDLE>(1));
}

}  // namespace velunor::platform
