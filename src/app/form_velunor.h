#pragma once

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <string>
#include <utility>

#include "app/form_velunor_components.h"
#include "cheatsheet/form_spicker.h"
#include "platform/window_system.h"
#include "runtime/byte_string.h"
#include "runtime/wiped_bytes.h"
#include "widgets/flat_glyph_button.h"
#include "widgets/gradient_form.h"
#include "widgets/rich_text_box.h"

namespace velunor {

// The encrypter window "CMVelunor - Text ent-/verschlüsseln". The user
// pastes a text, types a keyword, encrypts or decrypts it and takes the
// result to the clipboard with "&OK". After a coding both text boxes stay
// read-only until the program ends.
//
// Mail-client mode: while the window of the mail client (class "TMainForm",
// title "Corvane Mail") exists, every activation loads the hand-off file into
// the input box, and "&OK" writes the result back into the file and then
// posts the mail client the system command 888.
//
// The controls keep their form names and are reachable from outside as the
// fields of a form are; the handlers are named after control and event.
class TFormVelunor : public TGradientForm {
  Q_OBJECT

 public:
  explicit TFormVelunor(platform::TWindowSystem& windowSystem, QWidget* parent = nullptr);
  ~TFormVelunor() override;

  // The file the mail client hands over: the program's first argument.
  void SetHandOffFile(std::string path) { handOffFile_ = std::move(path); }
  // Whether an activation has found the mail client; stays true for the run.
  bool MailClientMode() const { return mailClientMode_; }

  // Handlers. Each one that may fail runs under RunHandler, which shows
  // the error box and leaves the window as the failure found it.
  void FormCreate();
  void EditPasswordChange();
  void EditPasswordClick();
  void ButtonPasteFromClipboardClick();
  virtual void ButtonEncryptClick();
  virtual void ButtonDecryptClick();
  virtual void ButtonOKClick();
  void ButtonEscClick();
  void RichEditInMouseDown();
  void RichEditInMouseUp();
  void RichEditInKeyDown();
  void RichEditInKeyUp();
  void actSpickzettelExecute();

  // Enables the two coding buttons when the keyword has 3 to 70 bytes and
  // the input box is not empty, disables them otherwise.
  void ButtonRule();

  // The plain text an encryption codes: every line of the input box
  // followed by CR LF, the last one too.
  ByteString PlainTextOfInput() const;

  TFormVelunorComponents Components{StoredValues()};

  QFrame* PanelTop;
  QLabel* Label1;
  QLineEdit* EditPassword;
  QLabel* Label4;
  QLabel* Label7;
  QFrame* PanelClient;
  QLabel* Label5;
  TFlatGlyphButton* TBButtonPasteFromClipboard;
  QLabel* Label2;
  TRichTextBox* RichEditIn;
  QLabel* Label6;
  QLabel* LabelDone;
  TRichTextBox* RichEditOut;
  QLabel* Label3;
  QFrame* PanelBottom;
  TFlatGlyphButton* TBSpicker;
  QPushButton* ButtonEncrypt;
  QPushButton* ButtonDecrypt;
  QPushButton* ButtonOK;
  QPushButton* ButtonEsc;
  QAction* actSpickzettel;
  QAction* actPaste;

  // The cheat-sheet window opened last; none once it has closed.
  QPointer<TFormSpicker> FormSpicker;

 signals:
  // "&OK" has done its work and the program is to end (the quit message).
  void QuitRequested();
  // The window has been closed; the program ends.
  void Closed();

 protected:
  void FormActivate() override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The keyword's code page 1252 bytes; raises when it holds characters the
  // code page lacks.
  TWipedBytes KeywordBytes() const;
  // Raises when the input box holds characters code page 1252 lacks.
  void CheckInputCodePage() const;
  // The state after a coding: coding buttons off, boxes read-only, "&OK" on.
  void ShowCodingDone(const ByteString& result);
  void EnterCodingDoneState();
  // Whether a Ctrl key is down at this moment.
  bool CtrlDown() const { return windowSystem_.IsKeyDown(platform::TKey::kControl); }
  // "Vermutlich falsches Schlüsselwort!", then back to the keyword, selected.
  void ShowWrongKeywordWarning();

  platform::TWindowSystem& windowSystem_;

 private:
  void CreateTopPanel();
  void CreateClientPanel();
  void CreateBottomPanel();
  void CreateActions();
  void ConnectHandlers();
  void SetTabOrder();
  // Object names as the form names its controls, for tests and tools.
  void NameControls();
  // Runs one of the handlers under RunHandler.
  void Run(void (TFormVelunor::*handler)());

  void CopyResultToClipboard();

  // Mail-client mode.
  platform::TWindowHandle FindMailClient() const;
  bool HandOffFileExists() const;
  void ActivateInMailClientMode();
  void HideOneCodingButton();
  void WarnWhenTheKeywordLooksWrong();
  void HandOffToMailClient();
  void ApplyWindowClassName();
  // The hand-off's steps on this window and its desktop.
  class THandOffToMailClient;

  // Whether the output box holds the result of a decryption.
  bool outputIsDecrypted_ = false;
  std::string handOffFile_;
  bool mailClientMode_ = false;
};

}  // namespace velunor
