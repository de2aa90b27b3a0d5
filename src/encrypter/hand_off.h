#pragma once

namespace velunor::encrypter {

// What "&OK" does with the result in mail-client mode, in this order: the
// result is written into the hand-off file and only then is the mail
// client told; should the mail client be gone, or not be reached, the
// result goes to the clipboard instead of being lost. The window supplies
// the steps.
class THandOffSteps {
 public:
  virtual ~THandOffSteps() = default;

  // Looks for the mail client's window again; false when it has gone.
  virtual bool FindMailClient() = 0;
  // Whether the program's first argument names an existing file.
  virtual bool HandOffFileExists() = 0;
  // Replaces the file's content with the result. A failure raises (after
  // keeping the result where the user finds it): the mail client is then
  // not told.
  virtual void SaveResult() = 0;
  // Posts the mail client the hand-off command; false when it did not reach it.
  virtual bool NotifyMailClient() = 0;
  virtual void CopyResultToClipboard() = 0;
};

// Runs the steps in their order.
void HandOffResult(THandOffSteps& steps);

}  // namespace velunor::encrypter
