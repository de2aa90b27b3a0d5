#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "app/form_velunor.h"

namespace velunor {

// The text a filter or an external editor hands the window, and where the
// result goes: standard output, or the file that was edited.
struct TFilterText {
  std::string text;  // UTF-8, as mail programs on Linux hand it over
  std::size_t wrapColumns = 0;
  // Takes the result; raises when it cannot.
  std::function<void(const std::string& result)> deliver;
};

// The encrypter window as a mail program's filter or external editor: the
// mail-client mode's rules without the mail client's window. The text is
// loaded at each activation; only the fitting coding button is shown (a
// mail body with a space is to be encrypted, one without to be decrypted;
// Ctrl held keeps both); a cipher text comes out broken at the wrap
// columns; a decryption takes every cipher text of the mail in its place
// (encrypter/mail_decryption.h) and warns of a wrong keyword. "&OK" hands
// the result over and ends the program (QuitRequested); the clipboard is
// never touched. Closing, "Abbrechen" or Esc hands nothing over (Closed).
//
// Its windows are not the program's single instance: their class is
// "TFormVelunorFilter", so a mail program may start one while the window
// runs, and the window may start while one is open.
class TFormVelunorFilter final : public TFormVelunor {
  Q_OBJECT

 public:
  TFormVelunorFilter(platform::TWindowSystem& windowSystem, TFilterText text,
                     QWidget* parent = nullptr);

  void ButtonEncryptClick() override;
  void ButtonDecryptClick() override;
  void ButtonOKClick() override;

 protected:
  void FormActivate() override;

 private:
  void LoadText();
  void ShowResult(std::string result, bool doubtful);

  TFilterText text_;
  bool loadedBefore_ = false;
  std::string result_;
};

// The class name of the filter's and the editor's windows.
inline constexpr const char* kFilterWindowClassName = "TFormVelunorFilter";

}  // namespace velunor
