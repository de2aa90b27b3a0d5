#include "app/clipboard_keeper.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QWidget>

#include "app/instance_channel.h"
#include "platform/window_system.h"
#include "widgets/rich_text_box.h"

namespace velunor {

namespace {

constexpr int kOwnerCheckMilliseconds = 1000;
constexpr int kHandOverCheckMilliseconds = 50;

std::unique_ptr<QMimeData> CopyOf(const QMimeData& content) {
  auto copy = std::make_unique<QMimeData>();
  for (const QString& format : content.formats())
    copy->setData(format, content.data(format));
  return copy;
}

}  // namespace

TClipboardKeeper::TClipboardKeeper(platform::TWindowSystem& windowSystem, QWidget& mainWindow,
                                   TInstanceChannel* instanceChannel)
    : windowSystem_(windowSystem), mainWindow_(&mainWindow), instanceChannel_(instanceChannel) {
  connect(qApp, &QCoreApplication::aboutToQuit, this, &TClipboardKeeper::WithdrawSecret);
}

TClipboardKeeper::~TClipboardKeeper() = default;

bool TClipboardKeeper::OwnsSecret() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* content = clipboard->mimeData();
  return clipboard->ownsClipboard() && content != nullptr && IsMarkedSensitive(*content);
}

void TClipboardKeeper::WithdrawSecret() {
  // The toolkit would hand it to the clipboard manager on the way out.
  if (OwnsSecret()) QGuiApplication::clipboard()->clear();
}

void TClipboardKeeper::EndProgram() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard->ownsClipboard()) {
    QCoreApplication::exit(0);
    return;
  }
  const bool secret = OwnsSecret();
  const bool handOver = !secret && windowSystem_.ClipboardManagerTakesOver();
  if (!handOver && !secret && windowSystem_.ClipboardOutlivesProgram()) {
    QCoreApplication::exit(0);
    return;
  }
  served_ = CopyOf(*clipboard->mimeData());
  HideProgram();
  handingOver_ =
      handOver && windowSystem_.StartClipboardHandOver(clipboard->text().toUtf8().toStdString());
  connect(clipboard, &QClipboard::changed, this, &TClipboardKeeper::EndWhenClipboardTaken);
  connect(&ownerCheck_, &QTimer::timeout, this, &TClipboardKeeper::Check);
  ownerCheck_.start(handingOver_ ? kHandOverCheckMilliseconds : kOwnerCheckMilliseconds);
}

void TClipboardKeeper::HideProgram() {
  keeping_ = true;
  QGuiApplication::setQuitOnLastWindowClosed(false);
  for (QWidget* window : QApplication::topLevelWidgets())
    window->hide();
  // Gone, not just hidden: a new start of the program must not find it.
  if (mainWindow_) mainWindow_->deleteLater();
  if (instanceChannel_) instanceChannel_->Close();
}

void TClipboardKeeper::Check() {
  if (handingOver_) {
    const auto state = windowSystem_.ClipboardHandOverState();
    if (state == platform::THandOver::kPending) return;
    handingOver_ = false;
    ownerCheck_.start(kOwnerCheckMilliseconds);
    // A manager that took the clipboard without keeping its text has
    // lost it: the program serves it again.
    if (state == platform::THandOver::kRefused && !QGuiApplication::clipboard()->ownsClipboard()) {
      QGuiApplication::clipboard()->setMimeData(CopyOf(*served_).release());
      return;
    }
  }
  EndWhenClipboardTaken();
}

void TClipboardKeeper::EndWhenClipboardTaken() {
  // While the manager takes the clipboard over, it is checked first.
  if (handingOver_) return;
  if (QGuiApplication::clipboard()->ownsClipboard() && windowSystem_.ClipboardHasOwner()) return;
  ownerCheck_.stop();
  QCoreApplication::exit(0);
}

}  // namespace velunor
