// A small owner window for the cheat sheet under Wine, until a test needs
// no more than the window program: it opens a cheat sheet at its start and
// another at each F1. Its own caption is the gradient caption too.
#include <windows.h>

#include "encrypter/caption_description.h"
#include "win32/form_spicker.h"
#include "win32/gradient_caption.h"

namespace {

velunor::win32::TGradientCaption* caption = nullptr;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (caption != nullptr && caption->HandleMessage(window, message, wParam, lParam, result)) {
    return result;
  }
  if (message == WM_KEYDOWN && wParam == VK_F1) velunor::win32::TFormSpicker::Open(window);
  if (message == WM_CLOSE && !velunor::win32::TFormSpicker::SaveOpenSheets()) return 0;
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  velunor::win32::TGradientCaption hostCaption(velunor::encrypter::CaptionDescription("FormHost"));
  caption = &hostCaption;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = L"SpickerHost";
  RegisterClassExW(&windowClass);
  HWND host = CreateWindowExW(WS_EX_TOOLWINDOW, L"SpickerHost", L"Spicker host",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU, 20, 20, 900, 600, nullptr,
                              nullptr, instance, nullptr);
  ShowWindow(host, SW_SHOW);
  velunor::win32::TFormSpicker::Open(host);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND dialog = GetAncestor(message.hwnd, GA_ROOT);
    if (dialog != nullptr && dialog != host && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
