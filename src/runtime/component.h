#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velunor {

enum class TOperation { opInsert, opRemove };

// One stored value of a component: a property name and its text.
struct TStoredValue {
  std::string name;
  std::string text;
};

class TComponent;

// What a component may ask while its stored values are read: the other
// components of the form, by name.
class TStoredValueReader {
 public:
  explicit TStoredValueReader(const TComponent& form) : form_(form) {}
  TComponent* ResolveComponent(std::string_view name) const;

 private:
  const TComponent& form_;
};

// A named part of a form. An owner destroys the components it owns; a
// component that refers to another asks it for a free notification and is
// told through Notification(other, opRemove) when that one goes away.
class TComponent {
 public:
  explicit TComponent(TComponent* owner = nullptr, std::string name = {});
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  virtual ~TComponent();

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }
  TComponent* FindComponent(std::string_view name) const;

  // Links this component and `component` so that each hears of the other's
  // destruction through Notification(other, opRemove).
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Values to store, in the order they are read back; a value is written only
  // when it has data.
  virtual void WriteStoredValues(std::vector<TStoredValue>& values) const;
  // Reads one stored value; unknown names are ignored.
  virtual void ReadStoredValue(const TStoredValue& value, const TStoredValueReader& reader);

 protected:
  // `component` is inserted or about to be removed.
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  std::string name_;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;  // components linked by FreeNotification
};

}  // namespace velunor
