// THash_Square beyond its digest vectors (tests/data/hash-vectors/square.txt,
// which also cross the 8-free-bytes padding boundary): distinct inputs around
// that boundary, and a block fed from the digest itself.
#include <gtest/gtest.h>

#include <set>

#include "hash/hash_square.h"
#include "support/test_support.h"

namespace velunor {
namespace {

ByteString DigestOf(const ByteString& message) {
  const auto hash = MakeProtection<THash_Square>(nullptr);
  hash->Init();
  hash->AddData(message.data(), static_cast<std::int32_t>(message.size()));
  hash->Finish();
  return hash->Digest();
}

TEST(HashSquare, DifferentMessagesAroundThePaddingGiveDifferentDigests) {
  // Messages of 0..40 bytes, each also with its last bit flipped, and the
  // same lengths of zero bytes, which only the length field tells apart.
  std::set<ByteString> digests;
  std::size_t messages = 0;
  for (std::size_t length = 0; length <= 40; ++length) {
    digests.insert(DigestOf(ByteString(length, '\0')));
    ++messages;
    if (length == 0) continue;
    ByteString message = test::PatternBytes(length, 23);
    digests.insert(DigestOf(message));
    message[length - 1] = static_cast<char>(message[length - 1] ^ 1);
    digests.insert(DigestOf(message));
    messages += 2;
  }
  EXPECT_EQ(digests.size(), messages);
}

TEST(HashSquare, AMessageWithItsPaddingSpelledOutDiffers) {
  // 7 bytes close in one block: 80 hex, then the bit length in bytes 8..15.
  // Those 16 bytes as a message of their own are padded again.
  const ByteString message = test::PatternBytes(7, 29);
  const std::uint64_t bits = 7 * 8;
  const ByteString padded =
      message + ByteString(1, '\x80') + ByteString(reinterpret_cast<const char*>(&bits), 8);
  ASSERT_EQ(padded.size(), 16u);
  EXPECT_NE(DigestOf(message), DigestOf(padded));
}

// The hash's key-stream coding feeds the digest back into the hash. After a
// whole number of blocks the digest is compressed straight from DigestBuffer,
// and must be read as a key before the compression changes it.
TEST(HashSquare, TheDigestFedBackIsReadBeforeItChanges) {
  const ByteString message = test::PatternBytes(16, 31);
  const auto fedBack = MakeProtection<THash_Square>(nullptr);
  fedBack->Init();
  fedBack->AddData(message.data(), 16);
  fedBack->Finish();
  const ByteString digest = fedBack->Digest();
  fedBack->AddData(fedBack->DigestBuffer(), fedBack->DigestSize());
  fedBack->Finish();

  const auto copied = MakeProtection<THash_Square>(nullptr);
  copied->Init();
  copied->AddData(message.data(), 16);
  copied->Finish();
  copied->AddData(digest.data(), static_cast<std::int32_t>(digest.size()));
  copied->Finish();
  EXPECT_EQ(test::ToHex(fedBack->Digest()), test::ToHex(copied->Digest()));
}

}  // namespace
}  // namespace velunor
