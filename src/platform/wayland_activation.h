#pragma once

#include <optional>
#include <string>

namespace velunor::platform {

// An activation token of the Wayland display named by WAYLAND_DISPLAY
// (xdg-activation-v1), asked for over a connection of its own for the
// application `appId`, without a seat's input event: a compositor that
// honours it brings a window forward, or marks it as asking for attention
// when its rules want the user's own input first. A program hands such a
// token to the toolkit to activate one of its windows, as a launcher's
// token is handed. None when the display cannot be reached or does not
// offer the protocol.
std::optional<std::string> RequestActivationToken(const std::string& appId);

}  // namespace velunor::platform
