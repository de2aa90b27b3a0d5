#pragma once

#include <string>
#include <string_view>

#include "cipher/cipher.h"
#include "runtime/class_registry.h"

namespace velunor {

using TCipherRegistry = ClassRegistry<TCipherClass>;

// The process-wide list of cipher classes, filled with the built-in classes
// on first use.
TCipherRegistry& CipherRegistry();

bool RegisterCipherClass(const TCipherClass* cls, std::string_view name,
                         std::string_view description);
// The class registered under a name or short class name, or none.
const TCipherClass* FindCipherClass(std::string_view name);
// The registered name of a class, else its short class name.
std::string CipherClassName(const TCipherClass* cls);

// The class a cipher manager uses while none is selected.
const TCipherClass& FallbackCipherClass();

}  // namespace velunor
