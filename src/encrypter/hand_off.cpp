#include "encrypter/hand_off.h"

namespace velunor::encrypter {

void HandOffResult(THandOffSteps& steps) {
  if (steps.FindMailClient()) {
    if (steps.HandOffFileExists()) steps.SaveResult();
    if (steps.NotifyMailClient()) return;
  }
  steps.CopyResultToClipboard();
}

}  // namespace velunor::encrypter
