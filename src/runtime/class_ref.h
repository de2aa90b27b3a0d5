#pragma once

#include <string_view>

namespace velunor {

// A class reference (metaclass): the run-time description of a class of the
// coding library. It carries the class name and the parent class, and the
// families derive from it to add their class-level operations (a hash class
// knows its digest size, a cipher class its block and key sizes, a text
// format class is itself a set of class-level operations). Registries hold
// class references, so sizes and names are available without an object.
class TClass {
 public:
  constexpr TClass(std::string_view name, const TClass* parent) : name_(name), parent_(parent) {}
  TClass(const TClass&) = delete;
  TClass& operator=(const TClass&) = delete;
  virtual ~TClass() = default;

  std::string_view ClassName() const { return name_; }
  const TClass* ClassParent() const { return parent_; }

  // True when this class is `ancestor` or derives from it.
  bool InheritsFrom(const TClass& ancestor) const {
    for (const TClass* c = this; c != nullptr; c = c->parent_) {
      if (c == &ancestor) return true;
    }
    return false;
  }

 private:
  std::string_view name_;
  const TClass* parent_;
};

// Root of the objects that know their class reference.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  virtual const TClass& ClassType() const = 0;
};

}  // namespace velunor
