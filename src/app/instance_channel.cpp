#include "app/instance_channel.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace velunor {

namespace {

constexpr int kConnectMilliseconds = 2000;
constexpr int kWriteMilliseconds = 2000;
const QByteArray kComeForward = "come-forward ";

// Holds an exclusive lock on a file while it lives; the system lets go of
// it when the process ends, however it ends.
class TFileLock {
 public:
  explicit TFileLock(const QString& path)
      : descriptor_(
            ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (descriptor_ >= 0) ::flock(descriptor_, LOCK_EX);
  }
  ~TFileLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

 private:
  int descriptor_;
};

}  // namespace

TInstanceChannel::TInstanceChannel(QObject* parent) : QObject(parent) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* caller = server_.nextPendingConnection())
      Answer(caller);
  });
}

TInstanceChannel::~TInstanceChannel() {
  Close();
}

QString TInstanceChannel::SocketPath() {
  QString directory = qEnvironmentVariable("XDG_RUNTIME_DIR");
  // Without a runtime directory: the temporary one, with the user's number
  // in the name.
  QString user;
  if (directory.isEmpty()) {
    directory = QDir::tempPath();
    user = QString::number(::getuid()) + u'.';
  }
  QString display = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
  display.replace(u'/', u'_');
  return directory + QStringLiteral("/cmvelunor.") + user + display + QStringLiteral(".instance");
}

bool TInstanceChannel::ReachRunningInstance() {
  const QString path = SocketPath();
  const TFileLock lock(path + QStringLiteral(".lock"));
  running_.connectToServer(path);
  if (running_.waitForConnected(kConnectMilliseconds)) return true;
  // Nobody answers: what lies there was left by an instance that has ended.
  QLocalServer::removeServer(path);
  server_.listen(path);
  return false;
}

void TInstanceChannel::AskToComeForward(const QString& token) {
  running_.write(kComeForward + token.toUtf8() + '\n');
  running_.waitForBytesWritten(kWriteMilliseconds);
  running_.disconnectFromServer();
}

void TInstanceChannel::Answer(QLocalSocket* caller) {
  connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
  connect(caller, &QLocalSocket::readyRead, this, [this, caller] {
    while (caller->canReadLine()) {
      const QByteArray line = caller->readLine().trimmed();
      if (line.startsWith(kComeForward.trimmed())) {
        emit ComeForwardRequested(QString::fromUtf8(line.mid(kComeForward.size())));
      }
    }
  });
}

void TInstanceChannel::Close() {
  if (server_.isListening()) server_.close();
}

}  // namespace velunor
