#include "hash/hash_ripemd256.h"

#include <cstring>

#include "hash/ripemd_lines.h"
#include "runtime/byte_order.h"

namespace velunor {

namespace {

constexpr std::uint32_t kInitialChaining[8] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476,
                                               0x76543210, 0xFEDCBA98, 0x89ABCDEF, 0x01234567};

}  // namespace

void THash_RipeMD256::StartDigest() {
  ResetBlockState();
  std::memcpy(ChainingState, kInitialChaining, sizeof kInitialChaining);
}

// The published RIPEMD-256 compression: the two lines of RIPEMD-128, the
// left one on chaining words h0..h3 and the right one on h4..h7, with one
// register exchanged between the lines after every round and each line fed
// forward into its own words.
void THash_RipeMD256::CompressBlock(const std::uint8_t* block) {
  std::uint32_t x[16];
  LoadLE(x, block);  // little-endian message words
  std::uint32_t lines[8];
  std::memcpy(lines, ChainingState, sizeof lines);
  ripemd::RunLines<4, 4, true>(lines, lines + 4, x);
  for (std::size_t i = 0; i < 8; ++i)
    ChainingState[i] += lines[i];
}

}  // namespace velunor
