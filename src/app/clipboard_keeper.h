#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace velunor {

namespace platform {
class TWindowSystem;
}

// Ends the program after "&OK" without losing what it put on the clipboard.
//
// On X11 the program that sets the clipboard serves its content; when it
// ends, the content is gone unless a clipboard manager takes it over. So
// when the program owns the clipboard and no manager runs, it closes its
// windows at once (the user sees it end) but goes on serving the clipboard
// until another program takes the clipboard over, and only then ends.
//
// A result marked sensitive (a decrypted text) is never handed to a
// clipboard manager at the end, which may keep it on disk: the program
// serves it itself, and withdraws it when it has to end first.
class TClipboardKeeper : public QObject {
  Q_OBJECT

 public:
  TClipboardKeeper(platform::TWindowSystem& windowSystem, QWidget& mainWindow);

  // Ends the message loop with status 0, at once or once the clipboard is
  // taken over.
  void EndProgram();
  // Whether the program has closed its windows and serves the clipboard.
  bool IsKeeping() const { return keeping_; }

 private:
  void EndWhenClipboardTaken();
  // Whether the program serves the clipboard with content marked sensitive.
  static bool OwnsSecret();
  void WithdrawSecret();

  platform::TWindowSystem& windowSystem_;
  QPointer<QWidget> mainWindow_;
  // Another owner of the clipboard is also reported by this check, for
  // displays that do not tell about clipboard changes.
  QTimer ownerCheck_;
  bool keeping_ = false;
};

}  // namespace velunor
