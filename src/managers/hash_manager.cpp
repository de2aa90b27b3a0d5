#include "managers/hash_manager.h"

#include "hash/hash_registry.h"

namespace velunor {

namespace {

constexpr const char* kStoredHash = "Hash";

}  // namespace

const THashClass& THashManager::HashClass() {
  if (hashClass_ == nullptr) SetHashClass(&DefaultHashClass());
  return *hashClass_;
}

void THashManager::SetHashClass(const THashClass* cls) {
  if (cls == hashClass_) return;
  hashClass_ = cls != nullptr ? cls : &DefaultHashClass();
}

std::string THashManager::Algorithm() {
  return HashClassName(&HashClass());
}

void THashManager::SetAlgorithm(const std::string& name) {
  SetHashClass(FindHashClass(name));
}

std::string THashManager::Description() {
  std::string text = HashRegistry().DescriptionOf(&HashClass()).value_or("");
  if (!text.empty()) text += ", ";
  return text + std::to_string(HashClass().DigestSize() * 8) + "bit Digestsize";
}

void THashManager::WriteStoredValues(std::vector<TStoredValue>& values) const {
  if (hashClass_ != nullptr) values.push_back({kStoredHash, std::string(hashClass_->ClassName())});
}

void THashManager::ReadStoredValue(const TStoredValue& value, const TStoredValueReader&) {
  if (value.name != kStoredHash) return;
  // Class names are matched exactly; an unknown name leaves the class as it is.
  if (const THashClass* cls = HashRegistry().FindByClassName(value.text)) SetHashClass(cls);
}

}  // namespace velunor
