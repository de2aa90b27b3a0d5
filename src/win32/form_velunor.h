#pragma once

#include <windows.h>

#include "win32/gradient_caption.h"

namespace velunor::win32 {

// The encrypter window on Windows: a top-level window of the class
// "TFormVelunor", by which a second start and the mail client find it.
class TFormVelunor {
 public:
  static constexpr const wchar_t* kClassName = L"TFormVelunor";

  explicit TFormVelunor(HINSTANCE instance);
  ~TFormVelunor();
  TFormVelunor(const TFormVelunor&) = delete;
  TFormVelunor& operator=(const TFormVelunor&) = delete;

  // Creates the window (registering its class first); false when Windows
  // refused either.
  bool Create();
  void Show(int showCommand);
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  TGradientCaption caption_;
};

}  // namespace velunor::win32
