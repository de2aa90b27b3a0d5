// THash_Snefru departs from the published Snefru-256 in how it frames the
// mixing (little-endian words, no feed-forward, length in the last data
// block), so its digests are checked in tests/data/hash-vectors/snefru.txt.
// The mixing and the sixteen S-boxes themselves are the published ones: a
// published Snefru-256 built here on the same mixing routine must reproduce
// the published digests.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hash/hash_snefru.h"
#include "support/test_support.h"

namespace velunor {
namespace {

constexpr std::int32_t kPasses = 8;

std::uint32_t LoadBigEndian(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// Published Snefru-256: message words most significant byte first, the old
// chaining value XORed into the reversed mixed words, a final partial block
// zero filled, and always a separate block with the big-endian bit length.
std::string PublishedSnefru256(const ByteString& message) {
  std::uint32_t chain[8] = {};
  const auto compress = [&chain](const std::uint8_t* block) {
    std::uint32_t input[16];
    std::memcpy(input, chain, sizeof chain);
    for (int i = 0; i < 8; ++i)
      input[8 + i] = LoadBigEndian(block + 4 * i);
    std::uint32_t mixed[16];
    std::memcpy(mixed, input, sizeof input);
    MixSnefruBlock(mixed, kPasses);
    for (int i = 0; i < 8; ++i)
      chain[i] = input[i] ^ mixed[15 - i];
  };
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(message.data());
  std::size_t done = 0;
  for (; message.size() - done >= 32; done += 32)
    compress(bytes + done);
  std::uint8_t last[32] = {};
  if (done < message.size()) {
    std::memcpy(last, bytes + done, message.size() - done);
    compress(last);
    std::memset(last, 0, sizeof last);
  }
  const std::uint64_t bits = static_cast<std::uint64_t>(message.size()) * 8;
  for (int i = 0; i < 8; ++i)
    last[24 + i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
  compress(last);

  ByteString digest;
  for (const std::uint32_t word : chain) {
    for (int shift = 24; shift >= 0; shift -= 8)
      digest += static_cast<char>(word >> shift);
  }
  return test::ToHex(digest);
}

TEST(HashSnefru, MixingReproducesThePublishedSnefru256) {
  const auto records = test::ReadDataRecords("snefru-256-published.txt");
  ASSERT_FALSE(records.empty());
  for (const auto& record : records) {
    ASSERT_EQ(record.size(), 2u);
    SCOPED_TRACE(record[0].substr(0, 40));
    EXPECT_EQ(PublishedSnefru256(test::ExpandMessage(record[0])), record[1]);
  }
}

// Zero passes leave a block alone; pass counts beyond the eight that the
// sixteen S-boxes allow are held at eight instead of reading past the boxes.
TEST(HashSnefru, PassCountOfTheMixingIsBounded) {
  std::uint32_t block[16];
  for (std::uint32_t i = 0; i < 16; ++i)
    block[i] = 0x01010101u * i;
  std::uint32_t unchanged[16];
  std::memcpy(unchanged, block, sizeof block);
  MixSnefruBlock(block, 0);
  EXPECT_EQ(std::memcmp(block, unchanged, sizeof block), 0);

  std::uint32_t eight[16];
  std::memcpy(eight, block, sizeof block);
  MixSnefruBlock(eight, 8);
  MixSnefruBlock(block, 100);
  EXPECT_EQ(std::memcmp(block, eight, sizeof block), 0);
}

}  // namespace
}  // namespace velunor
