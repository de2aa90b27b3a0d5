#include "app/clipboard_keeper.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QWidget>

#include "platform/window_system.h"
#include "widgets/rich_text_box.h"

namespace velunor {

namespace {

constexpr int kOwnerCheckMilliseconds = 1000;

}  // namespace

TClipboardKeeper::TClipboardKeeper(platform::TWindowSystem& windowSystem, QWidget& mainWindow)
    : windowSystem_(windowSystem), mainWindow_(&mainWindow) {
  connect(qApp, &QCoreApplication::aboutToQuit, this, &TClipboardKeeper::WithdrawSecret);
}

bool TClipboardKeeper::OwnsSecret() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* content = clipboard->mimeData();
  return clipboard->ownsClipboard() && content != nullptr && IsMarkedSensitive(*content);
}

void TClipboardKeeper::WithdrawSecret() {
  // The toolkit would hand it to the clipboard manager on the way out.
  if (OwnsSecret() && windowSystem_.ClipboardManagerTakesOver()) {
    QGuiApplication::clipboard()->clear();
  }
}

void TClipboardKeeper::EndProgram() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  // With a clipboard manager the toolkit hands the content over as the
  // program ends, and the manager may save it on disk: a secret is served
  // by the program instead.
  const bool handedOver = windowSystem_.ClipboardManagerTakesOver();
  if (!clipboard->ownsClipboard() ||
      (windowSystem_.ClipboardOutlivesProgram() && !(handedOver && OwnsSecret()))) {
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
