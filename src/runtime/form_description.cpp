#include "runtime/form_description.h"

namespace velunor {

void ReadFormDescription(TComponent& form, const TFormDescription& description) {
  const TStoredValueReader reader(form);
  for (const TComponentDescription& entry : description) {
    TComponent* component = reader.ResolveComponent(entry.name);
    if (component == nullptr) continue;
    for (const TStoredValue& value : entry.values)
      component->ReadStoredValue(value, reader);
  }
}

namespace {

void Describe(const TComponent& component, TFormDescription& description) {
  TComponentDescription entry{component.Name(), {}};
  component.WriteStoredValues(entry.values);
  if (!entry.values.empty()) description.push_back(std::move(entry));
}

}  // namespace

TFormDescription WriteFormDescription(const TComponent& form) {
  TFormDescription description;
  Describe(form, description);
  for (const TComponent* component : form.Components())
    Describe(*component, description);
  return description;
}

}  // namespace velunor
