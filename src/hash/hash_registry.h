#pragma once

#include <string>
#include <string_view>

#include "hash/hash.h"
#include "runtime/class_registry.h"

namespace velunor {

using THashRegistry = ClassRegistry<THashClass>;

// The process-wide list of hash classes, filled with the built-in classes on
// first use.
THashRegistry& HashRegistry();

bool RegisterHashClass(const THashClass* cls, std::string_view name, std::string_view description);
// The class registered under a name or short class name, or none.
const THashClass* FindHashClass(std::string_view name);
// The registered name of a class, else its short class name.
std::string HashClassName(const THashClass* cls);

// The hash through which keywords become keys.
const THashClass& DefaultHashClass();

}  // namespace velunor
