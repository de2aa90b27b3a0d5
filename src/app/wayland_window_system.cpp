#include "app/wayland_window_system.h"

#include <QGuiApplication>

namespace velunor {

bool TWaylandWindowSystem::IsKeyDown(platform::TKey key) {
  switch (key) {
    case platform::TKey::kControl:
      // The state the compositor last told the program's focused window.
      return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
  }
  return false;
}

}  // namespace velunor
