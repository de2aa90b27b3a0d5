#include "encrypter/coding_profile.h"

namespace velunor::encrypter {

void SelectProfileAlgorithms(THashManager& hashManager, TCipherManager& cipherManager) {
  hashManager.SetAlgorithm(kHashAlgorithm);
  // Not a registered name: the manager stays on its fallback cipher.
  cipherManager.SetAlgorithm(kCipherAlgorithm);
}

void SetUpProfile(THashManager& hashManager, TCipherManager& cipherManager) {
  cipherManager.SetHashManager(&hashManager);
  cipherManager.SetMode(kCipherMode);
  SelectProfileAlgorithms(hashManager, cipherManager);
}

}  // namespace velunor::encrypter
