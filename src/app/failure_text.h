#pragma once

#include <QString>
#include <exception>

class QWidget;

namespace velunor {

// The words of the encrypter core in the windows' language. The core words
// its failures in the windows' source language and carries their parts;
// the parts are worded here, where a translation is loaded.

// A failure as the error box shows it: characters code page 1252 lacks (in
// the keyword, the text or a cheat sheet), a kept cheat-sheet text too long
// to show, a result not saved into the hand-off file; any other message as
// WindowMessage gives it.
QString FailureText(const std::exception& failure);

// At start: tells the user when the text of a cheat sheet was kept beside
// its file because it could not be saved at the last end. The next cheat
// sheet shows that text.
void ReportKeptText(QWidget* parent);

}  // namespace velunor
