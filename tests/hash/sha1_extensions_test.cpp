#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hash/hash_sha.h"
#include "hash/sha1_extensions.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// The SHA extensions take over SHA-1's compression where the processor has
// them; on such a machine the vector tests only see that path, so both paths
// are compared here on many blocks and chaining values.
TEST(Sha1Extensions, GiveThePortableResult) {
  if (!ProcessorFeatures().shaExtensions) GTEST_SKIP() << "processor without SHA extensions";
  for (std::uint32_t seed = 1; seed <= 500; ++seed) {
    const ByteString block = test::PatternBytes(64, seed);
    const ByteString start = test::PatternBytes(20, seed + 7777);
    std::uint32_t portable[5];
    std::uint32_t extensions[5];
    std::memcpy(portable, start.data(), sizeof portable);
    std::memcpy(extensions, start.data(), sizeof extensions);
    CompressShaPortable(portable, BytesOf(block), true);
    CompressSha1WithShaExtensions(extensions, BytesOf(block), 1);
    ASSERT_EQ(0, std::memcmp(portable, extensions, sizeof portable)) << "seed " << seed;
  }
}

// A run of blocks keeps the chaining value in registers between blocks; it
// must end where the portable steps end, block after block.
TEST(Sha1Extensions, RunsOfBlocksGiveThePortableResult) {
  if (!ProcessorFeatures().shaExtensions) GTEST_SKIP() << "processor without SHA extensions";
  for (std::size_t blockCount = 0; blockCount <= 9; ++blockCount) {
    const ByteString blocks =
        test::PatternBytes(64 * blockCount, static_cast<std::uint32_t>(40 + blockCount));
    const ByteString start = test::PatternBytes(20, 99);
    std::uint32_t portable[5];
    std::uint32_t extensions[5];
    std::memcpy(portable, start.data(), sizeof portable);
    std::memcpy(extensions, start.data(), sizeof extensions);
    for (std::size_t i = 0; i < blockCount; ++i)
      CompressShaPortable(portable, BytesOf(blocks) + 64 * i, true);
    CompressSha1WithShaExtensions(extensions, BytesOf(blocks), blockCount);
    ASSERT_EQ(0, std::memcmp(portable, extensions, sizeof portable)) << blockCount << " blocks";
  }
}

}  // namespace
}  // namespace velunor
