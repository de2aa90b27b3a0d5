#include "cipher/cipher_registry.h"

#include <mutex>

#include "cipher/cipher_3way.h"
#include "cipher/cipher_blowfish.h"
#include "cipher/cipher_gost.h"
#include "cipher/cipher_idea.h"
#include "cipher/cipher_q128.h"
#include "cipher/cipher_safer.h"
#include "cipher/cipher_scop.h"
#include "cipher/cipher_shark.h"
#include "cipher/cipher_square.h"
#include "cipher/cipher_tea.h"
#include "cipher/cipher_twofish.h"
#include "hash/hash_registry.h"

namespace velunor {

namespace {

// The built-in cipher classes, registered once in this order. A blank name
// is derived from the class name.
void RegisterBuiltInCiphers(TCipherRegistry& registry) {
  registry.Register(&TCipher_3Way::Class(), "", "");
  registry.Register(&TCipher_Blowfish::Class(), "", "");
  registry.Register(&TCipher_Gost::Class(), "", "");
  registry.Register(&TCipher_IDEA::Class(), "", "free for non-commercial");
  registry.Register(&TCipher_Q128::Class(), "", "");
  registry.Register(&TCipher_SAFER_K40::Class(), "SAFER-K40", "");
  registry.Register(&TCipher_SAFER_SK40::Class(), "SAFER-SK40", "Keyscheduling");
  registry.Register(&TCipher_SAFER_K64::Class(), "SAFER-K64", "");
  registry.Register(&TCipher_SAFER_SK64::Class(), "SAFER-SK64", "Keyscheduling");
  registry.Register(&TCipher_SAFER_K128::Class(), "SAFER-K128", "");
  registry.Register(&TCipher_SAFER_SK128::Class(), "SAFER-SK128", "Keyscheduling");
  registry.Register(&TCipher_SCOP::Class(), "", "");
  registry.Register(&TCipher_Shark::Class(), "", "");
  registry.Register(&TCipher_Square::Class(), "", "");
  registry.Register(&TCipher_TEA::Class(), "TEA", "");
  registry.Register(&TCipher_TEAN::Class(), "TEA extended", "");
  registry.Register(&TCipher_Twofish::Class(), "", "");
}

}  // namespace

TCipherRegistry& CipherRegistry() {
  static TCipherRegistry registry;
  static std::once_flag filled;
  std::call_once(filled, [] {
    HashRegistry();  // the hashes are registered before the ciphers
    RegisterBuiltInCiphers(registry);
  });
  return registry;
}

bool RegisterCipherClass(const TCipherClass* cls, std::string_view name,
                         std::string_view description) {
  return CipherRegistry().Register(cls, name, description);
}

const TCipherClass* FindCipherClass(std::string_view name) {
  return CipherRegistry().Find(name);
}

std::string CipherClassName(const TCipherClass* cls) {
  return CipherRegistry().NameOf(cls);
}

const TCipherClass& FallbackCipherClass() {
  return TCipher_Blowfish::Class();
}

}  // namespace velunor
