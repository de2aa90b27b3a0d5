#include "hash/hash_registry.h"

#include <mutex>

#include "hash/hash_crc16_ccitt.h"
#include "hash/hash_crc16_standard.h"
#include "hash/hash_crc32.h"
#include "hash/hash_haval.h"
#include "hash/hash_md4.h"
#include "hash/hash_md5.h"
#include "hash/hash_ripemd128.h"
#include "hash/hash_ripemd160.h"
#include "hash/hash_ripemd256.h"
#include "hash/hash_ripemd320.h"
#include "hash/hash_sapphire.h"
#include "hash/hash_sha.h"
#include "hash/hash_sha1.h"
#include "hash/hash_snefru.h"
#include "hash/hash_square.h"
#include "hash/hash_tiger.h"
#include "hash/hash_xor16.h"
#include "hash/hash_xor32.h"
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
  registry.Register(&THash_Haval128::Class(), "Haval-128", "Hash");
  registry.Register(&THash_Haval160::Class(), "Haval-160", "Hash");
  registry.Register(&THash_Haval192::Class(), "Haval-192", "Hash");
  registry.Register(&THash_Haval224::Class(), "Haval-224", "Hash");
  registry.Register(&THash_Haval256::Class(), "Haval-256", "Hash");
  registry.Register(&THash_Sapphire128::Class(), "Sapphire II-128", "Hash");
  registry.Register(&THash_Sapphire160::Class(), "Sapphire II-160", "Hash");
  registry.Register(&THash_Sapphire192::Class(), "Sapphire II-192", "Hash");
  registry.Register(&THash_Sapphire224::Class(), "Sapphire II-224", "Hash");
  registry.Register(&THash_Sapphire256::Class(), "Sapphire II-256", "Hash");
  registry.Register(&THash_Sapphire288::Class(), "Sapphire II-288", "Hash");
  registry.Register(&THash_Sapphire320::Class(), "Sapphire II-320", "Hash");
  registry.Register(&THash_Snefru::Class(), "Snefru-256", "Hash");
  registry.Register(&THash_Square::Class(), "Square", "Hash");
  registry.Register(&THash_Tiger::Class(), "Tiger", "Hash");
  registry.Register(&THash_XOR16::Class(), "XOR-16", "Checksum");
  registry.Register(&THash_XOR32::Class(), "XOR-32", "Checksum");
  registry.Register(&THash_CRC16_CCITT::Class(), "CRC-16 CCITT", "Checksum");
  registry.Register(&THash_CRC16_Standard::Class(), "CRC-16 Standard", "Checksum");
  registry.Register(&THash_CRC32::Class(), "CRC-32", "Checksum");
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

const THashClass* FindHashClass(std::string_view name) {
  return HashRegistry().Find(name);
}

std::string HashClassName(const THashClass* cls) {
  return HashRegistry().NameOf(cls);
}

const THashClass& DefaultHashClass() {
  return THash_RipeMD256::Class();
}

}  // namespace velunor
