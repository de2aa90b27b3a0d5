#include "hash/hash_ripemd256.h"

#include <cstring>
#include <utility>

#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

constexpr std::uint32_t kInitialChaining[8] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476,
                                               0x76543210, 0xFEDCBA98, 0x89ABCDEF, 0x01234567};

inline std::uint32_t F1(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return x ^ y ^ z;
}
// F2 and F4 are the selections (x & y) | (~x & z) and (x & z) | (y & ~z),
// written with one operation less.
inline std::uint32_t F2(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return z ^ (x & (y ^ z));
}
inline std::uint32_t F3(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return (x | ~y) ^ z;
}
inline std::uint32_t F4(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return y ^ (z & (x ^ y));
}

}  // namespace

void THash_RipeMD256::StartDigest() {
  ResetBlockState();
  std::memcpy(ChainingState, kInitialChaining, sizeof kInitialChaining);
}

// The published RIPEMD-256 compression. A step computes
// T = (A + f(B, C, D) + X + K) <<< s and moves A <- D, D <- C, C <- B, B <- T;
// the moves are written as a rotation of the register names from step to step.
// The two lines are independent until the end; their steps alternate so that
// each step has work beside it while its own chain waits.
void THash_RipeMD256::CompressBlock(const std::uint8_t* block) {
  std::uint32_t x[16];
  LoadLE(x, block);  // little-endian message words
  std::uint32_t a = ChainingState[0], b = ChainingState[1], c = ChainingState[2],
                d = ChainingState[3];
  std::uint32_t aa = ChainingState[4], bb = ChainingState[5], cc = ChainingState[6],
                dd = ChainingState[7];

#define VELUNOR_RMD_STEP(f, a, b, c, d, x, s, k) a = RotateLeft32(a + f(b, c, d) + (x) + (k), s)

  // Round 1: left line F1, right line F4.
  VELUNOR_RMD_STEP(F1, a, b, c, d, x[0], 11, 0x00000000);
  VELUNOR_RMD_STEP(F4, aa, bb, cc, dd, x[5], 8, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, d, a, b, c, x[1], 14, 0x00000000);
  VELUNOR_RMD_STEP(F4, dd, aa, bb, cc, x[14], 9, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, c, d, a, b, x[2], 15, 0x00000000);
  VELUNOR_RMD_STEP(F4, cc, dd, aa, bb, x[7], 9, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, b, c, d, a, x[3], 12, 0x00000000);
  VELUNOR_RMD_STEP(F4, bb, cc, dd, aa, x[0], 11, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, a, b, c, d, x[4], 5, 0x00000000);
  VELUNOR_RMD_STEP(F4, aa, bb, cc, dd, x[9], 13, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, d, a, b, c, x[5], 8, 0x00000000);
  VELUNOR_RMD_STEP(F4, dd, aa, bb, cc, x[2], 15, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, c, d, a, b, x[6], 7, 0x00000000);
  VELUNOR_RMD_STEP(F4, cc, dd, aa, bb, x[11], 15, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, b, c, d, a, x[7], 9, 0x00000000);
  VELUNOR_RMD_STEP(F4, bb, cc, dd, aa, x[4], 5, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, a, b, c, d, x[8], 11, 0x00000000);
  VELUNOR_RMD_STEP(F4, aa, bb, cc, dd, x[13], 7, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, d, a, b, c, x[9], 13, 0x00000000);
  VELUNOR_RMD_STEP(F4, dd, aa, bb, cc, x[6], 7, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, c, d, a, b, x[10], 14, 0x00000000);
  VELUNOR_RMD_STEP(F4, cc, dd, aa, bb, x[15], 8, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, b, c, d, a, x[11], 15, 0x00000000);
  VELUNOR_RMD_STEP(F4, bb, cc, dd, aa, x[8], 11, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, a, b, c, d, x[12], 6, 0x00000000);
  VELUNOR_RMD_STEP(F4, aa, bb, cc, dd, x[1], 14, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, d, a, b, c, x[13], 7, 0x00000000);
  VELUNOR_RMD_STEP(F4, dd, aa, bb, cc, x[10], 14, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, c, d, a, b, x[14], 9, 0x00000000);
  VELUNOR_RMD_STEP(F4, cc, dd, aa, bb, x[3], 12, 0x50A28BE6);
  VELUNOR_RMD_STEP(F1, b, c, d, a, x[15], 8, 0x00000000);
  VELUNOR_RMD_STEP(F4, bb, cc, dd, aa, x[12], 6, 0x50A28BE6);
  std::swap(a, aa);
  // Round 2: left line F2, right line F3.
  VELUNOR_RMD_STEP(F2, a, b, c, d, x[7], 7, 0x5A827999);
  VELUNOR_RMD_STEP(F3, aa, bb, cc, dd, x[6], 9, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, d, a, b, c, x[4], 6, 0x5A827999);
  VELUNOR_RMD_STEP(F3, dd, aa, bb, cc, x[11], 13, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, c, d, a, b, x[13], 8, 0x5A827999);
  VELUNOR_RMD_STEP(F3, cc, dd, aa, bb, x[3], 15, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, b, c, d, a, x[1], 13, 0x5A827999);
  VELUNOR_RMD_STEP(F3, bb, cc, dd, aa, x[7], 7, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, a, b, c, d, x[10], 11, 0x5A827999);
  VELUNOR_RMD_STEP(F3, aa, bb, cc, dd, x[0], 12, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, d, a, b, c, x[6], 9, 0x5A827999);
  VELUNOR_RMD_STEP(F3, dd, aa, bb, cc, x[13], 8, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, c, d, a, b, x[15], 7, 0x5A827999);
  VELUNOR_RMD_STEP(F3, cc, dd, aa, bb, x[5], 9, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, b, c, d, a, x[3], 15, 0x5A827999);
  VELUNOR_RMD_STEP(F3, bb, cc, dd, aa, x[10], 11, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, a, b, c, d, x[12], 7, 0x5A827999);
  VELUNOR_RMD_STEP(F3, aa, bb, cc, dd, x[14], 7, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, d, a, b, c, x[0], 12, 0x5A827999);
  VELUNOR_RMD_STEP(F3, dd, aa, bb, cc, x[15], 7, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, c, d, a, b, x[9], 15, 0x5A827999);
  VELUNOR_RMD_STEP(F3, cc, dd, aa, bb, x[8], 12, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, b, c, d, a, x[5], 9, 0x5A827999);
  VELUNOR_RMD_STEP(F3, bb, cc, dd, aa, x[12], 7, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, a, b, c, d, x[2], 11, 0x5A827999);
  VELUNOR_RMD_STEP(F3, aa, bb, cc, dd, x[4], 6, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, d, a, b, c, x[14], 7, 0x5A827999);
  VELUNOR_RMD_STEP(F3, dd, aa, bb, cc, x[9], 15, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, c, d, a, b, x[11], 13, 0x5A827999);
  VELUNOR_RMD_STEP(F3, cc, dd, aa, bb, x[1], 13, 0x5C4DD124);
  VELUNOR_RMD_STEP(F2, b, c, d, a, x[8], 12, 0x5A827999);
  VELUNOR_RMD_STEP(F3, bb, cc, dd, aa, x[2], 11, 0x5C4DD124);
  std::swap(b, bb);
  // Round 3: left line F3, right line F2.
  VELUNOR_RMD_STEP(F3, a, b, c, d, x[3], 11, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, aa, bb, cc, dd, x[15], 9, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, d, a, b, c, x[10], 13, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, dd, aa, bb, cc, x[5], 7, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, c, d, a, b, x[14], 6, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, cc, dd, aa, bb, x[1], 15, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, b, c, d, a, x[4], 7, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, bb, cc, dd, aa, x[3], 11, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, a, b, c, d, x[9], 14, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, aa, bb, cc, dd, x[7], 8, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, d, a, b, c, x[15], 9, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, dd, aa, bb, cc, x[14], 6, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, c, d, a, b, x[8], 13, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, cc, dd, aa, bb, x[6], 6, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, b, c, d, a, x[1], 15, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, bb, cc, dd, aa, x[9], 14, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, a, b, c, d, x[2], 14, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, aa, bb, cc, dd, x[11], 12, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, d, a, b, c, x[7], 8, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, dd, aa, bb, cc, x[8], 13, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, c, d, a, b, x[0], 13, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, cc, dd, aa, bb, x[12], 5, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, b, c, d, a, x[6], 6, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, bb, cc, dd, aa, x[2], 14, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, a, b, c, d, x[13], 5, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, aa, bb, cc, dd, x[10], 13, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, d, a, b, c, x[11], 12, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, dd, aa, bb, cc, x[0], 13, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, c, d, a, b, x[5], 7, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, cc, dd, aa, bb, x[4], 7, 0x6D703EF3);
  VELUNOR_RMD_STEP(F3, b, c, d, a, x[12], 5, 0x6ED9EBA1);
  VELUNOR_RMD_STEP(F2, bb, cc, dd, aa, x[13], 5, 0x6D703EF3);
  std::swap(c, cc);
  // Round 4: left line F4, right line F1.
  VELUNOR_RMD_STEP(F4, a, b, c, d, x[1], 11, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, aa, bb, cc, dd, x[8], 15, 0x00000000);
  VELUNOR_RMD_STEP(F4, d, a, b, c, x[9], 12, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, dd, aa, bb, cc, x[6], 5, 0x00000000);
  VELUNOR_RMD_STEP(F4, c, d, a, b, x[11], 14, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, cc, dd, aa, bb, x[4], 8, 0x00000000);
  VELUNOR_RMD_STEP(F4, b, c, d, a, x[10], 15, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, bb, cc, dd, aa, x[1], 11, 0x00000000);
  VELUNOR_RMD_STEP(F4, a, b, c, d, x[0], 14, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, aa, bb, cc, dd, x[3], 14, 0x00000000);
  VELUNOR_RMD_STEP(F4, d, a, b, c, x[8], 15, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, dd, aa, bb, cc, x[11], 14, 0x00000000);
  VELUNOR_RMD_STEP(F4, c, d, a, b, x[12], 9, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, cc, dd, aa, bb, x[15], 6, 0x00000000);
  VELUNOR_RMD_STEP(F4, b, c, d, a, x[4], 8, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, bb, cc, dd, aa, x[0], 14, 0x00000000);
  VELUNOR_RMD_STEP(F4, a, b, c, d, x[13], 9, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, aa, bb, cc, dd, x[5], 6, 0x00000000);
  VELUNOR_RMD_STEP(F4, d, a, b, c, x[3], 14, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, dd, aa, bb, cc, x[12], 9, 0x00000000);
  VELUNOR_RMD_STEP(F4, c, d, a, b, x[7], 5, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, cc, dd, aa, bb, x[2], 12, 0x00000000);
  VELUNOR_RMD_STEP(F4, b, c, d, a, x[15], 6, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, bb, cc, dd, aa, x[13], 9, 0x00000000);
  VELUNOR_RMD_STEP(F4, a, b, c, d, x[14], 8, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, aa, bb, cc, dd, x[9], 12, 0x00000000);
  VELUNOR_RMD_STEP(F4, d, a, b, c, x[5], 6, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, dd, aa, bb, cc, x[7], 5, 0x00000000);
  VELUNOR_RMD_STEP(F4, c, d, a, b, x[6], 5, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, cc, dd, aa, bb, x[10], 15, 0x00000000);
  VELUNOR_RMD_STEP(F4, b, c, d, a, x[2], 12, 0x8F1BBCDC);
  VELUNOR_RMD_STEP(F1, bb, cc, dd, aa, x[14], 8, 0x00000000);
  std::swap(d, dd);

#undef VELUNOR_RMD_STEP

  ChainingState[0] += a;
  ChainingState[1] += b;
  ChainingState[2] += c;
  ChainingState[3] += d;
  ChainingState[4] += aa;
  ChainingState[5] += bb;
  ChainingState[6] += cc;
  ChainingState[7] += dd;
}

}  // namespace velunor
