#include "platform/window_system.h"

#include "platform/x11_window_system.h"

namespace velunor::platform {

std::unique_ptr<TWindowSystem> CreateWindowSystem() {
  if (auto x11 = TX11WindowSystem::Open()) return x11;
  return std::make_unique<TNoWindowSystem>();
}

}  // namespace velunor::platform
