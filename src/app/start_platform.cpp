#include "app/start_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "app/application.h"
#include "app/window_language.h"
#include "platform/window_system.h"

namespace velunor {

namespace {

// Whether the toolkit finds its Wayland platform plugin (package
// qt6-wayland) where it looks for plugins.
bool WaylandPlatformInstalled() {
  const QStringList plugins = {QStringLiteral("libqwayland-generic.so"),
                               QStringLiteral("libqwayland-egl.so")};
  for (const QString& path : QCoreApplication::libraryPaths()) {
    const QDir platforms(path + QStringLiteral("/platforms"));
    for (const QString& plugin : plugins) {
      if (platforms.exists(plugin)) return true;
    }
  }
  return false;
}

int SayWhyNot(const char* message) {
  std::fputs(TextBeforeStart("velunor::Application", message).c_str(), stderr);
  return kExitNoDesktop;
}

}  // namespace

std::optional<int> ChooseToolkitPlatform() {
  platform::TDesktopOffer offer;
  offer.requested = qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
  offer.x11 = platform::X11DisplayReachable();
  offer.wayland = platform::WaylandDisplayReachable();
  offer.waylandPlatform = offer.wayland && WaylandPlatformInstalled();
  switch (platform::ChooseStartPlatform(offer)) {
    case platform::TStartPlatform::kX11:
      qputenv("QT_QPA_PLATFORM", "xcb");
      return std::nullopt;
    case platform::TStartPlatform::kWayland:
      // The name the user gave (wayland-egl) stays; "wayland" otherwise.
      if (offer.requested.empty()) qputenv("QT_QPA_PLATFORM", "wayland");
      return std::nullopt;
    case platform::TStartPlatform::kRequested:
      return std::nullopt;
    case platform::TStartPlatform::kNoWaylandPlatform:
      return SayWhyNot(kNoWaylandPlatformMessage);
    case platform::TStartPlatform::kNoDesktop:
      return SayWhyNot(kNoDesktopMessage);
  }
  return SayWhyNot(kNoDesktopMessage);
}

}  // namespace velunor
