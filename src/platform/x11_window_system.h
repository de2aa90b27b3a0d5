#pragma once

#include <memory>

#include "platform/window_system.h"

struct _XDisplay;

namespace velunor::platform {

// The window system of an X11 display, over a connection of its own.
class TX11WindowSystem final : public TWindowSystem {
 public:
  // Connects to the display named by `displayName` (by $DISPLAY when null);
  // none when it cannot be reached.
  static std::unique_ptr<TX11WindowSystem> Open(const char* displayName = nullptr);
  ~TX11WindowSystem() override;

  TWindowHandle FindTopLevelWindow(std::string_view className,
                                   std::optional<std::string_view> windowText = {}) override;
  void RestoreOrRaise(TWindowHandle window) override;
  void SetWindowClassName(TWindowHandle window, std::string_view className) override;
  bool ClipboardOutlivesProgram() override;

 private:
  explicit TX11WindowSystem(_XDisplay* display) : display_(display) {}

  _XDisplay* display_;
};

}  // namespace velunor::platform
