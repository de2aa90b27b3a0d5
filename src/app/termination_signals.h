#pragma once

namespace velunor {

// Ends the event loop normally when the program receives SIGTERM, SIGINT or
// SIGHUP (a session ending, a kill, Ctrl+C in the terminal), so that the
// windows are destroyed as on a normal end and cheat sheets save their text.
// Call once, after the application object exists.
void QuitEventLoopOnTerminationSignals();

}  // namespace velunor
