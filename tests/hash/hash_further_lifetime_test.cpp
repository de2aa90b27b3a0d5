// Lifetime and input handling of the HAVAL, Snefru, Sapphire and checksum
// classes: destruction zeroes the digest, absent or negative input is
// ignored, and an object fed before its first Init does not fail.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <new>

#include "hash/hash_crc16_ccitt.h"
#include "hash/hash_crc16_standard.h"
#include "hash/hash_crc32.h"
#include "hash/hash_haval.h"
#include "hash/hash_sapphire.h"
#include "hash/hash_snefru.h"
#include "hash/hash_xor16.h"
#include "hash/hash_xor32.h"
#include "support/test_support.h"

namespace velunor {
namespace {

const THashClass* const kClasses[] = {
    &THash_Haval128::Class(),    &THash_Haval160::Class(),    &THash_Haval192::Class(),
    &THash_Haval224::Class(),    &THash_Haval256::Class(),    &THash_Snefru::Class(),
    &THash_Sapphire128::Class(), &THash_Sapphire320::Class(), &THash_XOR16::Class(),
    &THash_XOR32::Class(),       &THash_CRC16_CCITT::Class(), &THash_CRC16_Standard::Class(),
    &THash_CRC32::Class(),
};

std::string DigestHex(THash& hash) {
  return test::ToHex(hash.Digest());
}

// Builds the object in storage that outlives it, digests "abc", destroys the
// object and returns the digest bytes before and after.
template <class T>
std::pair<ByteString, ByteString> DigestAroundDestruction() {
  // Counted objects are made only by MakeProtection; a class derived here
  // may place one in storage of its own.
  struct Placed final : T {
    Placed() : T(nullptr) {}
  };
  alignas(std::max_align_t) unsigned char storage[sizeof(Placed)];
  THash* hash = new (storage) Placed();
  hash->Init();
  hash->AddData("abc", 3);
  hash->Finish();
  const auto offset = static_cast<std::size_t>(hash->DigestBuffer() - storage);
  const auto size = static_cast<std::size_t>(hash->DigestSize());
  const auto bytes = [&] { return ByteString(reinterpret_cast<char*>(storage + offset), size); };
  ByteString before = bytes();
  hash->~THash();
  return {before, bytes()};
}

TEST(HashFurtherLifetime, DestructionZeroesTheDigest) {
  const std::pair<const char*, std::pair<ByteString, ByteString>> cases[] = {
      {"Haval256", DigestAroundDestruction<THash_Haval256>()},
      {"Haval128", DigestAroundDestruction<THash_Haval128>()},
      {"Snefru", DigestAroundDestruction<THash_Snefru>()},
      {"Sapphire320", DigestAroundDestruction<THash_Sapphire320>()},
      {"Sapphire160", DigestAroundDestruction<THash_Sapphire160>()},
      {"XOR16", DigestAroundDestruction<THash_XOR16>()},
      {"XOR32", DigestAroundDestruction<THash_XOR32>()},
      {"CRC16_CCITT", DigestAroundDestruction<THash_CRC16_CCITT>()},
      {"CRC16_Standard", DigestAroundDestruction<THash_CRC16_Standard>()},
      {"CRC32", DigestAroundDestruction<THash_CRC32>()},
  };
  for (const auto& [name, digests] : cases) {
    SCOPED_TRACE(name);
    EXPECT_NE(digests.first, ByteString(digests.first.size(), '\0'));
    EXPECT_EQ(digests.second, ByteString(digests.second.size(), '\0'));
  }
}

TEST(HashFurtherLifetime, AbsentOrNegativeInputIsIgnored) {
  for (const THashClass* cls : kClasses) {
    SCOPED_TRACE(std::string(cls->ClassName()));
    ProtectionRef<THash> hash = cls->Create();
    hash->Init();
    hash->Finish();
    const std::string empty = DigestHex(*hash);

    hash->Init();
    hash->AddData(nullptr, 10);
    hash->AddData("abc", -1);
    hash->AddData("abc", 0);
    hash->Finish();
    EXPECT_EQ(DigestHex(*hash), empty);
  }
}

// Nothing guards the calling order, so data before the first Init must not
// crash (HAVAL picks its compression routine at Init); the next Init starts
// the proper digest.
TEST(HashFurtherLifetime, DataBeforeTheFirstInitDoesNotFail) {
  for (const THashClass* cls : kClasses) {
    SCOPED_TRACE(std::string(cls->ClassName()));
    const ByteString message = test::PatternBytes(300, 5);
    ProtectionRef<THash> fresh = cls->Create();
    fresh->Init();
    fresh->AddData(message.data(), 300);
    fresh->Finish();

    ProtectionRef<THash> hash = cls->Create();
    hash->AddData(message.data(), 300);
    hash->Finish();
    hash->Init();
    hash->AddData(message.data(), 300);
    hash->Finish();
    EXPECT_EQ(DigestHex(*hash), DigestHex(*fresh));
  }
}

}  // namespace
}  // namespace velunor
