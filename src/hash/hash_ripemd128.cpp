#include "hash/hash_ripemd128.h"

#include "hash/ripemd_lines.h"
#include "runtime/byte_order.h"

namespace velunor {

// The published RIPEMD-128 compression: two independent lines of 64 steps
// over copies of the four chaining words, combined crosswise at the end.
void THash_RipeMD128::CompressBlock(const std::uint8_t* block) {
  std::uint32_t x[16];
  LoadLE(x, block);  // little-endian message words
  std::uint32_t left[4] = {ChainingState[0], ChainingState[1], ChainingState[2], ChainingState[3]};
  std::uint32_t right[4] = {left[0], left[1], left[2], left[3]};
  ripemd::RunLines<4, 4, false>(left, right, x);

  const std::uint32_t t = ChainingState[1] + left[2] + right[3];
  ChainingState[1] = ChainingState[2] + left[3] + right[0];
  ChainingState[2] = ChainingState[3] + left[0] + right[1];
  ChainingState[3] = ChainingState[0] + left[1] + right[2];
  ChainingState[0] = t;
}

}  // namespace velunor
