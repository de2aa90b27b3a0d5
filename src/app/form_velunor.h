#pragma once

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <functional>
#include <memory>
#include <string>

#include "cheatsheet/form_spicker.h"
#include "encrypter/encrypter_session.h"
#include "encrypter/form_velunor_components.h"
#include "platform/window_system.h"
#include "runtime/byte_string.h"
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
// The rules and steps are the encrypter core's (encrypter::TEncrypterSession);
// this is the window: its controls, their wiring to the session's handlers,
// and what the session asks of the window and its desktop.
//
// The controls keep their form names and are reachable from outside as the
// fields of a form are; the handlers are named after control and event.
class TFormVelunor : public TGradientForm {
  Q_OBJECT

 public:
  explicit TFormVelunor(platform::TWindowSystem& windowSystem, QWidget* parent = nullptr);
  ~TFormVelunor() override;

  // The file the mail client hands over: the program's first argument.
  void SetHandOffFile(std::string path) { session_->SetHandOffFile(std::move(path)); }
  // Whether an activation has found the mail client; stays true for the run.
  bool MailClientMode() const { return session_->MailClientMode(); }

  // Handlers of the window's own. The session's handlers run under
  // RunHandler, which shows the error box and leaves the window as the
  // failure found it.
  void ButtonEscClick();
  void actSpickzettelExecute();

  // The plain text an encryption codes: every line of the input box
  // followed by CR LF, the last one too.
  ByteString PlainTextOfInput() const { return session_->PlainTextOfInput(); }
  // The window's rules and steps.
  encrypter::TEncrypterSession& Session() { return *session_; }

  encrypter::TFormVelunorComponents Components{StoredValues()};

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
  // What another use of the window (the filter) brings: its own session
  // (rules and steps) and the class name of its window.
  using TSessionFactory = std::function<std::unique_ptr<encrypter::TEncrypterSession>(
      encrypter::TEncrypterFrontEnd&, encrypter::TFormVelunorComponents&)>;
  TFormVelunor(platform::TWindowSystem& windowSystem, const TSessionFactory& makeSession,
               const char* windowClassName, QWidget* parent);

  void FormActivate() override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateTopPanel();
  void CreateClientPanel();
  void CreateBottomPanel();
  void CreateActions();
  void ConnectHandlers();
  void SetTabOrder();
  // Object names as the form names its controls, for tests and tools.
  void NameControls();
  // Runs one of the session's handlers under RunHandler.
  void Run(void (encrypter::TEncrypterSession::*handler)());
  void ApplyWindowClassName(const char* className);

  // What the session asks of this window and its desktop.
  class TFrontEnd;

  platform::TWindowSystem& windowSystem_;
  std::unique_ptr<TFrontEnd> frontEnd_;
  std::unique_ptr<encrypter::TEncrypterSession> session_;
};

}  // namespace velunor
