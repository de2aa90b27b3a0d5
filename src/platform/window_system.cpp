#include "platform/window_system.h"

#ifdef _WIN32
#include "platform/win32_window_system.h"
#else
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

}  // namespace velunor::platform
