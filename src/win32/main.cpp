// cmvelunor.exe: the encrypter window on Windows.
#include "win32/windows_api.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "cipher/cipher_registry.h"
#include "encrypter/program.h"
#include "encrypter/single_instance.h"
#include "hash/hash_registry.h"
#include "platform/win32_window_system.h"
#include "protection/framework.h"
#include "win32/dpi.h"
#include "win32/form_velunor.h"
#include "win32/form_velunor_front_end.h"
#include "win32/message_boxes.h"
#include "win32/wide_text.h"

namespace {

using namespace velunor;

// The program file's name without its folder: "cmvelunor.exe".
std::wstring ProgramFileName() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(length);
  return path.substr(path.find_last_of(L"\\/") + 1);
}

// The program's first argument (the mail client's hand-off file), UTF-8;
// empty when there is none.
std::string FirstArgument() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::string first;
  if (arguments != nullptr && count > 1) first = win32::Utf8FromUtf16(arguments[1]);
  LocalFree(arguments);
  return first;
}

// The running instance's main window, found by its class name.
class TRunningWindow final : public encrypter::TRunningInstance {
 public:
  explicit TRunningWindow(platform::TWindowSystem& windowSystem) : windowSystem_(windowSystem) {}

  bool Find() override {
    window_ = windowSystem_.FindTopLevelWindow(encrypter::kMainWindowClassName);
    return window_ != 0;
  }
  void ShowAlreadyRunningNotice() override { win32::ShowAlreadyRunningNotice(ProgramFileName()); }
  void BringForward() override { windowSystem_.RestoreOrRaise(window_); }
  void ProcessPendingMessage() override { win32::ProcessPendingMessage(); }

 private:
  platform::TWindowSystem& windowSystem_;
  platform::TWindowHandle window_ = 0;
};

int RunMessageLoop(win32::TFormVelunor& form) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  win32::BecomeDpiAware();
  // The coding framework and its registries fill before anything else.
  StartFramework();
  HashRegistry();
  CipherRegistry();
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  platform::TWin32WindowSystem windowSystem;
  TRunningWindow running(windowSystem);
  if (encrypter::AnotherInstanceRuns(running)) return encrypter::kExitAlreadyRunning;

  win32::TFormVelunor form(windowSystem);
  if (!form.Create()) {
    win32::ShowErrorBox(nullptr, L"Das Fenster kann nicht erstellt werden");
    return 1;
  }
  // The mail client names its hand-off file as the first argument.
  form.SetHandOffFile(FirstArgument());
  form.Show(showCommand);
  return RunMessageLoop(form);
}
