#pragma once

#include <string>

#ifndef _WIN32
#include <csignal>
#endif

namespace velunor {

// The signals that end a program while it writes a file (SIGINT, SIGTERM,
// SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ), and the named temporary files that
// must not outlive it: a partial result left beside its target would be
// stale at best and, for a decrypted text, a secret on the disk.
//
// A program that wants its temporary files removed at such a signal calls
// RemoveTemporaryFilesOnEndingSignals once at its start; without that call
// the signals keep their actions and the registrations below cost nothing.
// On Windows there are none of these signals, and all of this does nothing.

// Catches the ending signals that the program does not ignore. The handler
// removes every registered file and then ends the program by the same
// signal with its default action, as if it had never been caught.
void RemoveTemporaryFilesOnEndingSignals();

// Holds the ending signals back from construction to destruction, so that a
// file is created and registered, or renamed and unregistered, as one step.
class TEndingSignalsHeld {
 public:
  TEndingSignalsHeld();
  ~TEndingSignalsHeld();
  TEndingSignalsHeld(const TEndingSignalsHeld&) = delete;
  TEndingSignalsHeld& operator=(const TEndingSignalsHeld&) = delete;

 private:
#ifndef _WIN32
  sigset_t previous_{};
#endif
};

// Registers a file for removal at an ending signal while it lives. A few
// files can be registered at once; a path beyond PATH_MAX, or one more
// file than that, is not protected.
class TRemovalAtEndingSignal {
 public:
  explicit TRemovalAtEndingSignal(const std::string& path);
  ~TRemovalAtEndingSignal();
  TRemovalAtEndingSignal(const TRemovalAtEndingSignal&) = delete;
  TRemovalAtEndingSignal& operator=(const TRemovalAtEndingSignal&) = delete;

 private:
  int slot_ = -1;
};

}  // namespace velunor
