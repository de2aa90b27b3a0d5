#pragma once

#include <algorithm>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/support.h"
#include "runtime/text_compare.h"

namespace velunor {

// An ordered list of entries "name=description", each carrying a class
// reference: the common design of the hash and the cipher registry. Entries
// keep their registration order; lookups by name ignore letter case.
template <class ClassT>
class ClassRegistry {
 public:
  struct Entry {
    std::string text;  // name + "=" + description
    const ClassT* cls;
  };

  // Registers `cls` under `name` (derived from the class name when blank);
  // a class registered already gets its entry's text replaced in place.
  bool Register(const ClassT* cls, std::string_view name, std::string_view description) {
    if (cls == nullptr) return false;
    std::string trimmed = TrimBlanks(name);
    if (trimmed.empty()) trimmed = DerivedName(cls->ClassName());
    std::string text = trimmed + "=" + std::string(description);
    if (Entry* entry = EntryOf(cls)) {
      entry->text = std::move(text);
    } else {
      entries_.push_back({std::move(text), cls});
    }
    return true;
  }

  // The class for a name: the text through its first "_" is dropped, then the
  // first class whose short class name matches wins, else the first entry
  // whose name part matches; none when nothing matches.
  const ClassT* Find(std::string_view name) const {
    const auto underscore = name.find('_');
    const std::string_view key =
        underscore == std::string_view::npos ? name : name.substr(underscore + 1);
    for (const Entry& entry : entries_) {
      if (EqualsIgnoringCase(ShortClassName(*entry.cls), key)) return entry.cls;
    }
    for (const Entry& entry : entries_) {
      const auto equals = entry.text.find('=');
      if (equals == std::string::npos) continue;
      if (EqualsIgnoringCase(std::string_view(entry.text).substr(0, equals), key)) return entry.cls;
    }
    return nullptr;
  }

  // The first registered class whose class name is exactly `className`.
  const ClassT* FindByClassName(std::string_view className) const {
    for (const Entry& entry : entries_) {
      if (entry.cls->ClassName() == className) return entry.cls;
    }
    return nullptr;
  }

  // The name part of the class's entry, else its short class name.
  std::string NameOf(const ClassT* cls) const {
    if (cls == nullptr) return {};
    if (const Entry* entry = EntryOf(cls)) return entry->text.substr(0, entry->text.find('='));
    return ShortClassName(*cls);
  }

  // The description part of the class's entry (trimmed entry text after its
  // first "="), or none when the class is not registered.
  std::optional<std::string> DescriptionOf(const ClassT* cls) const {
    const Entry* entry = EntryOf(cls);
    if (entry == nullptr) return std::nullopt;
    const std::string trimmed = TrimBlanks(entry->text);
    const auto equals = trimmed.find('=');
    return equals == std::string::npos ? std::string() : trimmed.substr(equals + 1);
  }

  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  static std::string DerivedName(std::string_view className) {
    if (!className.empty() && className.front() == 'T') className.remove_prefix(1);
    return ShortClassName(className);
  }

  Entry* EntryOf(const ClassT* cls) {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [cls](const Entry& e) { return e.cls == cls; });
    return found == entries_.end() ? nullptr : &*found;
  }
  const Entry* EntryOf(const ClassT* cls) const {
    return const_cast<ClassRegistry*>(this)->EntryOf(cls);
  }

  std::vector<Entry> entries_;
};

}  // namespace velunor
