#pragma once

#include <exception>
#include <functional>
#include <string>

#include "encrypter/spicker_sheet.h"

namespace velunor::encrypter {

// The cheat-sheet window as its handlers see it: its text box, and what the
// window does at their word.
class TSpickerWindow : public TSpickerMemo {
 public:
  // Closes (hides) the window.
  virtual void Close() = 0;
  // Shows the window and brings it to the front, as when it has to be seen.
  virtual void ComeToFront() = 0;
  // Shows a failure in the application's error box, owned by the window.
  virtual void ShowFailure(std::exception_ptr failure) = 0;
};

// The handlers of one cheat-sheet window, named after its events, without a
// toolkit: the front end (the Qt window, the Win32 window) calls the one
// named after each event. The rules of the text and its file are
// TSpickerSheet's; these are the steps around them: a failure is shown in
// the error box, a window whose file cannot be read closes without saving,
// a window whose save fails stays open with its text.
class TSpickerSession {
 public:
  TSpickerSession(TSpickerWindow& window, std::string fileName);

  const std::string& FileName() const { return sheet_.FileName(); }

  // The window has become active: it loads the file.
  void GradientFormActivate();
  // Another window of the program has become active: the sheet saves and
  // closes, unless it has had its last word.
  void GradientFormDeactivate();
  // "&Schließen", Esc: saves and closes.
  void ButtonEscClick();
  // The frame's close button: whether the window may close; it saves
  // first, as "&Schließen" does.
  bool CloseQuery();
  // The window is destroyed at the end of the program (TSpickerSheet::SaveAtProgramEnd).
  void GradientFormDestroy();
  // Before an end of the program that the user started: saves the text of
  // a sheet still open. When it cannot, the failure is shown, the sheet
  // comes to the front and the result is false: the program must not end,
  // or the text would be lost.
  bool SaveBeforeProgramEnd();

 private:
  // Runs a step; a failure is shown and gives false.
  bool Try(const std::function<void()>& step);
  void SaveAndClose();

  TSpickerWindow& window_;
  TSpickerSheet sheet_;
};

}  // namespace velunor::encrypter
