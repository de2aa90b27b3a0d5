#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

class QWidget;

namespace velunor {

namespace platform {
class TWindowSystem;
}
class TInstanceChannel;

// The exit status, and the one line said, when no graphical desktop can be
// reached.
inline constexpr int kExitNoDesktop = 1;
inline constexpr const char* kNoDesktopMessage = QT_TRANSLATE_NOOP(
    "velunor::Application",
    "cmvelunor braucht eine grafische Oberfläche, hier ist keine erreichbar; "
    "ohne sie ver- und entschlüsselt das Befehlszeilenprogramm velunor (velunor --help).\n");

// The one line said, with kExitNoDesktop, when the desktop is a Wayland
// one only and the toolkit's platform for it is not installed.
inline constexpr const char* kNoWaylandPlatformMessage = QT_TRANSLATE_NOOP(
    "velunor::Application",
    "cmvelunor braucht auf dieser Wayland-Oberfläche das Paket qt6-wayland, es ist nicht "
    "installiert; ohne es ver- und entschlüsselt das Befehlszeilenprogramm velunor "
    "(velunor --help).\n");

// The application's error box: the message (ErrorBoxText) under the caption
// "CMVelunor" with the error icon and a single OK button.
void ShowErrorBox(QWidget* parent, const QString& message);

// Runs a window handler. An exception leaving it ends the handler and is
// shown in the error box (FailureText); the window keeps the state the
// handler left.
void RunHandler(QWidget* parent, const std::function<void()>& handler);

// Lets pending window events be handled (painting, window system
// notices) before the caller goes on. User input stays queued, so that a
// handler is never entered a second time from within itself.
void ProcessPendingMessage();

// The start-up check for a running instance. When another instance runs,
// tells the user "Das Programm <name> läuft bereits.", restores or raises
// its main window and returns true: the program must then end with
// kExitAlreadyRunning. On X11 the running instance is its main window,
// found by class name; on Wayland, where no program sees another's
// windows, it answers on `channel`, which otherwise starts listening for
// the instances to come.
bool CheckSingleInstance(platform::TWindowSystem& windowSystem, const QString& programFileName,
                         TInstanceChannel* channel = nullptr);

// Brings the program's own window forward at another start's request, as
// far as the desktop lets a program do so: restored, raised and activated
// (on Wayland through the activation protocol, with the token of that
// start when it had one), else marked as asking for attention.
void BringWindowForward(QWidget& window, const QString& activationToken);

}  // namespace velunor
