#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "encrypter/form_velunor_components.h"
#include "encrypter/mail_client_rules.h"
#include "runtime/byte_string.h"
#include "runtime/wiped_bytes.h"

namespace velunor::encrypter {

// The state of the encrypter window's controls that its rules decide.
struct TEncrypterControls {
  bool encryptEnabled = false;  // "Verschlüsseln"
  bool decryptEnabled = false;  // "Entschlüsseln"
  // In mail-client mode an activation may hide one coding button for the rest of the run.
  bool encryptHidden = false;
  bool decryptHidden = false;
  bool okEnabled = false;  // "&OK"
  // Both text boxes, after a coding, for the rest of the run.
  bool boxesReadOnly = false;
  // In mail-client mode the output box fills the middle panel, above the
  // input box, the paste button and the panel's labels.
  bool outputFillsPanel = false;

  bool operator==(const TEncrypterControls&) const = default;
};

// Where a step of the window puts the keyboard focus.
enum class TFocus {
  kKeyword,          // the keyword box
  kKeywordSelected,  // the keyword box, its text selected, to be typed over
  kOk,               // "&OK", the next step after a coding
};

// What the encrypter window and its desktop do for the session: the
// front end (the Qt window, the Win32 window) implements it with its
// controls and its platform. Texts of the boxes are code page 1252 bytes
// with CR LF between lines, as a text box gives them (its whole text).
class TEncrypterFrontEnd {
 public:
  virtual ~TEncrypterFrontEnd() = default;

  // The keyword box: the number of its characters, and the characters
  // themselves (the session zeroes its copy once it has read them).
  virtual std::size_t KeywordLength() = 0;
  virtual std::u32string KeywordCharacters() = 0;

  // The input box: its whole text (characters code page 1252 lacks read as
  // "?"), those characters each once, and its text replaced (also while it
  // is read-only).
  virtual ByteString InputText() = 0;
  virtual std::u32string InputCharactersOutsideCodePage() = 0;
  virtual void SetInputText(std::string_view bytes) = 0;
  // The same with a UTF-8 text, as a mail program hands one over (the
  // filter, TFilterSession); the box keeps every character of it.
  virtual void SetInputUtf8Text(std::string_view utf8) = 0;
  // Selects the input box's whole text and pastes the clipboard's text over
  // it: a read-only box ignores the paste, an empty clipboard pastes nothing.
  virtual void PasteIntoInput() = 0;

  // The output box: its whole text, and its text replaced by `bytes` up to
  // their first zero byte.
  virtual ByteString OutputText() = 0;
  virtual void SetOutputText(std::string_view bytes) = 0;
  virtual void SetOutputUtf8Text(std::string_view utf8) = 0;
  // Selects the output box's whole text and copies it to the clipboard; a
  // sensitive text (a decrypted one) carries the marks that ask clipboard
  // histories not to keep it.
  virtual void CopyOutputToClipboard(bool sensitive) = 0;

  // Shows the controls as the rules have set them (a button once hidden is
  // never shown again), and moves the focus.
  virtual void ShowControls(const TEncrypterControls& controls) = 0;
  virtual void MoveFocus(TFocus focus) = 0;

  // The mail client's main window (class "TMainForm", window text "Corvane
  // Mail"): whether it exists now (the window found is remembered), and the
  // hand-off message (WM_SYSCOMMAND 888) posted to the window found last;
  // false when it did not reach it.
  virtual bool FindMailClient() = 0;
  virtual bool NotifyMailClient() = 0;
  // Whether a Ctrl key is down at this moment.
  virtual bool CtrlDown() = 0;
  // Lets a pending window message be handled before "&OK" acts.
  virtual void ProcessPendingMessage() = 0;

