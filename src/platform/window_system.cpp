#include "platform/window_system.h"

#ifdef _WIN32
#include "platform/win32_window_system.h"
#else
#include <cstdlib>

#include "platform/x11_window_system.h"
#endif

namespace velunor::platform {

std::unique_ptr<TWindowSystem> CreateWindowSystem() {
#ifdef _WIN32
  return std::make_unique<TWin32WindowSystem>();
#else
  if (auto x11 = TX11WindowSystem::Open()) return x11;
  return std::make_unique<TNoWindowSystem>();
#endif
}

TDesktop ReachableDesktop() {
#ifdef _WIN32
  return TDesktop::kOther;
#else
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0' && TX11WindowSystem::Open()) return TDesktop::kX11;
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return wayland != nullptr && *wayland != '\0' ? TDesktop::kOther : TDesktop::kNone;
#endif
}

}  // namespace velunor::platform
