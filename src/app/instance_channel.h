#pragma once

#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QString>

namespace velunor {

// How instances of the program find each other on a Wayland desktop, where
// no program sees the windows of another: the running instance listens on
// a local socket in the user's runtime directory (XDG_RUNTIME_DIR), named
// after the Wayland display, so each desktop session of each user has its
// own. A new start connects to it: a socket file left by an instance that
// has died accepts no connection and is replaced. A lock file held while an
// instance looks and starts listening keeps two starts at once from both
// becoming the running one.
class TInstanceChannel : public QObject {
  Q_OBJECT

 public:
  explicit TInstanceChannel(QObject* parent = nullptr);
  ~TInstanceChannel() override;

  // Connects to the running instance and returns true; without one this
  // process becomes the running instance, listens and returns false.
  bool ReachRunningInstance();

  // Asks the running instance to bring its window forward; `token` is the
  // activation token the desktop gave this start (empty when none).
  void AskToComeForward(const QString& token);

  // Stops listening: a new start is then a normal one.
  void Close();

  // The socket's path for this user and Wayland display.
  static QString SocketPath();

 signals:
  // A new start has asked this instance to come forward.
  void ComeForwardRequested(const QString& token);

 private:
  void Answer(QLocalSocket* caller);

  QLocalServer server_;
  QLocalSocket running_;
};

}  // namespace velunor
