#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

class QMimeData;
class QWidget;

namespace velunor {

namespace platform {
class TWindowSystem;
}
class TInstanceChannel;

// Ends the program after "&OK" without losing what it put on the clipboard.
//
// On X11 and on Wayland the program that sets the clipboard serves its
// content; when it ends, the content is gone unless someone takes it over.
// So the program closes its windows at once (the user sees it end) but goes
// on serving the clipboard until another program sets it or clears it, and
// only then ends. On X11 a clipboard manager may take the content over
// instead: the program asks it to (SAVE_TARGETS) while it still serves, and
// ends only once the manager owns the clipboard and serves the same text;
// a manager that keeps nothing leaves the program serving. Wayland has no
// such hand-over: whether a compositor keeps the clipboard, no program can
// tell, so the program serves it there until it is replaced.
//
// A result marked sensitive (a decrypted text) is never handed to a
// clipboard manager, which may keep it on disk: the program serves it
// itself, and withdraws it when it has to end first.
class TClipboardKeeper : public QObject {
  Q_OBJECT

 public:
  TClipboardKeeper(platform::TWindowSystem& windowSystem, QWidget& mainWindow,
                   TInstanceChannel* instanceChannel = nullptr);
  ~TClipboardKeeper() override;

  // Ends the message loop with status 0, at once or once the clipboard is
  // taken over.
  void EndProgram();
  // Whether the program has closed its windows and serves the clipboard.
  bool IsKeeping() const { return keeping_; }

 private:
  // Closes the windows and stops answering new starts: the program is
  // gone for the user.
  void HideProgram();
  // Follows the hand-over to the clipboard manager, then the clipboard.
  void Check();
  void EndWhenClipboardTaken();
  // Whether the program serves the clipboard with content marked sensitive.
  static bool OwnsSecret();
  void WithdrawSecret();

  platform::TWindowSystem& windowSystem_;
  QPointer<QWidget> mainWindow_;
  QPointer<TInstanceChannel> instanceChannel_;
  // What the program put on the clipboard, to set again should a clipboard
  // manager take it without keeping it.
  std::unique_ptr<QMimeData> served_;
  // Another owner of the clipboard, and none at all, are also found by
  // this check: not every display tells about either.
  QTimer ownerCheck_;
  bool keeping_ = false;
  bool handingOver_ = false;
};

}  // namespace velunor
