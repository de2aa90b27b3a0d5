#pragma once

#include "win32/windows_api.h"

#include <exception>
#include <memory>
#include <string>

#include "encrypter/spicker_session.h"
#include "win32/dpi.h"
#include "win32/gradient_caption.h"

namespace velunor::win32 {

// The keyword cheat sheet "Spickzettel für Schlüsselwörter" on Windows: a
// notepad whose text lives in one file (beside the program, else under
// %APPDATA%\CMVelunor) and is saved whenever the window closes or the focus
// goes to another window of the program. Its handlers and the rules of its
// file are the encrypter core's (encrypter::TSpickerSession); this is the
// window and its wiring.
//
// Each opening creates a new window, which reads the file afresh. A window
// that has closed with its text saved is destroyed, so no hidden window can
// later write an older text over a newer one; a window still open when its
// owner is destroyed saves as it goes.
class TFormSpicker : private encrypter::TSpickerWindow {
 public:
  // The layout's client area and the outer width creation sets, in pixels
  // at 100 %.
  static constexpr int kClientWidth = 447;
  static constexpr int kClientHeight = 216;
  static constexpr int kOuterWidth = 455;

  // Opens a new cheat sheet owned by and centred over `owner`, shown
  // without waiting. The window frees itself when it is destroyed.
  static void Open(HWND owner);

  // Before an end of the program that the user started: saves every cheat
  // sheet still open. When one cannot save, its message is shown, it comes
  // to the front and the result is false: the program must not end.
  static bool SaveOpenSheets();

  // The keys of a sheet's dialog (Esc, Tab) for a message to one of its
  // windows; true when the message has been handled.
  static bool PreTranslateMessage(const MSG& message);

 private:
  TFormSpicker();
  ~TFormSpicker() override;

  bool Create(HWND owner);
  void CreateControls();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Activation(WPARAM wParam, HWND other);

  // TSpickerWindow: the memo and the window as the handlers see them.
  std::string Text() override;
  void SetText(std::string_view utf8) override;
  bool Modified() override;
  void SetModified(bool modified) override;
  void Close() override;
  void ComeToFront() override;
  void ShowFailure(std::exception_ptr failure) override;

  HWND window_ = nullptr;
  HWND memo_ = nullptr;
  TScale scale_;
  HFONT font_ = nullptr;
  bool activatedOnce_ = false;
  TGradientCaption caption_;
  std::unique_ptr<encrypter::TSpickerSession> session_;
};

}  // namespace velunor::win32
