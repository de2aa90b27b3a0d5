#pragma once

#include <optional>

namespace velunor {

// Chooses the toolkit's platform for the desktop the program starts on
// (see platform::ChooseStartPlatform) and sets it for the application
// object to come. Where no platform can start, says why in one line on
// standard error and returns the exit status: the toolkit would abort.
std::optional<int> ChooseToolkitPlatform();

}  // namespace velunor
