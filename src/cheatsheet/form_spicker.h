#pragma once

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <optional>
#include <string>

#include "runtime/byte_string.h"
#include "widgets/gradient_form.h"

namespace velunor {

// Runs a window handler and shows an exception leaving it in the
// application's error box (RunHandler of the program).
using THandlerRunner = std::function<void(QWidget* parent, const std::function<void()>& handler)>;

// The keyword cheat sheet "Spickzettel für Schlüsselwörter": a notepad whose
// text lives in one file (SpickerFileName) and is saved whenever the window
// closes or the focus goes to another window of the program.
//
// Each opening creates a new window, which reads the file afresh. A window
// is freed once it has closed with its text saved, so no hidden window can
// later write an older text over a newer one. A window still shown when the
// program ends saves as it is destroyed.
//
// Nothing is lost: a save replaces the file as a whole or not at all, a
// window whose save failed stays open with its text, and a window whose file
// could not be read closes without saving, leaving the file as it was. The
// program does not end at the user's wish while a sheet cannot save; at an
// end nobody can answer (SIGTERM as a session ends) such a text is kept as
// UTF-8 beside the file and comes back in the next sheet.
class TFormSpicker : public TGradientForm {
  Q_OBJECT

 public:
  // The window's content as laid out: a text box above a bar with the
  // label and the "&Schließen" button.
  static constexpr int kClientWidth = 447;
  static constexpr int kClientHeight = 216;
  // The width of the window including the frame's borders, which leaves
  // the layout's width between them.
  static constexpr int kOuterWidth = 455;

  // A new window owned by `owner`, the main window, over which it opens.
  TFormSpicker(QWidget* owner, THandlerRunner runHandler);
  ~TFormSpicker() override;

  // The cheat sheet's file, the same for every window of the run; set by
  // every window as it is created.
  static const std::string& SpickerFileName();

  // The program file whose name the cheat sheet's file takes: the running
  // executable unless set otherwise (as the tests do).
  static void SetProgramFilePath(const QString& path);

  // Before an end of the program that the user started: saves the text of
  // every cheat sheet still open. When one cannot save, its message is
  // shown, the sheet comes to the front and the result is false: the
  // program must not end, or the text would be lost.
  static bool SaveOpenSheets(QWidget* owner);
  bool SaveBeforeProgramEnd();

  // At start: tells the user when the text of a cheat sheet was kept
  // beside its file because it could not be saved at the last end
  // (kKeptTextSuffix). The next cheat sheet shows that text.
  static void ReportKeptText(QWidget* parent);

  // Handlers, named after the window's events and the control.
  void GradientFormCreate();
  void GradientFormActivate();
  void GradientFormDeactivate();
  void ButtonEscClick();
  void GradientFormDestroy();

  QFrame* Panel1;
  QPlainTextEdit* Memo1;
  QFrame* Panel2;
  QLabel* Label1;
  QPushButton* ButtonEsc;

 protected:
  void FormActivate() override;
  void FormDeactivate() override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  // Runs a handler under the error box; false when it failed.
  bool Run(const std::function<void()>& handler);

  // The memo's text with LF between lines.
  QString MemoContent() const;
  // The memo's text in code page 1252 with CR LF between lines; raises
  // when it holds characters the code page lacks.
  ByteString MemoText() const;
  void LoadMemo();
  void SaveMemo();
  // The text kept at an earlier end, if any; raises with KeptTextTooLong
  // when it is longer than the sheet holds.
  static std::optional<ByteString> KeptText(const std::string& path);
  static QString KeptTextTooLong(const std::string& path);
  // Shows the kept text, to be saved again.
  void LoadKeptText(const ByteString& text);
  // Keeps the memo's text as UTF-8 beside the file, for an end of the
  // program at which it could not be saved.
  void KeepUnsavedText(const char* reason);
  // Saves, then closes; a failed save leaves the window open.
  void SaveAndClose();
  // Closes without saving, as when the file could not be read.
  void CloseUnsaved();

  THandlerRunner runHandler_;
  // Set once the window's last word has been written (or must not be):
  // from then on it never writes the file again.
  bool done_ = false;
};

}  // namespace velunor
