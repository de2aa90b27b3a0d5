#include "app/application.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <exception>

#include "platform/window_system.h"
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
  QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle),
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
  QMessageBox box(
      QMessageBox::Information, QCoreApplication::translate("velunor::Application", "Information"),
      QCoreApplication::translate("velunor::Application", "Das Programm %1 läuft bereits.")
          .arg(programFileName),
      QMessageBox::Ok);
  // The running instance's window stays on top; the notice must not hide behind it.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

}  // namespace

bool CheckSingleInstance(platform::TWindowSystem& windowSystem, const QString& programFileName) {
  const platform::TWindowHandle running = windowSystem.FindTopLevelWindow(kMainWindowClassName);
  if (running == 0) return false;
  ShowAlreadyRunningNotice(programFileName);
  windowSystem.RestoreOrRaise(running);
  ProcessPendingMessage();
  return true;
}

}  // namespace velunor
