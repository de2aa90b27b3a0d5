#pragma once

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <memory>
#include <string>

#include "encrypter/spicker_session.h"
#include "widgets/gradient_form.h"

namespace velunor {

// Runs a window handler and shows an exception leaving it in the
// application's error box (RunHandler of the program).
using THandlerRunner = std::function<void(QWidget* parent, const std::function<void()>& handler)>;

// The keyword cheat sheet "Spickzettel für Schlüsselwörter": a notepad whose
// text lives in one file (SpickerFileName) and is saved whenever the window
// closes or the focus goes to another window of the program. Its handlers
// and rules, and those of its file, are the encrypter core's
// (encrypter::TSpickerSession); this is the window and its wiring.
//
// Each opening creates a new window, which reads the file afresh. A window
// is freed once it has closed with its text saved, so no hidden window can
// later write an older text over a newer one. A window still shown when the
// program ends saves as it is destroyed. The program does not end at the
// user's wish while a sheet cannot save.
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

  // The cheat sheet's file as it is now: beside the program, or in the
  // user's data folder where the program's folder cannot be written.
  static std::string CurrentSpickerFileName();

  // Creation: the window's width and the sheet's file.
  void GradientFormCreate();

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

  // This window and Memo1 as the sheet's handlers see them.
  class TWindow;

  THandlerRunner runHandler_;
  std::unique_ptr<TWindow> window_;
  std::unique_ptr<encrypter::TSpickerSession> session_;
};

}  // namespace velunor
