#include "app/form_velunor_components.h"

namespace velunor {

TFormVelunorComponents::TFormVelunorComponents()
    : TComponent(nullptr, "FormVelunor"),
      // Owned by the form, which destroys them with itself.
      HashManager1(*new THashManager(this, "HashManager1")),
      CipherManager1(*new TCipherManager(this, "CipherManager1")) {
  ReadFormDescription(*this, StoredDescription());
}

const TFormDescription& TFormVelunorComponents::StoredDescription() {
  // No cipher class of that name is registered: the cipher manager keeps
  // no selection and works with its fallback, Blowfish.
  static const TFormDescription description = {
      {"HashManager1", {{"Hash", "THash_RipeMD256"}}},
      {"CipherManager1",
       {{"Mode", "cmCTS"}, {"HashManager", "HashManager1"}, {"Cipher", "TCipher_Rijndael"}}},
  };
  return description;
}

}  // namespace velunor
