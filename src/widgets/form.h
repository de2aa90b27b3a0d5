#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

class QAbstractButton;
class QAction;
class QKeyEvent;

namespace velunor {

// The base of the program's windows: a fixed-size window that stays on top
// of other windows, opens at the centre of the desktop and takes the
// keyboard focus when it is shown. It is never
// maximised nor made full-screen, whoever asks (a window manager's menu or
// another program): its layout has one size.
//
// Keyboard shortcuts of the form's actions and the cancel button's Esc work
// anywhere in the window and come before the focused control: Ctrl+V of a
// paste action runs the action even in a line edit, which would otherwise
// paste into itself. Enter presses the push button that has the focus (and
// nothing elsewhere), and Alt with a letter never types the letter.
//
// Activation as the program counts it: FormActivate runs when the window
// first gets the focus and again whenever the focus comes to it from another
// form of the program; FormDeactivate runs on the form the focus left. A
// message box, a menu or another program taking the focus and giving it back
// do not count.
class TForm : public QWidget {
  Q_OBJECT

 public:
  explicit TForm(QWidget* parent = nullptr);
  ~TForm() override;

  // The size of the window's content, which the user cannot change. A form
  // that draws a frame of its own adds the frame around it.
  virtual void SetClientSize(int width, int height);

  // Makes `action` one of the form's actions: its shortcut works anywhere in
  // the window, ahead of the focused control, while the action is enabled.
  void AddFormAction(QAction* action);

  // The button that Esc presses anywhere in the window.
  void SetCancelButton(QAbstractButton* button);

 protected:
  virtual void FormActivate() {}
  virtual void FormDeactivate() {}

  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  class TKeyPreview;

  // The enabled form action whose shortcut the key is, or none.
  QAction* FormActionFor(const QKeyEvent& key) const;
  // Runs the form action of a key pressed anywhere in the window, and the
  // window's other key rules; true when the key has been dealt with.
  bool PreviewKey(QWidget& target, QKeyEvent& key);
  // Whether the key is Alt (without Ctrl) with a character.
  static bool TypesWithAlt(const QKeyEvent& key);
  // Presses `target` when it is a push button and the key Enter.
  static bool PressesFocusedButton(QWidget& target, const QKeyEvent& key);
  void HandleActivation();

  std::vector<QPointer<QAction>> formActions_;
  QPointer<QAbstractButton> cancelButton_;
  bool placed_ = false;
};

}  // namespace velunor
