#include "app/clipboard_keeper.h"

#include <QApplication>
#include <QClipboard>
#include <QWidget>

#include "platform/window_system.h"

namespace velunor {

namespace {

constexpr int kOwnerCheckMilliseconds = 1000;

}  // namespace

TClipboardKeeper::TClipboardKeeper(platform::TWindowSystem& windowSystem, QWidget& mainWindow)
    : windowSystem_(windowSystem), mainWindow_(&mainWindow) {}

void TClipboardKeeper::EndProgram() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  // With a clipboard manager the toolkit hands the content over as the program ends.
  if (!clipboard->ownsClipboard() || windowSystem_.ClipboardOutlivesProgram()) {
    QCoreApplication::exit(0);
    return;
  }
  keeping_ = true;
  QGuiApplication::setQuitOnLastWindowClosed(false);
  for (QWidget* window : QApplication::topLevelWidgets())
    window->hide();
  // Gone, not just hidden: a new start of the program must not find it.
  if (mainWindow_) mainWindow_->deleteLater();
  connect(clipboard, &QClipboard::changed, this, &TClipboardKeeper::EndWhenClipboardTaken);
  connect(&ownerCheck_, &QTimer::timeout, this, &TClipboardKeeper::EndWhenClipboardTaken);
  ownerCheck_.start(kOwnerCheckMilliseconds);
}

void TClipboardKeeper::EndWhenClipboardTaken() {
  if (QGuiApplication::clipboard()->ownsClipboard()) return;
  ownerCheck_.stop();
  QCoreApplication::exit(0);
}

}  // namespace velunor
