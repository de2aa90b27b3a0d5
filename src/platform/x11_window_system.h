#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/window_system.h"

struct _XDisplay;
union _XEvent;

namespace velunor::platform {

// The window system of an X11 display, over a connection of its own.
//
// Top-level windows are found by the class part of their WM_CLASS and their
// title (_NET_WM_NAME, else WM_NAME), among the window manager's client list
// (_NET_CLIENT_LIST) while the window manager that keeps it runs, else in
// the window tree. A window manager runs while the window named by the root
// window's _NET_SUPPORTING_WM_CHECK exists and names itself the same way
// (EWMH); one that has died leaves its properties on the root window, and
// its client list then lacks every window made since. A system
// command is a ClientMessage of type "WM_SYSCOMMAND", format 32, with the
// data {wParam, lParam, 0, 0, 0}, sent to the window and so delivered to the
// program that made it.
class TX11WindowSystem final : public TWindowSystem {
 public:
  // Connects to the display named by `displayName` (by $DISPLAY when null);
  // none when it cannot be reached.
  static std::unique_ptr<TX11WindowSystem> Open(const char* displayName = nullptr);
  ~TX11WindowSystem() override;

  TWindowHandle FindTopLevelWindow(std::string_view className,
                                   std::optional<std::string_view> windowText = {}) override;
  void RestoreOrRaise(TWindowHandle window) override;
  bool PostSystemCommand(TWindowHandle window, std::uint64_t wParam, std::int64_t lParam) override;
  bool IsKeyDown(TKey key) override;
  void SetWindowClassName(TWindowHandle window, std::string_view className) override;
  bool WindowManagerMovesWindows() override { return WindowManagerRuns("_NET_WM_MOVERESIZE"); }
  bool StartWindowMove(TWindowHandle window, int screenX, int screenY) override;
  bool ClipboardOutlivesProgram() override;
  bool ClipboardManagerTakesOver() override { return ClipboardOutlivesProgram(); }
  bool StartClipboardHandOver(const std::string& utf8Text) override;
  THandOver ClipboardHandOverState() override;
  bool ClipboardHasOwner() override;
  std::optional<TScreenRect> OuterRect(TWindowHandle window) override;
  std::optional<TFrameExtents> FrameToBe(TWindowHandle window) override;

 private:
  explicit TX11WindowSystem(_XDisplay* display) : display_(display) {}

  // Whether a window manager runs that supports the EWMH feature `atomName`
  // (by its _NET_SUPPORTED list); any running one for none.
  bool WindowManagerRuns(const char* atomName = nullptr);

  // Whether a key that the modifier map binds to the modifier (an Xlib
  // modifier index such as ControlMapIndex) is down.
  bool IsModifierDown(int modifierIndex);

  // A window of the program's own on this connection, never shown, that
  // asks for selections.
  unsigned long Requestor();
  // The clipboard's UTF-8 text as its owner serves it; none when it sends
  // none within a few seconds.
  std::optional<std::string> ClipboardText();
  // Waits up to a few seconds for the answer to a selection request.
  bool WaitForSelectionNotify(_XEvent& event);
  // Waits up to `patience` for an event of `type` (an Xlib event type) on
  // `window` that `wanted` accepts; false when none came.
  bool WaitForEvent(unsigned long window, int type, std::chrono::milliseconds patience,
                    const std::function<bool(const _XEvent&)>& wanted, _XEvent& event);
  THandOver FinishHandOver(THandOver state);

  // A hand-over under way: the text handed over, the clipboard's owner
  // before it (the program) and when it was asked for.
  struct THandOverRequest {
    std::string text;
    unsigned long previousOwner;
    std::chrono::steady_clock::time_point asked;
  };

  _XDisplay* display_;
  unsigned long requestor_ = 0;
  std::optional<THandOverRequest> handOver_;
};

}  // namespace velunor::platform
