#pragma once

#include "win32/windows_api.h"

#include <memory>
#include <string>
#include <vector>

#include "encrypter/encrypter_session.h"
#include "encrypter/form_velunor_components.h"
#include "platform/window_system.h"
#include "runtime/component.h"
#include "win32/dpi.h"
#include "win32/rich_text_box.h"

namespace velunor::win32 {

// The encrypter window "CMVelunor - Text ent-/verschlüsseln" on Windows, a
// top-level window of the class "TFormVelunor" (by which a second start and
// the mail client find it): a tool window always on top, centred, with a
// client area of 536 × 331 layout pixels scaled to the monitor's dots per
// inch, its controls at their fixed places in the 8-point window font.
//
// The rules and steps are the encrypter core's (encrypter::TEncrypterSession),
// as in the Qt window; this is the window: its controls, their messages
// wired to the session's handlers, and what the session asks of the window
// and its desktop (TFrontEnd).
//
// The window's keyboard comes before the focused control
// (PreTranslateMessage): F1 opens the cheat sheet and Ctrl+V pastes anywhere
// in the window, Esc closes it, Enter presses the focused push button (and
// nothing elsewhere), Alt with a button's letter presses the button.
class TFormVelunor {
 public:
  static constexpr const wchar_t* kClassName = L"TFormVelunor";

  explicit TFormVelunor(platform::TWindowSystem& windowSystem);
  ~TFormVelunor();
  TFormVelunor(const TFormVelunor&) = delete;
  TFormVelunor& operator=(const TFormVelunor&) = delete;

  // Creates the window and its controls (FormCreate runs), centred on the
  // desktop; false when Windows refused the window or has no rich edit control.
  bool Create();
  void Show(int showCommand);
  HWND Handle() const { return window_; }

  // The file the mail client hands over: the program's first argument.
  void SetHandOffFile(std::string path) { session_->SetHandOffFile(std::move(path)); }
  encrypter::TEncrypterSession& Session() { return *session_; }

  // The window's keyboard ahead of the focused control; true when the
  // message has been handled and must go no further.
  bool PreTranslateMessage(const MSG& message);

  // F1, the cheat-sheet button, a double click on "Schlüsselwort: ".
  void actSpickzettelExecute();
  void ButtonEscClick();

  // The controls, by their form names.
  HWND Label1 = nullptr;
  HWND EditPassword = nullptr;
  HWND Label4 = nullptr;
  HWND Label7 = nullptr;
  HWND Label5 = nullptr;
  HWND TBButtonPasteFromClipboard = nullptr;
  HWND Label2 = nullptr;
  std::unique_ptr<TRichTextBox> RichEditIn;
  HWND Label6 = nullptr;
  HWND LabelDone = nullptr;
  std::unique_ptr<TRichTextBox> RichEditOut;
  HWND Label3 = nullptr;
  HWND TBSpicker = nullptr;
  HWND ButtonEncrypt = nullptr;
  HWND ButtonDecrypt = nullptr;
  HWND ButtonOK = nullptr;
  HWND ButtonEsc = nullptr;

 private:
  class TFrontEnd;

  // A control at its place in layout pixels: left, top, width, height; a
  // label of width 0 is as wide as its text, one of height 0 as high as a line.
  struct TPlacement {
    HWND control;
    RECT layout;
    bool rightAligned = false;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  void OnActivate(bool active, HWND previous);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void Paint();
  void DrawGlyphButton(const DRAWITEMSTRUCT& item);

  HWND NewControl(const wchar_t* className, std::string_view german, DWORD style, int id,
                  DWORD extendedStyle = 0);
  HWND NewLabel(std::string_view german, RECT layout, bool rightAligned = false);
  HWND NewButton(std::string_view german, RECT layout, int id);
  void CreateControls();
  void CreateTopPanel();
  void CreateClientPanel();
  void CreateBottomPanel();
  void CreateTooltips();
  void UseDpi(UINT dpi);
  void Layout();
  void FillPanelWithOutput();
  void PlaceCentred();
  void Run(void (encrypter::TEncrypterSession::*handler)());
  bool PressButton(HWND button);

  platform::TWindowSystem& windowSystem_;
  // The caption bar's stored values: none of its own yet on Windows.
  TComponent formValues_;
  encrypter::TFormVelunorComponents components_{formValues_};
  std::unique_ptr<TFrontEnd> frontEnd_;
  std::unique_ptr<encrypter::TEncrypterSession> session_;

  HWND window_ = nullptr;
  HWND tooltips_ = nullptr;
  HACCEL shortcuts_ = nullptr;
  HFONT font_ = nullptr;
  TScale scale_;
  std::vector<TPlacement> placements_;
  bool outputFillsPanel_ = false;
  bool activatedOnce_ = false;
  // The control that had the focus when the window was last deactivated.
  HWND lastFocus_ = nullptr;
};

}  // namespace velunor::win32
