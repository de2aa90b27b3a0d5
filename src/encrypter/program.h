#pragma once

#include <string>
#include <string_view>

namespace velunor::encrypter {

// The names and numbers by which the program cmvelunor meets the desktop
// and other programs, the same for every front end.

// The program's title: its task-bar entry and the caption of its error boxes.
inline constexpr const char* kApplicationTitle = "CMVelunor";

// The class name under which other programs find the main window; a second
// start finds the first by it and ends with kExitAlreadyRunning.
inline constexpr const char* kMainWindowClassName = "TFormVelunor";
inline constexpr int kExitAlreadyRunning = 42;
// The class of the windows of the filter and the external editor
// (TFilterSession): not the single instance, so a mail program may start
// one while the window runs, and the window may start while one is open.
inline constexpr const char* kFilterWindowClassName = "TFormVelunorFilter";

// The mail client's main window: both the class and the text must match.
inline constexpr const char* kMailClientClassName = "TMainForm";
inline constexpr const char* kMailClientWindowText = "Corvane Mail";

// A message as the error box shows it: with "." appended unless it is empty
// or ends in a character whose code is at or below that of "." (such as
// ".", "!" or a blank). UTF-8.
std::string ErrorBoxText(std::string_view message);

}  // namespace velunor::encrypter
