#pragma once

#include <string>
#include <vector>

#include "runtime/component.h"

namespace velunor {

// The stored values of one component of a form.
struct TComponentDescription {
  std::string name;
  std::vector<TStoredValue> values;
};

// The stored description of a form: the form's own values (under the form's
// name) and those of its components, read when the form is created.
using TFormDescription = std::vector<TComponentDescription>;

// Hands every stored value to its component, in order. Descriptions of
// components the form does not have are ignored.
void ReadFormDescription(TComponent& form, const TFormDescription& description);

// The form's and its components' values, for writing the description back.
TFormDescription WriteFormDescription(const TComponent& form);

}  // namespace velunor
