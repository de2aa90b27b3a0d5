// cmvelunor.exe: the encrypter window on Windows.
#include <windows.h>

#include "win32/form_velunor.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  velunor::win32::TFormVelunor form(instance);
  if (!form.Create()) return 1;
  form.Show(showCommand);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(form.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
