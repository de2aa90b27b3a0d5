#pragma once

#include <string>

#include "hash/hash.h"
#include "protection/protection.h"
#include "runtime/component.h"

namespace velunor {

// A component that holds one hash class, chosen by its registered name
// (Algorithm) and stored in the form description as "Hash". The cipher
// manager hands it to its cipher for the key set-up.
class THashManager : public TComponent {
 public:
  using TComponent::TComponent;

  // The held class; DefaultHashClass once read while none is held.
  const THashClass& HashClass();
  // Holds `cls`; none holds DefaultHashClass.
  void SetHashClass(const THashClass* cls);
  // Whether a class is held (reading HashClass always makes it so).
  bool HasHashClass() const { return hashClass_ != nullptr; }

  // The registered name of HashClass.
  std::string Algorithm();
  // Selects the class registered under `name`, DefaultHashClass when none is.
  void SetAlgorithm(const std::string& name);
  // The registry's description and the digest size, "Hash, 256bit Digestsize".
  std::string Description();

  TProgressEvent OnProgress;

  void WriteStoredValues(std::vector<TStoredValue>& values) const override;
  void ReadStoredValue(const TStoredValue& value, const TStoredValueReader& reader) override;

 private:
  const THashClass* hashClass_ = nullptr;
};

}  // namespace velunor
