// The Sapphire II hash classes differ only in their digest size, and the
// digest comes from generator steps after the closing sequence: a shorter
// class's digest is the start of a longer one's for every message. The
// digests themselves are in tests/data/hash-vectors/sapphire.txt.
#include <gtest/gtest.h>

#include <memory>

#include "hash/hash_sapphire.h"
#include "support/test_support.h"

namespace velunor {
namespace {

std::string DigestHex(const THashClass& cls, const ByteString& message) {
  ProtectionRef<THash> hash = cls.Create();
  hash->Init();
  hash->AddData(message.data(), static_cast<std::int32_t>(message.size()));
  hash->Finish();
  return test::ToHex(hash->Digest());
}

TEST(HashSapphire, ShorterDigestsStartTheLongestOne) {
  const THashClass* shorter[] = {&THash_Sapphire128::Class(), &THash_Sapphire160::Class(),
                                 &THash_Sapphire192::Class(), &THash_Sapphire224::Class(),
                                 &THash_Sapphire256::Class(), &THash_Sapphire288::Class()};
  for (const std::size_t length : {0u, 1u, 40u, 255u, 256u, 257u, 1000u}) {
    const ByteString message = test::PatternBytes(length, 21);
    const std::string longest = DigestHex(THash_Sapphire320::Class(), message);
    ASSERT_EQ(longest.size(), 80u);
    for (const THashClass* cls : shorter) {
      SCOPED_TRACE(std::string(cls->ClassName()) + ", " + std::to_string(length) + " bytes");
      EXPECT_EQ(DigestHex(*cls, message),
                longest.substr(0, 2 * static_cast<std::size_t>(cls->DigestSize())));
    }
  }
}

}  // namespace
}  // namespace velunor
