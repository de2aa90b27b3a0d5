#include "app/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <exception>

#include "app/failure_text.h"
#include "app/instance_channel.h"
#include "encrypter/program.h"
#include "encrypter/single_instance.h"
#include "platform/wayland_activation.h"
#include "platform/window_system.h"
#include "widgets/message_box.h"

namespace velunor {

void ShowErrorBox(QWidget* parent, const QString& message) {
  TMessageBox box(QMessageBox::Critical, QString::fromLatin1(encrypter::kApplicationTitle),
                  QString::fromStdString(encrypter::ErrorBoxText(message.toStdString())),
                  QMessageBox::Ok, parent);
  box.exec();
}

void RunHandler(QWidget* parent, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowErrorBox(parent, FailureText(error));
  }
}

void ProcessPendingMessage() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

namespace {

void ShowAlreadyRunningNotice(const QString& programFileName) {
  TMessageBox box(
      QMessageBox::Information, QCoreApplication::translate("velunor::Application", "Information"),
      QCoreApplication::translate("velunor::Application", "Das Programm %1 läuft bereits.")
          .arg(programFileName),
      QMessageBox::Ok);
  // The running instance's window stays on top; the notice must not hide behind it.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

// The running instance's main window, found by class name.
class TRunningWindow final : public encrypter::TRunningInstance {
 public:
  TRunningWindow(platform::TWindowSystem& windowSystem, const QString& programFileName)
      : windowSystem_(windowSystem), programFileName_(programFileName) {}

  bool Find() override {
    window_ = windowSystem_.FindTopLevelWindow(encrypter::kMainWindowClassName);
    return window_ != 0;
  }
  void ShowAlreadyRunningNotice() override { velunor::ShowAlreadyRunningNotice(programFileName_); }
  void BringForward() override { windowSystem_.RestoreOrRaise(window_); }
  void ProcessPendingMessage() override { velunor::ProcessPendingMessage(); }

 private:
  platform::TWindowSystem& windowSystem_;
  const QString& programFileName_;
  platform::TWindowHandle window_ = 0;
};

// The running instance that answers on the local channel (Wayland).
class TRunningPeer final : public encrypter::TRunningInstance {
 public:
  TRunningPeer(TInstanceChannel& channel, const QString& programFileName)
      : channel_(channel), programFileName_(programFileName) {}

  bool Find() override { return channel_.ReachRunningInstance(); }
  void ShowAlreadyRunningNotice() override { velunor::ShowAlreadyRunningNotice(programFileName_); }
  void BringForward() override {
    // The token a launcher gave this start lets the running one take the focus.
    channel_.AskToComeForward(qEnvironmentVariable("XDG_ACTIVATION_TOKEN"));
  }
  // The running instance comes forward in its own process: nothing is pending here.
  void ProcessPendingMessage() override {}

 private:
  TInstanceChannel& channel_;
  const QString& programFileName_;
};

}  // namespace

bool CheckSingleInstance(platform::TWindowSystem& windowSystem, const QString& programFileName,
                         TInstanceChannel* channel) {
  if (channel != nullptr) {
    TRunningPeer peer(*channel, programFileName);
    return encrypter::AnotherInstanceRuns(peer);
  }
  TRunningWindow window(windowSystem, programFileName);
  return encrypter::AnotherInstanceRuns(window);
}

void BringWindowForward(QWidget& window, const QString& activationToken) {
  // The toolkit activates a Wayland window with the token it finds here.
  // Without a launcher's token, one of the program's own asks the
  // compositor, which decides by its rules: activation, or attention.
  QByteArray token = activationToken.toUtf8();
  if (token.isEmpty()) {
    const std::string appId = QGuiApplication::desktopFileName().toStdString();
    token = QByteArray::fromStdString(platform::RequestActivationToken(appId).value_or(""));
  }
  if (!token.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", token);
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.raise();
  window.activateWindow();
  QApplication::alert(&window);
}

}  // namespace velunor
