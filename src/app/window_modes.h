#pragma once

#include <optional>

#include "encrypter/window_launch.h"

namespace velunor {

namespace platform {
class TWindowSystem;
}

// Runs what the program's arguments ask for other than the encrypter
// window itself: the filter and the external editor (TFormVelunorFilter),
// the keyword dialog (TFormAskKeyword), the help, or the report of a fault
// in the arguments. Returns the exit status; none when the arguments ask
// for the window. None of these starts is the single instance, and none
// looks for it.
std::optional<int> RunWindowMode(const encrypter::TWindowLaunch& launch,
                                 platform::TWindowSystem& windowSystem);

}  // namespace velunor
