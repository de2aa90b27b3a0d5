#include "hash/hash_ripemd160.h"

#include <cstring>

#include "hash/ripemd_functions.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

// The published RIPEMD-160 compression on the five chaining words at `h`: two
// independent lines of 80 steps over copies of the five chaining words,
// combined at the end. A step computes T = ((A + f(B, C, D) + X + K) <<< s) + E
// and moves A <- E, E <- D, D <- C <<< 10, C <- B, B <- T, written as a
// rotation of the register names. The steps of the two lines alternate, so
// that each line's chain of dependent steps fills the other's waiting time,
// and each step sums the terms without f first.
inline void CompressRipeMd160(std::uint32_t* h, const std::uint8_t* block) {
  using namespace ripemd;
  std::uint32_t x[16];
  LoadLE(x, block);  // little-endian message words
  std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
  std::uint32_t aa = a, bb = b, cc = c, dd = d, ee = e;

#define VELUNOR_RMD160_STEP(f, a, b, c, d, e, x, s, k) \
  a = RotateLeft32(a + (x) + (k) + f(b, c, d), s) + e; \
  c = RotateLeft32(c, 10)

  // Round 1: left line F1, right line F5.
  VELUNOR_RMD160_STEP(F1, a, b, c, d, e, x[0], 11, 0x00000000);
  VELUNOR_RMD160_STEP(F5, aa, bb, cc, dd, ee, x[5], 8, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, e, a, b, c, d, x[1], 14, 0x00000000);
  VELUNOR_RMD160_STEP(F5, ee, aa, bb, cc, dd, x[14], 9, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, d, e, a, b, c, x[2], 15, 0x00000000);
  VELUNOR_RMD160_STEP(F5, dd, ee, aa, bb, cc, x[7], 9, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, c, d, e, a, b, x[3], 12, 0x00000000);
  VELUNOR_RMD160_STEP(F5, cc, dd, ee, aa, bb, x[0], 11, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, b, c, d, e, a, x[4], 5, 0x00000000);
  VELUNOR_RMD160_STEP(F5, bb, cc, dd, ee, aa, x[9], 13, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, a, b, c, d, e, x[5], 8, 0x00000000);
  VELUNOR_RMD160_STEP(F5, aa, bb, cc, dd, ee, x[2], 15, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, e, a, b, c, d, x[6], 7, 0x00000000);
  VELUNOR_RMD160_STEP(F5, ee, aa, bb, cc, dd, x[11], 15, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, d, e, a, b, c, x[7], 9, 0x00000000);
  VELUNOR_RMD160_STEP(F5, dd, ee, aa, bb, cc, x[4], 5, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, c, d, e, a, b, x[8], 11, 0x00000000);
  VELUNOR_RMD160_STEP(F5, cc, dd, ee, aa, bb, x[13], 7, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, b, c, d, e, a, x[9], 13, 0x00000000);
  VELUNOR_RMD160_STEP(F5, bb, cc, dd, ee, aa, x[6], 7, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, a, b, c, d, e, x[10], 14, 0x00000000);
  VELUNOR_RMD160_STEP(F5, aa, bb, cc, dd, ee, x[15], 8, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, e, a, b, c, d, x[11], 15, 0x00000000);
  VELUNOR_RMD160_STEP(F5, ee, aa, bb, cc, dd, x[8], 11, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, d, e, a, b, c, x[12], 6, 0x00000000);
  VELUNOR_RMD160_STEP(F5, dd, ee, aa, bb, cc, x[1], 14, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, c, d, e, a, b, x[13], 7, 0x00000000);
  VELUNOR_RMD160_STEP(F5, cc, dd, ee, aa, bb, x[10], 14, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, b, c, d, e, a, x[14], 9, 0x00000000);
  VELUNOR_RMD160_STEP(F5, bb, cc, dd, ee, aa, x[3], 12, 0x50A28BE6);
  VELUNOR_RMD160_STEP(F1, a, b, c, d, e, x[15], 8, 0x00000000);
  VELUNOR_RMD160_STEP(F5, aa, bb, cc, dd, ee, x[12], 6, 0x50A28BE6);
  // Round 2: left line F2, right line F4.
  VELUNOR_RMD160_STEP(F2, e, a, b, c, d, x[7], 7, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, ee, aa, bb, cc, dd, x[6], 9, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, d, e, a, b, c, x[4], 6, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, dd, ee, aa, bb, cc, x[11], 13, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, c, d, e, a, b, x[13], 8, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, cc, dd, ee, aa, bb, x[3], 15, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, b, c, d, e, a, x[1], 13, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, bb, cc, dd, ee, aa, x[7], 7, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, a, b, c, d, e, x[10], 11, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, aa, bb, cc, dd, ee, x[0], 12, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, e, a, b, c, d, x[6], 9, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, ee, aa, bb, cc, dd, x[13], 8, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, d, e, a, b, c, x[15], 7, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, dd, ee, aa, bb, cc, x[5], 9, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, c, d, e, a, b, x[3], 15, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, cc, dd, ee, aa, bb, x[10], 11, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, b, c, d, e, a, x[12], 7, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, bb, cc, dd, ee, aa, x[14], 7, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, a, b, c, d, e, x[0], 12, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, aa, bb, cc, dd, ee, x[15], 7, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, e, a, b, c, d, x[9], 15, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, ee, aa, bb, cc, dd, x[8], 12, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, d, e, a, b, c, x[5], 9, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, dd, ee, aa, bb, cc, x[12], 7, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, c, d, e, a, b, x[2], 11, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, cc, dd, ee, aa, bb, x[4], 6, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, b, c, d, e, a, x[14], 7, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, bb, cc, dd, ee, aa, x[9], 15, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, a, b, c, d, e, x[11], 13, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, aa, bb, cc, dd, ee, x[1], 13, 0x5C4DD124);
  VELUNOR_RMD160_STEP(F2, e, a, b, c, d, x[8], 12, 0x5A827999);
  VELUNOR_RMD160_STEP(F4, ee, aa, bb, cc, dd, x[2], 11, 0x5C4DD124);
  // Round 3: left line F3, right line F3.
  VELUNOR_RMD160_STEP(F3, d, e, a, b, c, x[3], 11, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, dd, ee, aa, bb, cc, x[15], 9, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, c, d, e, a, b, x[10], 13, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, cc, dd, ee, aa, bb, x[5], 7, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, b, c, d, e, a, x[14], 6, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, bb, cc, dd, ee, aa, x[1], 15, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, a, b, c, d, e, x[4], 7, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, aa, bb, cc, dd, ee, x[3], 11, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, e, a, b, c, d, x[9], 14, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, ee, aa, bb, cc, dd, x[7], 8, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, d, e, a, b, c, x[15], 9, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, dd, ee, aa, bb, cc, x[14], 6, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, c, d, e, a, b, x[8], 13, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, cc, dd, ee, aa, bb, x[6], 6, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, b, c, d, e, a, x[1], 15, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, bb, cc, dd, ee, aa, x[9], 14, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, a, b, c, d, e, x[2], 14, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, aa, bb, cc, dd, ee, x[11], 12, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, e, a, b, c, d, x[7], 8, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, ee, aa, bb, cc, dd, x[8], 13, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, d, e, a, b, c, x[0], 13, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, dd, ee, aa, bb, cc, x[12], 5, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, c, d, e, a, b, x[6], 6, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, cc, dd, ee, aa, bb, x[2], 14, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, b, c, d, e, a, x[13], 5, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, bb, cc, dd, ee, aa, x[10], 13, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, a, b, c, d, e, x[11], 12, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, aa, bb, cc, dd, ee, x[0], 13, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, e, a, b, c, d, x[5], 7, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, ee, aa, bb, cc, dd, x[4], 7, 0x6D703EF3);
  VELUNOR_RMD160_STEP(F3, d, e, a, b, c, x[12], 5, 0x6ED9EBA1);
  VELUNOR_RMD160_STEP(F3, dd, ee, aa, bb, cc, x[13], 5, 0x6D703EF3);
  // Round 4: left line F4, right line F2.
  VELUNOR_RMD160_STEP(F4, c, d, e, a, b, x[1], 11, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, cc, dd, ee, aa, bb, x[8], 15, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, b, c, d, e, a, x[9], 12, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, bb, cc, dd, ee, aa, x[6], 5, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, a, b, c, d, e, x[11], 14, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, aa, bb, cc, dd, ee, x[4], 8, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, e, a, b, c, d, x[10], 15, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, ee, aa, bb, cc, dd, x[1], 11, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, d, e, a, b, c, x[0], 14, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, dd, ee, aa, bb, cc, x[3], 14, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, c, d, e, a, b, x[8], 15, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, cc, dd, ee, aa, bb, x[11], 14, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, b, c, d, e, a, x[12], 9, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, bb, cc, dd, ee, aa, x[15], 6, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, a, b, c, d, e, x[4], 8, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, aa, bb, cc, dd, ee, x[0], 14, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, e, a, b, c, d, x[13], 9, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, ee, aa, bb, cc, dd, x[5], 6, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, d, e, a, b, c, x[3], 14, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, dd, ee, aa, bb, cc, x[12], 9, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, c, d, e, a, b, x[7], 5, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, cc, dd, ee, aa, bb, x[2], 12, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, b, c, d, e, a, x[15], 6, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, bb, cc, dd, ee, aa, x[13], 9, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, a, b, c, d, e, x[14], 8, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, aa, bb, cc, dd, ee, x[9], 12, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, e, a, b, c, d, x[5], 6, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, ee, aa, bb, cc, dd, x[7], 5, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, d, e, a, b, c, x[6], 5, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, dd, ee, aa, bb, cc, x[10], 15, 0x7A6D76E9);
  VELUNOR_RMD160_STEP(F4, c, d, e, a, b, x[2], 12, 0x8F1BBCDC);
  VELUNOR_RMD160_STEP(F2, cc, dd, ee, aa, bb, x[14], 8, 0x7A6D76E9);
  // Round 5: left line F5, right line F1.
  VELUNOR_RMD160_STEP(F5, b, c, d, e, a, x[4], 9, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, bb, cc, dd, ee, aa, x[12], 8, 0x00000000);
  VELUNOR_RMD160_STEP(F5, a, b, c, d, e, x[0], 15, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, aa, bb, cc, dd, ee, x[15], 5, 0x00000000);
  VELUNOR_RMD160_STEP(F5, e, a, b, c, d, x[5], 5, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, ee, aa, bb, cc, dd, x[10], 12, 0x00000000);
  VELUNOR_RMD160_STEP(F5, d, e, a, b, c, x[9], 11, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, dd, ee, aa, bb, cc, x[4], 9, 0x00000000);
  VELUNOR_RMD160_STEP(F5, c, d, e, a, b, x[7], 6, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, cc, dd, ee, aa, bb, x[1], 12, 0x00000000);
  VELUNOR_RMD160_STEP(F5, b, c, d, e, a, x[12], 8, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, bb, cc, dd, ee, aa, x[5], 5, 0x00000000);
  VELUNOR_RMD160_STEP(F5, a, b, c, d, e, x[2], 13, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, aa, bb, cc, dd, ee, x[8], 14, 0x00000000);
  VELUNOR_RMD160_STEP(F5, e, a, b, c, d, x[10], 12, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, ee, aa, bb, cc, dd, x[7], 6, 0x00000000);
  VELUNOR_RMD160_STEP(F5, d, e, a, b, c, x[14], 5, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, dd, ee, aa, bb, cc, x[6], 8, 0x00000000);
  VELUNOR_RMD160_STEP(F5, c, d, e, a, b, x[1], 12, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, cc, dd, ee, aa, bb, x[2], 13, 0x00000000);
  VELUNOR_RMD160_STEP(F5, b, c, d, e, a, x[3], 13, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, bb, cc, dd, ee, aa, x[13], 6, 0x00000000);
  VELUNOR_RMD160_STEP(F5, a, b, c, d, e, x[8], 14, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, aa, bb, cc, dd, ee, x[14], 5, 0x00000000);
  VELUNOR_RMD160_STEP(F5, e, a, b, c, d, x[11], 11, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, ee, aa, bb, cc, dd, x[0], 15, 0x00000000);
  VELUNOR_RMD160_STEP(F5, d, e, a, b, c, x[6], 8, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, dd, ee, aa, bb, cc, x[3], 13, 0x00000000);
  VELUNOR_RMD160_STEP(F5, c, d, e, a, b, x[15], 5, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, cc, dd, ee, aa, bb, x[9], 11, 0x00000000);
  VELUNOR_RMD160_STEP(F5, b, c, d, e, a, x[13], 6, 0xA953FD4E);
  VELUNOR_RMD160_STEP(F1, bb, cc, dd, ee, aa, x[11], 11, 0x00000000);
#undef VELUNOR_RMD160_STEP

  const std::uint32_t t = h[1] + c + dd;
  h[1] = h[2] + d + ee;
  h[2] = h[3] + e + aa;
  h[3] = h[4] + a + bb;
  h[4] = h[0] + b + cc;
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
