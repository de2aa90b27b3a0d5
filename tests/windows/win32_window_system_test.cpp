// The Win32 window system as the mail-client hand-off uses it: the mail
// client's window found by class and title, the system command posted to it
// and received on its own thread, raising, and the Ctrl key's state.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <future>
#include <thread>

#include "platform/win32_window_system.h"

namespace velunor::platform {
namespace {

HWND AsWindow(TWindowHandle handle) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle));
}

TWindowHandle AsHandle(HWND window) {
  return static_cast<TWindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}

// A stand-in for the mail client: a window of class "TMainForm" titled
// "Corvane Mail" on a thread of its own, with its own message loop, which
// records the system commands it receives.
class FakeMailClient {
 public:
  struct Command {
    WPARAM wParam;
    LPARAM lParam;
  };

  FakeMailClient() {
    std::promise<HWND> created;
    auto window = created.get_future();
    thread_ = std::thread([this, &created] { Run(created); });
    window_ = window.get();
  }
  ~FakeMailClient() {
    if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND Window() const { return window_; }
  std::future<Command> NextCommand() {
    promise_ = std::promise<Command>();
    return promise_.get_future();
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FakeMailClient*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_SYSCOMMAND && self != nullptr) {
      self->promise_.set_value({wParam, lParam});
      return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
  }

  void Run(std::promise<HWND>& created) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TMainForm";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "TMainForm", "Corvane Mail", WS_OVERLAPPEDWINDOW, 10, 10, 300,
                                  200, nullptr, nullptr, windowClass.hInstance, nullptr);
    created.set_value(window);
    if (window == nullptr) return;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  std::thread thread_;
  HWND window_ = nullptr;
  std::promise<Command> promise_;
};

// A plain visible top-level window of this thread.
HWND CreatePlainWindow(const char* title) {
  static const bool registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VelunorTestWindow";
    return RegisterClassA(&windowClass) != 0;
  }();
  EXPECT_TRUE(registered);
  HWND window = CreateWindowExA(0, "VelunorTestWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                                50, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(window, nullptr);
  return window;
}

void HandlePendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    DispatchMessageA(&message);
}

// Whether `upper` lies above `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower) {
  for (HWND window = GetWindow(lower, GW_HWNDPREV); window != nullptr;
       window = GetWindow(window, GW_HWNDPREV)) {
    if (window == upper) return true;
  }
  return false;
}

TEST(Win32WindowSystem, FindsTheMailClientByClassAndTitle) {
  TWin32WindowSystem system;
  EXPECT_EQ(system.FindTopLevelWindow("TMainForm", "Corvane Mail"), 0u);
  TWindowHandle found = 0;
  {
    FakeMailClient mailClient;
    ASSERT_NE(mailClient.Window(), nullptr) << "no window: Wine needs a display";
    found = system.FindTopLevelWindow("TMainForm", "Corvane Mail");
    EXPECT_EQ(AsWindow(found), mailClient.Window());
    EXPECT_EQ(AsWindow(system.FindTopLevelWindow("TMainForm")), mailClient.Window());
    EXPECT_EQ(system.FindTopLevelWindow("TMainForm", "Corvane Mail 2"), 0u);
    EXPECT_EQ(system.FindTopLevelWindow("TMainForm2", "Corvane Mail"), 0u);
  }
  EXPECT_EQ(system.FindTopLevelWindow("TMainForm", "Corvane Mail"), 0u);
  EXPECT_FALSE(system.PostSystemCommand(found, kHandOffCommand, 0)) << "a window that is gone";
}

TEST(Win32WindowSystem, PostsTheHandOffCommandToTheMailClient) {
  TWin32WindowSystem system;
  FakeMailClient mailClient;
  ASSERT_NE(mailClient.Window(), nullptr) << "no window: Wine needs a display";
  const TWindowHandle window = system.FindTopLevelWindow("TMainForm", "Corvane Mail");
  ASSERT_NE(window, 0u);
  for (const std::int64_t lParam : {std::int64_t{0}, std::int64_t{-1}}) {
    auto command = mailClient.NextCommand();
    ASSERT_TRUE(system.PostSystemCommand(window, kHandOffCommand, lParam));
    ASSERT_EQ(command.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    const auto received = command.get();
    EXPECT_EQ(received.wParam, WPARAM{888});
    EXPECT_EQ(received.lParam, LPARAM{lParam});
  }
}

TEST(Win32WindowSystem, RestoresAMinimisedWindowAndRaisesAnother) {
  TWin32WindowSystem system;
  HWND lower = CreatePlainWindow("lower");
  HWND upper = CreatePlainWindow("upper");
  HandlePendingMessages();
  ASSERT_TRUE(IsAbove(upper, lower));
  system.RestoreOrRaise(AsHandle(lower));
  HandlePendingMessages();
  EXPECT_TRUE(IsAbove(lower, upper));

  ShowWindow(lower, SW_MINIMIZE);
  HandlePendingMessages();
  ASSERT_TRUE(IsIconic(lower));
  system.RestoreOrRaise(AsHandle(lower));
  HandlePendingMessages();
  EXPECT_FALSE(IsIconic(lower));
  DestroyWindow(upper);
  DestroyWindow(lower);
}

// The program's own main window is found by the class name it was given, and
// raising what was found raises that window, until it is gone.
TEST(Win32WindowSystem, ClassNameCarrierStandsForItsOwner) {
  TWin32WindowSystem system;
  HWND main = CreatePlainWindow("CMVelunor");
  system.SetWindowClassName(AsHandle(main), "TFormVelunor");
  const TWindowHandle found = system.FindTopLevelWindow("TFormVelunor");
  ASSERT_NE(found, 0u);
  ShowWindow(main, SW_MINIMIZE);
  HandlePendingMessages();
  system.RestoreOrRaise(found);
  HandlePendingMessages();
  EXPECT_FALSE(IsIconic(main));
  DestroyWindow(main);
  EXPECT_EQ(system.FindTopLevelWindow("TFormVelunor"), 0u);
}

// The key state comes from the system's input queue; injected key events
// change it as a real keyboard would.
TEST(Win32WindowSystem, ReadsTheCtrlKeyNow) {
  TWin32WindowSystem system;
  auto press = [](WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags =
        (key == VK_RCONTROL ? KEYEVENTF_EXTENDEDKEY : 0) | (down ? 0 : KEYEVENTF_KEYUP);
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
  };
  EXPECT_FALSE(system.IsKeyDown(TKey::kControl));
  for (const WORD key : {WORD{VK_CONTROL}, WORD{VK_LCONTROL}, WORD{VK_RCONTROL}}) {
    press(key, true);
    EXPECT_TRUE(system.IsKeyDown(TKey::kControl)) << key;
    press(key, false);
    EXPECT_FALSE(system.IsKeyDown(TKey::kControl)) << key;
  }
  press(VK_SHIFT, true);
  EXPECT_FALSE(system.IsKeyDown(TKey::kControl)) << "another key";
  press(VK_SHIFT, false);
}

}  // namespace
}  // namespace velunor::platform
