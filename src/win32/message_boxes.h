#pragma once

#include "win32/windows_api.h"

#include <exception>
#include <functional>
#include <string>

namespace velunor::win32 {

// The program's message boxes, in the windows' language (UiText).

// A failure as the error box shows it: characters code page 1252 lacks, a
// kept cheat-sheet text too long to show, a result not saved into the
// hand-off file, a message of the coding library or the file layer.
std::wstring FailureText(const std::exception& failure);

// The application's error box: caption "CMVelunor", the message with "."
// appended where ErrorBoxText says so, the error icon and one OK button.
void ShowErrorBox(HWND owner, const std::wstring& message);

// Runs a window handler; a failure it raises ends it there and is shown in
// the error box owned by `owner`.
void RunHandler(HWND owner, const std::function<void()>& handler);

// "Das Programm <file name> läuft bereits.", caption "Information": a notice
// without owner window that stays above the running instance's window.
void ShowAlreadyRunningNotice(const std::wstring& programFileName);

// "Vermutlich falsches Schlüsselwort!": the mail-client mode's warning,
// owned by the main window.
void ShowWrongKeywordWarning(HWND owner);

}  // namespace velunor::win32
