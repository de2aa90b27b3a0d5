#include <gtest/gtest.h>

#include <cstring>

#include "hash/hash_tiger.h"
#include "runtime/bit_field_extract.h"
#include "support/test_support.h"

namespace velunor {
namespace {

// Where the processor has bit-field extracts the vector tests only see that
// form of Tiger's compression; it must give the portable words for runs of
// blocks, chaining values and pass counts.
TEST(TigerFastPath, GivesThePortableChainingWords) {
  if (!ProcessorFeatures().bitFieldExtract) GTEST_SKIP() << "processor without BMI1";
  for (const std::uint32_t passes : {3u, 4u, 7u}) {
    for (std::size_t count = 0; count <= 9; ++count) {
      const auto seed = static_cast<std::uint32_t>(100 * passes + count);
      const ByteString blocks = test::PatternBytes(64 * count, seed);
      const ByteString start = test::PatternBytes(24, seed + 1);
      std::uint32_t portable[6];
      std::uint32_t fast[6];
      std::memcpy(portable, start.data(), sizeof portable);
      std::memcpy(fast, start.data(), sizeof fast);
      CompressTigerPortable(portable, passes, BytesOf(blocks), count);
      CompressTigerBlocks(fast, passes, BytesOf(blocks), count);
      ASSERT_EQ(0, std::memcmp(portable, fast, sizeof fast))
          << passes << " passes, " << count << " blocks";
    }
  }
}

}  // namespace
}  // namespace velunor
