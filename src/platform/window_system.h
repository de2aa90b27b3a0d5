#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velunor::platform {

// A native top-level window: an X11 window id, a Win32 window handle. 0 is none.
using TWindowHandle = std::uint64_t;

// The keys whose state the program asks for.
enum class TKey {
  kControl,  // either Ctrl key
};

// The window message that carries a system command, and the command by which
// the program tells the mail client that the hand-off file holds the result.
inline constexpr unsigned kWmSysCommand = 274;
inline constexpr std::uint64_t kHandOffCommand = 888;

// A hand-over of the clipboard to a clipboard manager: still waiting for
// the manager's answer; taken, the manager owning the clipboard and
// serving the same text; or refused, by the manager's answer, by what it
// serves, or by its silence for a few seconds.
enum class THandOver { kPending, kTaken, kRefused };

// The frame a window manager draws around a top-level window: its width on
// each side, in the screen's pixels.
struct TFrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

// A rectangle of the screen, in its pixels.
struct TScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// What the program asks of the desktop's window system beyond what the
// widget toolkit offers: finding the windows of other programs by their
// class, raising them, posting them a system command, naming the class of
// its own main window, testing a key at this moment, and knowing what
// becomes of the clipboard when the program ends.
class TWindowSystem {
 public:
  TWindowSystem() = default;
  TWindowSystem(const TWindowSystem&) = delete;
  TWindowSystem& operator=(const TWindowSystem&) = delete;
  virtual ~TWindowSystem() = default;

  // A top-level window whose class name is `className` and, when given, whose
  // window text is `windowText`; 0 when there is none.
  virtual TWindowHandle FindTopLevelWindow(std::string_view className,
                                           std::optional<std::string_view> windowText = {}) = 0;

  // Brings another program's window to the user: restores it when it is
  // minimised, otherwise raises it above the other windows.
  virtual void RestoreOrRaise(TWindowHandle window) = 0;

  // Puts a system command (WM_SYSCOMMAND with `wParam` and `lParam`) into
  // the queue of another program's window and returns at once, without
  // waiting for an answer. False when the window could not be reached.
  virtual bool PostSystemCommand(TWindowHandle window, std::uint64_t wParam,
                                 std::int64_t lParam) = 0;

  // Whether the key is down at this moment: its state now, not a key press
  // still waiting in the program's queue.
  virtual bool IsKeyDown(TKey key) = 0;

  // Gives one of the program's own windows the class name under which other
  // programs find it.
  virtual void SetWindowClassName(TWindowHandle window, std::string_view className) = 0;

  // Whether a window manager runs that moves windows with the pointer on
  // request (StartWindowMove).
  virtual bool WindowManagerMovesWindows() = 0;

  // Asks the window manager to move one of the program's own windows with
  // the pointer, as when its title bar is dragged: the left button is held
  // down at `screenX`, `screenY` (the screen's pixels). The caller has
  // released its own hold of the pointer first. False when the request
  // could not be made.
  virtual bool StartWindowMove(TWindowHandle window, int screenX, int screenY) = 0;

  // Whether text put on the clipboard stays there after the program ends. On
  // X11 the owner serves the clipboard, so it stays only when a clipboard
  // manager runs and takes it over.
  virtual bool ClipboardOutlivesProgram() = 0;

  // Whether a clipboard manager takes the clipboard over when asked (and
  // may save it on disk): true on X11 while one runs.
  virtual bool ClipboardManagerTakesOver() { return false; }

  // Asks the clipboard manager to take over the clipboard, which the
  // program owns and still serves, whose text is `utf8Text`. False when the
  // request could not be made.
  virtual bool StartClipboardHandOver(const std::string& utf8Text) {
    static_cast<void>(utf8Text);
    return false;
  }

  // How the hand-over asked for last stands (see THandOver).
  virtual THandOver ClipboardHandOverState() { return THandOver::kRefused; }

  // Whether any program owns the clipboard: another one may have cleared
  // it, which the toolkit does not tell on every display.
  virtual bool ClipboardHasOwner() { return true; }
  // Where one of the program's own windows lies on the screen, with the
  // frame the window manager draws around it; none where nobody tells.
  virtual std::optional<TScreenRect> OuterRect(TWindowHandle window) {
    static_cast<void>(window);
    return std::nullopt;
  }
  // The frame that the window manager will draw around one of the
  // program's own windows that is not shown yet, so that the program can
  // place the window, frame and all; none where nobody tells.
  virtual std::optional<TFrameExtents> FrameToBe(TWindowHandle window) {
    static_cast<void>(window);
    return std::nullopt;
  }
};

// A window system without other windows: finds nothing, raises and posts
// nothing, no key is down, and its clipboard outlives the program. Used where there is no display
// (and by tests that run without one).
class TNoWindowSystem : public TWindowSystem {
 public:
  TWindowHandle FindTopLevelWindow(std::string_view, std::optional<std::string_view>) override {
    return 0;
  }
  void RestoreOrRaise(TWindowHandle) override {}
  bool PostSystemCommand(TWindowHandle, std::uint64_t, std::int64_t) override { return false; }
  bool IsKeyDown(TKey) override { return false; }
  void SetWindowClassName(TWindowHandle, std::string_view) override {}
  bool WindowManagerMovesWindows() override { return false; }
  bool StartWindowMove(TWindowHandle, int, int) override { return false; }
  bool ClipboardOutlivesProgram() override { return true; }
};

// The window system of this desktop: on Windows its own; elsewhere X11 when
// a display can be opened, otherwise one without other windows.
std::unique_ptr<TWindowSystem> CreateWindowSystem();

// Whether the X11 display named by DISPLAY accepts the program (XWayland too).
bool X11DisplayReachable();

// Whether the Wayland display named by WAYLAND_DISPLAY (a socket in
// XDG_RUNTIME_DIR, or a path) accepts a connection. Connecting, not looking
// for the socket file: a compositor that has died leaves its file behind.
bool WaylandDisplayReachable();

// What a desktop offers the window program as it starts.
struct TDesktopOffer {
  bool x11 = false;              // an X11 display accepts it
  bool wayland = false;          // a Wayland display accepts it
  bool waylandPlatform = false;  // the toolkit's Wayland platform is installed
  // The toolkit platform the user asked for (QT_QPA_PLATFORM), empty for none.
  std::string requested;
};

// How the window program starts on a desktop.
enum class TStartPlatform {
  kX11,                // on the X11 display
  kWayland,            // natively on the Wayland display
  kRequested,          // on the platform the user asked for, whatever it is
  kNoDesktop,          // nowhere: no display can be reached
  kNoWaylandPlatform,  // nowhere: only Wayland can be reached, and its platform is missing
};

// X11 whenever an X11 display accepts the program, also beside a Wayland
// display (XWayland): the mail client's window and the running instance are
// found there. Natively on Wayland only without X11, or when the user asks
// for it. A platform asked for by name is checked as far as it is one of
// these two; any other is the user's to answer for.
TStartPlatform ChooseStartPlatform(const TDesktopOffer& offer);

}  // namespace velunor::platform
