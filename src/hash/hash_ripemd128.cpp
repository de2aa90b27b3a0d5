#include "hash/hash_ripemd128.h"

#include "hash/ripemd_functions.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

// The published RIPEMD-128 compression: two independent lines of 64 steps
// over copies of the four chaining words, combined at the end. A step
// computes T = (A + f(B, C, D) + X + K) <<< s and moves A <- D, D <- C,
// C <- B, B <- T, written as a rotation of the register names.
void THash_RipeMD128::CompressBlock(const std::uint8_t* block) {
  using namespace ripemd;
  std::uint32_t x[16];
  LoadLE(x, block);  // little-endian message words
  std::uint32_t a = ChainingState[0], b = ChainingState[1], c = ChainingState[2],
                d = ChainingState[3];
  std::uint32_t aa = a, bb = b, cc = c, dd = d;

#define VELUNOR_RMD128_STEP(f, a, b, c, d, x, s, k) a = RotateLeft32(a + f(b, c, d) + (x) + (k), s)

  // Round 1: left line F1, right line F4.
  VELUNOR_RMD128_STEP(F1, a, b, c, d, x[0], 11, 0x00000000);
  VELUNOR_RMD128_STEP(F1, d, a, b, c, x[1], 14, 0x00000000);
  VELUNOR_RMD128_STEP(F1, c, d, a, b, x[2], 15, 0x00000000);
  VELUNOR_RMD128_STEP(F1, b, c, d, a, x[3], 12, 0x00000000);
  VELUNOR_RMD128_STEP(F1, a, b, c, d, x[4], 5, 0x00000000);
  VELUNOR_RMD128_STEP(F1, d, a, b, c, x[5], 8, 0x00000000);
  VELUNOR_RMD128_STEP(F1, c, d, a, b, x[6], 7, 0x00000000);
  VELUNOR_RMD128_STEP(F1, b, c, d, a, x[7], 9, 0x00000000);
  VELUNOR_RMD128_STEP(F1, a, b, c, d, x[8], 11, 0x00000000);
  VELUNOR_RMD128_STEP(F1, d, a, b, c, x[9], 13, 0x00000000);
  VELUNOR_RMD128_STEP(F1, c, d, a, b, x[10], 14, 0x00000000);
  VELUNOR_RMD128_STEP(F1, b, c, d, a, x[11], 15, 0x00000000);
  VELUNOR_RMD128_STEP(F1, a, b, c, d, x[12], 6, 0x00000000);
  VELUNOR_RMD128_STEP(F1, d, a, b, c, x[13], 7, 0x00000000);
  VELUNOR_RMD128_STEP(F1, c, d, a, b, x[14], 9, 0x00000000);
  VELUNOR_RMD128_STEP(F1, b, c, d, a, x[15], 8, 0x00000000);
  VELUNOR_RMD128_STEP(F4, aa, bb, cc, dd, x[5], 8, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, dd, aa, bb, cc, x[14], 9, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, cc, dd, aa, bb, x[7], 9, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, bb, cc, dd, aa, x[0], 11, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, aa, bb, cc, dd, x[9], 13, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, dd, aa, bb, cc, x[2], 15, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, cc, dd, aa, bb, x[11], 15, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, bb, cc, dd, aa, x[4], 5, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, aa, bb, cc, dd, x[13], 7, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, dd, aa, bb, cc, x[6], 7, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, cc, dd, aa, bb, x[15], 8, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, bb, cc, dd, aa, x[8], 11, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, aa, bb, cc, dd, x[1], 14, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, dd, aa, bb, cc, x[10], 14, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, cc, dd, aa, bb, x[3], 12, 0x50A28BE6);
  VELUNOR_RMD128_STEP(F4, bb, cc, dd, aa, x[12], 6, 0x50A28BE6);

  // Round 2: left line F2, right line F3.
  VELUNOR_RMD128_STEP(F2, a, b, c, d, x[7], 7, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, d, a, b, c, x[4], 6, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, c, d, a, b, x[13], 8, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, b, c, d, a, x[1], 13, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, a, b, c, d, x[10], 11, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, d, a, b, c, x[6], 9, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, c, d, a, b, x[15], 7, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, b, c, d, a, x[3], 15, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, a, b, c, d, x[12], 7, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, d, a, b, c, x[0], 12, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, c, d, a, b, x[9], 15, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, b, c, d, a, x[5], 9, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, a, b, c, d, x[2], 11, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, d, a, b, c, x[14], 7, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, c, d, a, b, x[11], 13, 0x5A827999);
  VELUNOR_RMD128_STEP(F2, b, c, d, a, x[8], 12, 0x5A827999);
  VELUNOR_RMD128_STEP(F3, aa, bb, cc, dd, x[6], 9, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, dd, aa, bb, cc, x[11], 13, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, cc, dd, aa, bb, x[3], 15, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, bb, cc, dd, aa, x[7], 7, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, aa, bb, cc, dd, x[0], 12, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, dd, aa, bb, cc, x[13], 8, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, cc, dd, aa, bb, x[5], 9, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, bb, cc, dd, aa, x[10], 11, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, aa, bb, cc, dd, x[14], 7, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, dd, aa, bb, cc, x[15], 7, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, cc, dd, aa, bb, x[8], 12, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, bb, cc, dd, aa, x[12], 7, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, aa, bb, cc, dd, x[4], 6, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, dd, aa, bb, cc, x[9], 15, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, cc, dd, aa, bb, x[1], 13, 0x5C4DD124);
  VELUNOR_RMD128_STEP(F3, bb, cc, dd, aa, x[2], 11, 0x5C4DD124);

  // Round 3: left line F3, right line F2.
  VELUNOR_RMD128_STEP(F3, a, b, c, d, x[3], 11, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, d, a, b, c, x[10], 13, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, c, d, a, b, x[14], 6, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, b, c, d, a, x[4], 7, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, a, b, c, d, x[9], 14, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, d, a, b, c, x[15], 9, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, c, d, a, b, x[8], 13, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, b, c, d, a, x[1], 15, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, a, b, c, d, x[2], 14, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, d, a, b, c, x[7], 8, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, c, d, a, b, x[0], 13, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, b, c, d, a, x[6], 6, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, a, b, c, d, x[13], 5, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, d, a, b, c, x[11], 12, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, c, d, a, b, x[5], 7, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F3, b, c, d, a, x[12], 5, 0x6ED9EBA1);
  VELUNOR_RMD128_STEP(F2, aa, bb, cc, dd, x[15], 9, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, dd, aa, bb, cc, x[5], 7, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, cc, dd, aa, bb, x[1], 15, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, bb, cc, dd, aa, x[3], 11, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, aa, bb, cc, dd, x[7], 8, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, dd, aa, bb, cc, x[14], 6, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, cc, dd, aa, bb, x[6], 6, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, bb, cc, dd, aa, x[9], 14, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, aa, bb, cc, dd, x[11], 12, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, dd, aa, bb, cc, x[8], 13, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, cc, dd, aa, bb, x[12], 5, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, bb, cc, dd, aa, x[2], 14, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, aa, bb, cc, dd, x[10], 13, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, dd, aa, bb, cc, x[0], 13, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, cc, dd, aa, bb, x[4], 7, 0x6D703EF3);
  VELUNOR_RMD128_STEP(F2, bb, cc, dd, aa, x[13], 5, 0x6D703EF3);

  // Round 4: left line F4, right line F1.
  VELUNOR_RMD128_STEP(F4, a, b, c, d, x[1], 11, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, d, a, b, c, x[9], 12, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, c, d, a, b, x[11], 14, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, b, c, d, a, x[10], 15, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, a, b, c, d, x[0], 14, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, d, a, b, c, x[8], 15, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, c, d, a, b, x[12], 9, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, b, c, d, a, x[4], 8, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, a, b, c, d, x[13], 9, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, d, a, b, c, x[3], 14, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, c, d, a, b, x[7], 5, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, b, c, d, a, x[15], 6, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, a, b, c, d, x[14], 8, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, d, a, b, c, x[5], 6, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, c, d, a, b, x[6], 5, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F4, b, c, d, a, x[2], 12, 0x8F1BBCDC);
  VELUNOR_RMD128_STEP(F1, aa, bb, cc, dd, x[8], 15, 0x00000000);
  VELUNOR_RMD128_STEP(F1, dd, aa, bb, cc, x[6], 5, 0x00000000);
  VELUNOR_RMD128_STEP(F1, cc, dd, aa, bb, x[4], 8, 0x00000000);
  VELUNOR_RMD128_STEP(F1, bb, cc, dd, aa, x[1], 11, 0x00000000);
  VELUNOR_RMD128_STEP(F1, aa, bb, cc, dd, x[3], 14, 0x00000000);
  VELUNOR_RMD128_STEP(F1, dd, aa, bb, cc, x[11], 14, 0x00000000);
  VELUNOR_RMD128_STEP(F1, cc, dd, aa, bb, x[15], 6, 0x00000000);
  VELUNOR_RMD128_STEP(F1, bb, cc, dd, aa, x[0], 14, 0x00000000);
  VELUNOR_RMD128_STEP(F1, aa, bb, cc, dd, x[5], 6, 0x00000000);
  VELUNOR_RMD128_STEP(F1, dd, aa, bb, cc, x[12], 9, 0x00000000);
  VELUNOR_RMD128_STEP(F1, cc, dd, aa, bb, x[2], 12, 0x00000000);
  VELUNOR_RMD128_STEP(F1, bb, cc, dd, aa, x[13], 9, 0x00000000);
  VELUNOR_RMD128_STEP(F1, aa, bb, cc, dd, x[9], 12, 0x00000000);
  VELUNOR_RMD128_STEP(F1, dd, aa, bb, cc, x[7], 5, 0x00000000);
  VELUNOR_RMD128_STEP(F1, cc, dd, aa, bb, x[10], 15, 0x00000000);
  VELUNOR_RMD128_STEP(F1, bb, cc, dd, aa, x[14], 8, 0x00000000);

#undef VELUNOR_RMD128_STEP

  const std::uint32_t t = ChainingState[1] + c + dd;
  ChainingState[1] = ChainingState[2] + d + aa;
  ChainingState[2] = ChainingState[3] + a + bb;
  ChainingState[3] = ChainingState[0] + b + cc;
  ChainingState[0] = t;
}

}  // namespace velunor
