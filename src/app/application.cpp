#include "app/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <exception>

#include "app/failure_text.h"
#include "app/instance_channel.h"
#include "encrypter/program.h"
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

}  // namespace

bool CheckSingleInstance(platform::TWindowSystem& windowSystem, const QString& programFileName,
                         TInstanceChannel* channel) {
  if (channel != nullptr) {
    if (!channel->ReachRunningInstance()) return false;
    ShowAlreadyRunningNotice(programFileName);
    // The token a launcher gave this start lets the running one take the focus.
    channel->AskToComeForward(qEnvironmentVariable("XDG_ACTIVATION_TOKEN"));
    return true;
  }
  const platform::TWindowHandle running =
      windowSystem.FindTopLevelWindow(encrypter::kMainWindowClassName);
  if (running == 0) return false;
  ShowAlreadyRunningNotice(programFileName);
  windowSystem.RestoreOrRaise(running);
  ProcessPendingMessage();
  return true;
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
