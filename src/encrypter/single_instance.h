#pragma once

namespace velunor::encrypter {

// A running instance of the program, as the start-up's check sees it; the
// front end finds it on its desktop (on Windows and X11 the top-level
// window of class kMainWindowClassName).
class TRunningInstance {
 public:
  virtual ~TRunningInstance() = default;

  // Whether another instance runs (the one found is remembered).
  virtual bool Find() = 0;
  // "Das Programm <file name> läuft bereits.": a notice without owner
  // window, caption "Information", the information icon, one OK button.
  virtual void ShowAlreadyRunningNotice() = 0;
  // Restores the running instance's window if it is minimised, else brings
  // it to the top.
  virtual void BringForward() = 0;
  // Lets a pending window message be handled.
  virtual void ProcessPendingMessage() = 0;
};

// The start-up's single-instance check: when another instance runs, the
// user is told, its window comes forward, and the result is true: the
// program then ends at once with kExitAlreadyRunning, without a window of
// its own.
bool AnotherInstanceRuns(TRunningInstance& running);

}  // namespace velunor::encrypter
