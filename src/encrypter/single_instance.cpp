#include "encrypter/single_instance.h"

namespace velunor::encrypter {

bool AnotherInstanceRuns(TRunningInstance& running) {
  if (!running.Find()) return false;
  running.ShowAlreadyRunningNotice();
  running.BringForward();
  running.ProcessPendingMessage();
  return true;
}

}  // namespace velunor::encrypter
