#pragma once

#include "cipher/cipher_manager.h"
#include "cipher/hash_manager.h"
#include "protection/component.h"
#include "protection/form_description.h"

namespace velunor {

// The encrypter window as an owner of components: its two managers, set up
// from the window's stored description when it is created.
class TFormVelunorComponents : public TComponent {
 public:
  TFormVelunorComponents();

  // The stored values: hash class RipeMD-256; the cipher manager in mode
  // cmCTS with HashManager1 and the stored cipher class "TCipher_Rijndael".
  static const TFormDescription& StoredDescription();

  THashManager& HashManager1;
  TCipherManager& CipherManager1;
};

}  // namespace velunor
