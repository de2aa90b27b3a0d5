#pragma once

#include "platform/window_system.h"

namespace velunor::platform {

// The window system of Windows (user32).
//
// Class names and window texts are in the ANSI code page, as FindWindowA
// takes them; the names the program uses are plain ASCII.
class TWin32WindowSystem final : public TWindowSystem {
 public:
  TWindowHandle FindTopLevelWindow(std::string_view className,
                                   std::optional<std::string_view> windowText = {}) override;
  void RestoreOrRaise(TWindowHandle window) override;
  bool PostSystemCommand(TWindowHandle window, std::uint64_t wParam, std::int64_t lParam) override;
  bool IsKeyDown(TKey key) override;
  // The toolkit registers the window classes of its windows itself, and a
  // window's class cannot change. So the class name goes to a hidden window
  // of that class, owned by `window`: other programs find it, RestoreOrRaise
  // acts on its owner instead, and it goes when its owner goes.
  void SetWindowClassName(TWindowHandle window, std::string_view className) override;
  // The program moves its windows itself: the caption it draws lies in the
  // client area, where Windows does not move windows.
  bool WindowManagerMovesWindows() override { return false; }
  bool StartWindowMove(TWindowHandle, int, int) override { return false; }
  // Windows keeps the clipboard's content when the program ends.
  bool ClipboardOutlivesProgram() override { return true; }
};

}  // namespace velunor::platform
