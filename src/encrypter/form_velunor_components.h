#pragma once

#include "managers/cipher_manager.h"
#include "managers/hash_manager.h"
#include "runtime/component.h"
#include "runtime/form_description.h"

namespace velunor::encrypter {

// The encrypter window as an owner of components: its two managers, set up
// from the window's stored description when it is created. The window's own
// stored values (its caption bar's) go to and come from `formValues`.
class TFormVelunorComponents : public TComponent {
 public:
  explicit TFormVelunorComponents(TComponent& formValues);

  // The stored values: the caption bar's gradient stops at the tooltip
  // colour with the system's caption font; hash class RipeMD-256; the cipher
  // manager in mode cmCTS with HashManager1 and the stored cipher class
  // "TCipher_Rijndael".
  static const TFormDescription& StoredDescription();

  void WriteStoredValues(std::vector<TStoredValue>& values) const override;
  void ReadStoredValue(const TStoredValue& value, const TStoredValueReader& reader) override;

  THashManager& HashManager1;
  TCipherManager& CipherManager1;

 private:
  TComponent& formValues_;
};

}  // namespace velunor::encrypter
