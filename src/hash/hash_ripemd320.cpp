#include "hash/hash_ripemd320.h"

#include <cstring>

#include "hash/ripemd_lines.h"
#include "runtime/byte_order.h"

namespace velunor {

// The published RIPEMD-320 compression: the two lines of RIPEMD-160, the
// left one on chaining words h0..h4 and the right one on h5..h9, with one
// register exchanged between the lines after every round (B, D, A, C, E)
// and each line fed forward into its own words.
void THash_RipeMD320::CompressBlock(const std::uint8_t* block) {
  std::uint32_t x[16];
  LoadLE(x, block);  // little-endian message words
  std::uint32_t lines[10];
  std::memcpy(lines, ChainingState, sizeof lines);
  ripemd::RunLines<5, 5, true>(lines, lines + 5, x);
  for (std::size_t i = 0; i < 10; ++i)
    ChainingState[i] += lines[i];
}

}  // namespace velunor
