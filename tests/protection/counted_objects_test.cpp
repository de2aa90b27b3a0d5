// Coding objects live only behind counted references: no class of the
// library can be made on the stack or by a plain new (an object there would
// be deleted by the first chain that lets go of it), and the class
// references hand out counted references.
#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

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
#include "hash/hash_crc16_ccitt.h"
#include "hash/hash_crc16_standard.h"
#include "hash/hash_crc32.h"
#include "hash/hash_haval.h"
#include "hash/hash_md5.h"
#include "hash/hash_ripemd128.h"
#include "hash/hash_ripemd256.h"
#include "hash/hash_ripemd320.h"
#include "hash/hash_sapphire.h"
#include "hash/hash_sha1.h"
#include "hash/hash_snefru.h"
#include "hash/hash_square.h"
#include "hash/hash_tiger.h"
#include "hash/hash_xor16.h"
#include "hash/hash_xor32.h"
#include "hash/mac.h"

namespace velunor {
namespace {

template <class... T>
constexpr bool kOnlyCounted = ((!std::is_default_constructible_v<T> &&
                                !std::is_constructible_v<T, TProtection*> &&
                                !std::is_copy_constructible_v<T>)&&...);

static_assert(kOnlyCounted<TProtection, THash, TChecksum, TMAC, TCipher>);
static_assert(!std::is_constructible_v<TMAC, ByteString, TProtection*>);
static_assert(
    kOnlyCounted<THash_MD4, THash_MD5, THash_SHA, THash_SHA1, THash_RipeMD128, THash_RipeMD160,
                 THash_RipeMD256, THash_RipeMD320, THash_Haval128, THash_Haval160, THash_Haval192,
                 THash_Haval224, THash_Haval256, THash_Sapphire128, THash_Sapphire160,
                 THash_Sapphire192, THash_Sapphire224, THash_Sapphire256, THash_Sapphire288,
                 THash_Sapphire320, THash_Snefru, THash_Square, THash_Tiger, THash_XOR16,
                 THash_XOR32, THash_CRC16_CCITT, Thash_CRC16_Standard, THash_CRC32>);
static_assert(
    kOnlyCounted<TCipher_3Way, TCipher_Blowfish, TCipher_Gost, TCipher_IDEA, TCipher_Q128,
                 TCipher_SAFER, TCipher_SAFER_K40, TCipher_SAFER_SK40, TCipher_SAFER_K64,
                 TCipher_SAFER_SK64, TCipher_SAFER_K128, TCipher_SAFER_SK128, TCipher_SCOP,
                 TCipher_Shark, TCipher_Square, TCipher_TEA, TCipher_TEAN, TCipher_Twofish>);
static_assert(std::is_same_v<decltype(THash::Class().Create()), ProtectionRef<THash>>);
static_assert(std::is_same_v<decltype(TCipher::Class().Create()), ProtectionRef<TCipher>>);

// The road of the crash that stack objects allowed: an object chained behind
// a hash outlives its own reference and goes with the hash's last one.
TEST(CountedObjects, AChainedObjectLivesUntilItsLastReferenceLetsGo) {
  ProtectionRef<TCipher> cipher = TCipher_Blowfish::Class().Create("keyword");
  TCipher* behind = cipher.Get();
  ProtectionRef<THash> hash = THash_MD4::Class().Create(behind);
  EXPECT_EQ(behind->RefCount(), 2);
  cipher = nullptr;
  EXPECT_EQ(behind->RefCount(), 1);
  hash->Init();
  hash->AddData("abc", 3);
  hash->Finish();  // the chained cipher codes the digest

  ProtectionRef<THash> copy = hash;
  EXPECT_EQ(hash->RefCount(), 2);
  ProtectionRef<TProtection> base = std::move(copy);
  EXPECT_FALSE(copy);
  EXPECT_EQ(base->RefCount(), 2);
  EXPECT_EQ(base->Protection(), behind);
}

}  // namespace
}  // namespace velunor
