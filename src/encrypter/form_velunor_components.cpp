#include "encrypter/form_velunor_components.h"

#include "encrypter/caption_description.h"
#include "encrypter/coding_profile.h"

namespace velunor::encrypter {

TFormVelunorComponents::TFormVelunorComponents(TComponent& formValues)
    : TComponent(nullptr, "FormVelunor"),
      // Owned by the form, which destroys them with itself.
      HashManager1(*new THashManager(this, "HashManager1")),
      CipherManager1(*new TCipherManager(this, "CipherManager1")),
      formValues_(formValues) {
  ReadFormDescription(*this, StoredDescription());
}

const TFormDescription& TFormVelunorComponents::StoredDescription() {
  // No cipher class of that name is registered: the cipher manager keeps
  // no selection and works with its fallback, Blowfish.
  static const TFormDescription description = {
      CaptionDescription("FormVelunor"),
      {"HashManager1", {{"Hash", kStoredHashClass}}},
      {"CipherManager1",
       {{"Mode", CipherModeName(kCipherMode)},
        {"HashManager", "HashManager1"},
        {"Cipher", kStoredCipherClass}}},
  };
  return description;
}

void TFormVelunorComponents::WriteStoredValues(std::vector<TStoredValue>& values) const {
  formValues_.WriteStoredValues(values);
}

void TFormVelunorComponents::ReadStoredValue(const TStoredValue& value,
                                             const TStoredValueReader& reader) {
  formValues_.ReadStoredValue(value, reader);
}

}  // namespace velunor::encrypter
