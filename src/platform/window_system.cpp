#include "platform/window_system.h"

#ifdef _WIN32
#include "platform/win32_window_system.h"
#else
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/x11_window_system.h"
#endif

namespace velunor::platform {

namespace {

#ifndef _WIN32
std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Whether a Unix socket at `path` accepts a connection.
bool SocketAccepts(const std::string& path) {
  sockaddr_un address{};
  if (path.empty() || path.size() >= sizeof(address.sun_path)) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) return false;
  const bool accepted =
      ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  ::close(socket);
  return accepted;
}
#endif

bool RequestedPlatformIs(const std::string& requested, std::string_view name) {
  return requested.compare(0, name.size(), name) == 0;
}

}  // namespace

std::unique_ptr<TWindowSystem> CreateWindowSystem() {
#ifdef _WIN32
  return std::make_unique<TWin32WindowSystem>();
#else
  if (auto x11 = TX11WindowSystem::Open()) return x11;
  return std::make_unique<TNoWindowSystem>();
#endif
}

bool X11DisplayReachable() {
#ifdef _WIN32
  return false;
#else
  return !Environment("DISPLAY").empty() && TX11WindowSystem::Open() != nullptr;
#endif
}

bool WaylandDisplayReachable() {
#ifdef _WIN32
  return false;
#else
  const std::string name = Environment("WAYLAND_DISPLAY");
  if (name.empty()) return false;
  if (name.front() == '/') return SocketAccepts(name);
  const std::string runtimeDirectory = Environment("XDG_RUNTIME_DIR");
  return !runtimeDirectory.empty() && SocketAccepts(runtimeDirectory + "/" + name);
#endif
}

TStartPlatform ChooseStartPlatform(const TDesktopOffer& offer) {
  const bool asksForX11 = RequestedPlatformIs(offer.requested, "xcb");
  const bool asksForWayland = RequestedPlatformIs(offer.requested, "wayland");
  if (!offer.requested.empty() && !asksForX11 && !asksForWayland) {
    return TStartPlatform::kRequested;
  }
  if (offer.x11 && !asksForWayland) return TStartPlatform::kX11;
  if (offer.wayland && !asksForX11) {
    return offer.waylandPlatform ? TStartPlatform::kWayland : TStartPlatform::kNoWaylandPlatform;
  }
  return TStartPlatform::kNoDesktop;
}

}  // namespace velunor::platform
