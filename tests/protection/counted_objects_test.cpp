// Coding objects live only behind counted references: no class of the
// library can be made on the stack or by a plain new (an object there would
// be deleted by the first chain that lets go of it), and the class
// references hand out counted references.
#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "cipher/cipher_blowfish.h"
#include "cipher/cipher_safer.h"
#include "cipher/cipher_tea.h"
#include "hash/hash_crc32.h"
#include "hash/hash_haval.h"
#include "hash/hash_md4.h"
#include "hash/hash_sapphire.h"
#include "hash/mac.h"

namespace velunor {
namespace {

template <class... T>
constexpr bool kOnlyCounted = ((!std::is_default_constructible_v<T> &&
                                !std::is_constructible_v<T, TProtection*> &&
                                !std::is_copy_constructible_v<T>)&&...);

static_assert(kOnlyCounted<TProtection, THash, TChecksum, TMAC, TCipher>);
static_assert(!std::is_constructible_v<TMAC, ByteString, TProtection*>);
// Every hash and cipher class takes its constructors from its family
// template, which keeps them protected: a class written the way
// hash_family.h and cipher_family.h show is counted only, without a list of
// classes here. A class of each shape, the variants of a variant among them:
class TToyHash : public THashFamily<TToyHash, THash, THashInfo{1, 0}> {
 public:
  static constexpr char kClassName[] = "TToyHash";
  static constexpr std::uint8_t kKnownAnswer[1] = {0};

 protected:
  using THashFamily::THashFamily;
};
static_assert(kOnlyCounted<TToyHash, THash_MD4, THash_Haval128, THash_Sapphire128, THash_CRC32>);
static_assert(kOnlyCounted<TCipher_Blowfish, TCipher_SAFER, TCipher_SAFER_K40, TCipher_SAFER_SK40,
                           TCipher_TEA, TCipher_TEAN>);
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
