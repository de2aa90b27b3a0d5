#include "runtime/component.h"

#include <algorithm>

namespace velunor {

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* component) {
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

}  // namespace

TComponent* TStoredValueReader::ResolveComponent(std::string_view name) const {
  if (name == form_.Name()) return const_cast<TComponent*>(&form_);
  return form_.FindComponent(name);
}

TComponent::TComponent(TComponent* owner, std::string name) : name_(std::move(name)) {
  if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  // Owned components go first, newest first.
  while (!components_.empty())
    delete components_.back();
  // Everyone holding a reference to this component hears of its end.
  const std::vector<TComponent*> listeners = freeNotifies_;
  for (TComponent* listener : listeners) {
    Erase(listener->freeNotifies_, this);
    listener->Notification(this, TOperation::opRemove);
  }
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : components_) {
    if (component->name_ == name) return component;
  }
  return nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
  if (component == nullptr || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
    freeNotifies_.push_back(component);
  }
  if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
      component->freeNotifies_.end()) {
    component->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (component == nullptr) return;
  Erase(freeNotifies_, component);
  Erase(component->freeNotifies_, this);
}

void TComponent::WriteStoredValues(std::vector<TStoredValue>&) const {}

void TComponent::ReadStoredValue(const TStoredValue&, const TStoredValueReader&) {}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::InsertComponent(TComponent* component) {
  component->owner_ = this;
  components_.push_back(component);
  for (TComponent* sibling : components_)
    sibling->Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Erase(components_, component);
  component->owner_ = nullptr;
  for (TComponent* sibling : components_)
    sibling->Notification(component, TOperation::opRemove);
}

}  // namespace velunor
