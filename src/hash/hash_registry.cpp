#include "hash/hash_registry.h"

#include <mutex>

#include "hash/hash_md4.h"
#include "hash/hash_md5.h"
#include "hash/hash_ripemd128.h"
#include "hash/hash_ripemd160.h"
#include "hash/hash_ripemd256.h"
#include "hash/hash_ripemd320.h"
#include "hash/hash_sha.h"
#include "hash/hash_sha1.h"
#include "hash/hash_square.h"
#include "hash/hash_tiger.h"
#include "protection/framework.h"

namespace velunor {

namespace {

// The built-in hash classes, registered once in this order.
void RegisterBuiltInHashes(THashRegistry& registry) {
  registry.Register(&THash_MD4::Class(), "Message Digest 4", "Hash");
  registry.Register(&THash_MD5::Class(), "Message Digest 5", "Hash");
  registry.Register(&THash_SHA::Class(), "Secure Hash Algorithm", "Hash");
  registry.Register(&THash_SHA1::Class(), "Secure Hash Algorithm 1", "Hash");
  registry.Register(&THash_RipeMD128::Class(), "Ripe Message Digest 128", "Hash");
  registry.Register(&THash_RipeMD160::Class(), "Ripe Message Digest 160", "Hash");
  registry.Register(&THash_RipeMD256::Class(), "Ripe Message Digest 256", "Hash");
  registry.Register(&THash_RipeMD320::Class(), "Ripe Message Digest 320", "Hash");
  registry.Register(&THash_Square::Class(), "Square", "Hash");
  registry.Register(&THash_Tiger::Class(), "Tiger", "Hash");
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
