#pragma once

#include <memory>

#include "platform/window_system.h"

namespace velunor {

// The window system of the program's native Wayland windows. Wayland shows
// no program the windows of another: the mail client's window (an X11 one,
// under XWayland) is found and sent its command through the X11 window
// system beside it, when an X display is there too. What concerns the
// program's own windows goes through the toolkit: the keys it was told of,
// the compositor's move, and no class name, which Wayland does not have.
// Whether a compositor keeps the clipboard after its owner ends, no program
// can tell.
class TWaylandWindowSystem final : public platform::TWindowSystem {
 public:
  explicit TWaylandWindowSystem(std::unique_ptr<platform::TWindowSystem> besides)
      : besides_(std::move(besides)) {}

  platform::TWindowHandle FindTopLevelWindow(std::string_view className,
                                             std::optional<std::string_view> windowText) override {
    return besides_->FindTopLevelWindow(className, windowText);
  }
  void RestoreOrRaise(platform::TWindowHandle window) override { besides_->RestoreOrRaise(window); }
  bool PostSystemCommand(platform::TWindowHandle window, std::uint64_t wParam,
                         std::int64_t lParam) override {
    return besides_->PostSystemCommand(window, wParam, lParam);
  }
  bool IsKeyDown(platform::TKey key) override;
  void SetWindowClassName(platform::TWindowHandle, std::string_view) override {}
  bool WindowManagerMovesWindows() override { return false; }
  bool StartWindowMove(platform::TWindowHandle, int, int) override { return false; }
  bool ClipboardOutlivesProgram() override { return false; }

 private:
  std::unique_ptr<platform::TWindowSystem> besides_;
};

}  // namespace velunor
