#include "hash/hash_ripemd160.h"

#include <cstring>

#include "hash/ripemd_lines.h"
#include "runtime/byte_order.h"

namespace velunor {

namespace {

// The published RIPEMD-160 compression on the five chaining words at `h`: two
// independent lines of 80 steps over copies of the five chaining words,
// combined crosswise at the end.
inline void CompressRipeMd160(std::uint32_t* h, const std::uint8_t* block) {
  std::uint32_t x[16];
  LoadLE(x, block);  // little-endian message words
  std::uint32_t left[5] = {h[0], h[1], h[2], h[3], h[4]};
  std::uint32_t right[5] = {h[0], h[1], h[2], h[3], h[4]};
  ripemd::RunLines<5, 5, false>(left, right, x);

  const std::uint32_t t = h[1] + left[2] + right[3];
  h[1] = h[2] + left[3] + right[4];
  h[2] = h[3] + left[4] + right[0];
  h[3] = h[4] + left[0] + right[1];
  h[4] = h[0] + left[1] + right[2];
  h[0] = t;
}

}  // namespace

void THash_RipeMD160::CompressBlock(const std::uint8_t* block) {
  CompressRipeMd160(ChainingState, block);
}

// Runs keep the chaining words in registers from block to block.
void THash_RipeMD160::CompressBlocks(const std::uint8_t* blocks, std::size_t count) {
  std::uint32_t h[5];
  std::memcpy(h, ChainingState, sizeof h);
  for (; count > 0; --count, blocks += kBlockSize)
    CompressRipeMd160(h, blocks);
  std::memcpy(ChainingState, h, sizeof h);
}

}  // namespace velunor