  // "Vermutlich falsches Schlüsselwort!", a warning box owned by the window.
  virtual void ShowWrongKeywordWarning() = 0;
  // Before an end of the program: saves every cheat sheet still open; false
  // (with the sheet in front, saying why) when one cannot save.
  virtual bool SaveOpenCheatSheets() = 0;
  // "&OK" has done its work: the program ends.
  virtual void Quit() = 0;
};

// The encrypter window's rules and steps, without a toolkit: which controls
// are enabled, hidden and read-only after each step, what each handler does
// and in which order, mail-client mode with its hand-off. The front end
// calls the handler named after its control and event; a handler that
// raises stops where it raised and leaves the controls as they were, and
// the front end shows the failure in its error box.
//
// Usage:
//   TEncrypterSession session(frontEnd, components);  // FormCreate
//   session.SetHandOffFile(firstArgument);
//   ... on every activation: session.FormActivate();
//   ... keyword changed: session.EditPasswordChange(); buttons: ...Click()
//
// Another use of the window (the filter) derives and replaces the handlers
// that differ.
class TEncrypterSession {
 public:
  // Chooses the coding's algorithms on the window's managers (FormCreate).
  TEncrypterSession(TEncrypterFrontEnd& frontEnd, TFormVelunorComponents& components);
  virtual ~TEncrypterSession() = default;
  TEncrypterSession(const TEncrypterSession&) = delete;
  TEncrypterSession& operator=(const TEncrypterSession&) = delete;

  // The file the mail client hands over: the program's first argument.
  void SetHandOffFile(std::string path) { handOffFile_ = std::move(path); }
  const TEncrypterControls& Controls() const { return controls_; }
  // Whether an activation has found the mail client; stays true for the run.
  bool MailClientMode() const { return mailClientMode_; }

  // Each activation of the window (not a message box closing): in
  // mail-client mode loads the hand-off file and leaves one coding button;
  // then the focus goes to the keyword. Raises when the file cannot be read.
  virtual void FormActivate();
  // The keyword changed: the button rule.
  void EditPasswordChange();
  // The paste action (paste button, Ctrl+V anywhere in the window).
  void ButtonPasteFromClipboardClick();
  virtual void ButtonEncryptClick();
  virtual void ButtonDecryptClick();
  // Copies the result (or hands it to the mail client) and ends the
  // program; not while a cheat sheet cannot save its text.
  virtual void ButtonOKClick();
  // Whether the window may close (which ends the program): not while a
  // cheat sheet cannot save its text.
  bool MayClose();
  // A click into the keyword box, a key or mouse button in a text box: the
  // focus goes (back) to the keyword.
  void ReturnFocusToKeyword();

  // The button rule: both coding buttons enabled when the keyword has 3 to
  // 70 bytes and the input box is not empty.
  void ButtonRule();
  // The plain text an encryption codes: every line of the input box
  // followed by CR LF, the last one too.
  ByteString PlainTextOfInput();

 protected:
  // The keyword's code page 1252 bytes; raises ECodePageFault when it holds
  // characters the code page lacks.
  TWipedBytes KeywordBytes();
  // Raises ECodePageFault when the input box holds characters the code
  // page lacks.
  void CheckInputCodePage();
  // Hides the coding button the text does not need, for the rest of the run.
  void HideCodingButton(std::optional<TCodingButton> button);
  // After a coding: both coding buttons off, both boxes read-only, "&OK"
  // on and focused.
  void EnterCodingDoneState(bool decrypted);
  // "Vermutlich falsches Schlüsselwort!", then back to the keyword,
  // selected to be typed over.
  void ShowWrongKeywordWarning();
  // Shows the controls as they are now.
  void Show();

  TEncrypterFrontEnd& frontEnd_;
  TFormVelunorComponents& components_;
  TEncrypterControls controls_;

 private:
  // Whether the program's first argument names an existing file.
  bool HandOffFileExists() const;
  void ActivateInMailClientMode();
  void ShowCodingDone(std::string_view result, bool decrypted);
  void WarnWhenTheKeywordLooksWrong();
  void HandOffToMailClient();
  void CopyResultToClipboard();

  std::string handOffFile_;
  bool mailClientMode_ = false;
  // Whether the output box holds the result of a decryption.
  bool outputIsDecrypted_ = false;
};

}  // namespace velunor::encrypter
