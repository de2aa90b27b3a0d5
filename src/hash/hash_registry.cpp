#include "hash/hash_registry.h"

#include <mutex>

#include "hash/hash_md4.h"
#include "hash/hash_ripemd256.h"
#include "protection/framework.h"

namespace velunor {

namespace {

// The built-in hash classes, registered once in this order.
void RegisterBuiltInHashes(THashRegistry& registry) {
  registry.Register(&THash_MD4::Class(), "Message Digest 4", "Hash");
  registry.Register(&THash_RipeMD256::Class(), "Ripe Message Digest 256", "Hash");
}

}  // namespace

THashRegistry& HashRegistry() {
  static THashRegistry registry;
  static std::once_flag filled;
  std::call_once(filled, [] {
    StartFramework();
    RegisterBuiltInHashes(registry);
  });
  return registry;
}

bool RegisterHashClass(const THashClass* cls, std::string_view name, std::string_view description) {
  return HashRegistry().Register(cls, name, description);
}

const THashClass* FindHashClass(std::string_view name) { return HashRegistry().Find(name); }

std::string HashClassName(const THashClass* cls) { return HashRegistry().NameOf(cls); }

const THashClass& DefaultHashClass() { return THash_RipeMD256::Class(); }

}  // namespace velunor
