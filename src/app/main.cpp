// cmvelunor: the encrypter window.
#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "app/application.h"
#include "app/clipboard_keeper.h"
#include "app/form_velunor.h"
#include "app/termination_signals.h"
#include "app/window_language.h"
#include "cipher/cipher_registry.h"
#include "hash/hash_registry.h"
#include "platform/window_system.h"
#include "protection/framework.h"
#include "widgets/caption_bar.h"
#include "widgets/glyphs.h"

int main(int argc, char** argv) {
  using namespace velunor;

  // Finding the running instance and serving the clipboard go through X11;
  // under XWayland too, Qt is to use it rather than Wayland. Without any
  // desktop Qt would abort; the user learns instead what works there.
  switch (platform::ReachableDesktop()) {
    case platform::TDesktop::kX11:
      qputenv("QT_QPA_PLATFORM", "xcb");
      break;
    case platform::TDesktop::kNone:
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs(TextBeforeStart("velunor::Application", kNoDesktopMessage).c_str(), stderr);
        return kExitNoDesktop;
      }
      break;
    case platform::TDesktop::kOther:
      break;
  }

  // The coding framework and its registries fill before anything else.
  StartFramework();
  HashRegistry();
  CipherRegistry();

  QApplication application(argc, argv);
  LoadWindowTranslation();
  QuitEventLoopOnTerminationSignals();
  const auto windowSystem = platform::CreateWindowSystem();
  const QString programFileName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  if (CheckSingleInstance(*windowSystem, programFileName)) return kExitAlreadyRunning;

  // Dragged by their caption bars, the windows are moved by the window
  // manager, which needs the pointer to itself.
  TCaptionBar::SetWindowManagerMove([&windowSystem](QWindow& window, QPoint screenPosition) {
    if (!windowSystem->WindowManagerMovesWindows()) return false;
    window.setMouseGrabEnabled(false);
    return windowSystem->StartWindowMove(window.winId(), screenPosition.x(), screenPosition.y());
  });

  QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
  QGuiApplication::setWindowIcon(ApplicationIcon());

  QPointer<TFormVelunor> form = new TFormVelunor(*windowSystem);
  // The mail client names its hand-off file as the first argument (the
  // toolkit has taken its own options out of the list by now).
  form->SetHandOffFile(argc > 1 ? argv[1] : "");
  TClipboardKeeper keeper(*windowSystem, *form);
  QObject::connect(form, &TFormVelunor::QuitRequested, &keeper, &TClipboardKeeper::EndProgram);
  QObject::connect(form, &TFormVelunor::Closed, &application, [] { QCoreApplication::exit(0); });
  form->show();
  // Once the window is up: a cheat-sheet text kept at the last end.
  QTimer::singleShot(0, form, [form] { TFormSpicker::ReportKeptText(form); });

  const int status = QApplication::exec();
  delete form.data();
  return status;
}
