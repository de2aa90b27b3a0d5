#include "app/form_velunor_components.h"

namespace velunor {

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
      {"FormVelunor",
       {{"CaptionFont.Height", "-11"},
        {"CaptionFont.Name", "MS Sans Serif"},
        {"CaptionFont.Style", "[fsBold]"},
        {"UseSystemCaptionFont", "True"},
        {"GradientStopColor", "clInfoBk"}}},
      {"HashManager1", {{"Hash", "THash_RipeMD256"}}},
      {"CipherManager1",
       {{"Mode", "cmCTS"}, {"HashManager", "HashManager1"}, {"Cipher", "TCipher_Rijndael"}}},
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

}  // namespace velunor
