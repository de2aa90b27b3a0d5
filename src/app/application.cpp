#include "app/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <exception>

#include "app/instance_channel.h"
#include "platform/wayland_activation.h"
#include "platform/window_system.h"
#include "widgets/message_box.h"
#include "widgets/window_messages.h"

namespace velunor {

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  // UTF-8 continuation bytes lie above "." as the characters they end do.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

void ShowErrorBox(QWidget* parent, const std::string& message) {
  const std::string text = WindowMessage(message).toStdString();
  TMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle),
                  QString::fromUtf8(ErrorBoxText(text)), QMessageBox::Ok, parent);
  box.exec();
}

void RunHandler(QWidget* parent, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowErrorBox(parent, error.what());
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
  const platform::TWindowHandle running = windowSystem.FindTopLevelWindow(kMainWindowClassName);
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
