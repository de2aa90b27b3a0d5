// cmvelunor: the encrypter window.
#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/clipboard_keeper.h"
#include "app/failure_text.h"
#include "app/form_velunor.h"
#include "app/instance_channel.h"
#include "app/start_platform.h"
#include "app/termination_signals.h"
#include "app/wayland_window_system.h"
#include "app/window_language.h"
#include "app/window_modes.h"
#include "cipher/cipher_registry.h"
#include "encrypter/program.h"
#include "encrypter/window_launch.h"
#include "hash/hash_registry.h"
#include "platform/window_system.h"
#include "protection/framework.h"
#include "widgets/caption_bar.h"
#include "widgets/glyphs.h"
#include "widgets/message_box.h"

int main(int argc, char** argv) {
  using namespace velunor;

  // Without a platform that can start, Qt would abort; the user learns
  // instead what works there.
  if (const auto status = ChooseToolkitPlatform()) return *status;

  // The coding framework and its registries fill before anything else.
  StartFramework();
  HashRegistry();
  CipherRegistry();

  QApplication application(argc, argv);
  // The Wayland application id: the desktop entry's name.
  QGuiApplication::setDesktopFileName(QStringLiteral("cmvelunor"));
  LoadWindowTranslation();
  QuitEventLoopOnTerminationSignals();
  std::unique_ptr<platform::TWindowSystem> windowSystem = platform::CreateWindowSystem();
  // The arguments once the toolkit has taken its own options out of them.
  const encrypter::TWindowLaunch launch =
      encrypter::ParseWindowArguments(std::vector<std::string>(argv + 1, argv + argc));
  const bool singleInstance = launch.mode == encrypter::TWindowMode::kWindow;
  std::optional<TInstanceChannel> instanceChannel;
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    windowSystem = std::make_unique<TWaylandWindowSystem>(std::move(windowSystem));
    if (singleInstance) instanceChannel.emplace();
  }
  // Message boxes place themselves, frame and all, over their window.
  TMessageBox::SetWindowManagerView(
      {[&windowSystem](QWindow& window) -> std::optional<QRect> {
         const auto outer = windowSystem->OuterRect(window.winId());
         if (!outer) return std::nullopt;
         return QRect(outer->x, outer->y, outer->width, outer->height);
       },
       [&windowSystem](QWindow& window) -> std::optional<QMargins> {
         const auto frame = windowSystem->FrameToBe(window.winId());
         if (!frame) return std::nullopt;
         return QMargins(frame->left, frame->top, frame->right, frame->bottom);
       }});
  const QString programFileName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  if (singleInstance && CheckSingleInstance(*windowSystem, programFileName,
                                            instanceChannel ? &*instanceChannel : nullptr)) {
    return encrypter::kExitAlreadyRunning;
  }

  // Dragged by their caption bars, the windows are moved by the window
  // manager, which needs the pointer to itself; the toolkit asks the
  // compositor of a Wayland desktop.
  TCaptionBar::SetWindowManagerMove([&windowSystem](QWindow& window, QPoint screenPosition) {
    if (!windowSystem->WindowManagerMovesWindows()) return window.startSystemMove();
    window.setMouseGrabEnabled(false);
    return windowSystem->StartWindowMove(window.winId(), screenPosition.x(), screenPosition.y());
  });

  QCoreApplication::setApplicationName(QString::fromLatin1(encrypter::kApplicationTitle));
  QGuiApplication::setWindowIcon(ApplicationIcon());

  // The filter, the editor and the keyword dialog: not the single instance.
  if (const auto status = RunWindowMode(launch, *windowSystem)) return *status;

  QPointer<TFormVelunor> form = new TFormVelunor(*windowSystem);
  // The mail client names its hand-off file as the first argument.
  form->SetHandOffFile(launch.file);
  TClipboardKeeper keeper(*windowSystem, *form, instanceChannel ? &*instanceChannel : nullptr);
  QObject::connect(form, &TFormVelunor::QuitRequested, &keeper, &TClipboardKeeper::EndProgram);
  QObject::connect(form, &TFormVelunor::Closed, &application, [] { QCoreApplication::exit(0); });
  if (instanceChannel) {
    QObject::connect(&*instanceChannel, &TInstanceChannel::ComeForwardRequested, form,
                     [form](const QString& token) { BringWindowForward(*form, token); });
  }
  form->show();
  // Once the window is up: a cheat-sheet text kept at the last end.
  QTimer::singleShot(0, form, [form] { ReportKeptText(form); });

  const int status = QApplication::exec();
  delete form.data();
  return status;
}
