#include <gtest/gtest.h>

#include <cstring>

#include "hash/hash_sha.h"
#include "hash/sha1_extensions.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// The SHA extensions take over SHA-1's compression where the processor has
// them; on such a machine the vector tests only see that path, so both paths
// are compared here on many blocks and chaining values.
TEST(Sha1Extensions, GiveThePortableResult) {
  if (!ProcessorHasShaExtensions()) GTEST_SKIP() << "processor without SHA extensions";
  for (std::uint32_t seed = 1; seed <= 500; ++seed) {
    const ByteString block = test::PatternBytes(64, seed);
    const ByteString start = test::PatternBytes(20, seed + 7777);
    std::uint32_t portable[5];
    std::uint32_t extensions[5];
    std::memcpy(portable, start.data(), sizeof portable);
    std::memcpy(extensions, start.data(), sizeof extensions);
    CompressShaPortable(portable, BytesOf(block), true);
    CompressSha1WithShaExtensions(extensions, BytesOf(block));
    ASSERT_EQ(0, std::memcmp(portable, extensions, sizeof portable)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace velunor
