#include "win32/form_velunor.h"

#include "encrypter/caption_description.h"
#include "win32/ui_texts.h"

namespace velunor::win32 {

TFormVelunor::TFormVelunor(HINSTANCE instance)
    : instance_(instance), caption_(encrypter::CaptionDescription("FormVelunor")) {}

TFormVelunor::~TFormVelunor() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool TFormVelunor::Create() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &TFormVelunor::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kClassName;
  if (RegisterClassExW(&windowClass) == 0) return false;
  const std::wstring caption = UiText("CMVelunor - Text ent-/verschlüsseln");
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, caption.c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 536,
                            331, nullptr, nullptr, instance_, this);
  return window_ != nullptr;
}

void TFormVelunor::Show(int showCommand) {
  ShowWindow(window_, showCommand);
}

LRESULT CALLBACK TFormVelunor::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<TFormVelunor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (form->window_ == nullptr) form->window_ = window;
  LRESULT result = 0;
  if (form->caption_.HandleMessage(window, message, wParam, lParam, result)) return result;
  return form->HandleMessage(message, wParam, lParam);
}

LRESULT TFormVelunor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace velunor::win32
