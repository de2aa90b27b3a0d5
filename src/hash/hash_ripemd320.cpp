#include "hash/hash_ripemd320.h"

#include <utility>

#include "hash/ripemd_functions.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

// The published RIPEMD-320 compression: the two lines of RIPEMD-160, the
// left one on chaining words h0..h4 and the right one on h5..h9, with one
// register exchanged between the lines after every round (B, D, A, C, E)
// and each line fed forward into its own words.
void THash_RipeMD320::CompressBlock(const std::uint8_t* block) {
  using namespace ripemd;
  std::uint32_t x[16];
  LoadLE(x, block);  // little-endian message words
  std::uint32_t a = ChainingState[0], b = ChainingState[1], c = ChainingState[2],
                d = ChainingState[3], e = ChainingState[4];
  std::uint32_t aa = ChainingState[5], bb = ChainingState[6], cc = ChainingState[7],
                dd = ChainingState[8], ee = ChainingState[9];

#define VELUNOR_RMD320_STEP(f, a, b, c, d, e, x, s, k) \
  a = RotateLeft32(a + f(b, c, d) + (x) + (k), s) + e; \
  c = RotateLeft32(c, 10)

  // Round 1: left line F1, right line F5.
  VELUNOR_RMD320_STEP(F1, a, b, c, d, e, x[0], 11, 0x00000000);
  VELUNOR_RMD320_STEP(F1, e, a, b, c, d, x[1], 14, 0x00000000);
  VELUNOR_RMD320_STEP(F1, d, e, a, b, c, x[2], 15, 0x00000000);
  VELUNOR_RMD320_STEP(F1, c, d, e, a, b, x[3], 12, 0x00000000);
  VELUNOR_RMD320_STEP(F1, b, c, d, e, a, x[4], 5, 0x00000000);
  VELUNOR_RMD320_STEP(F1, a, b, c, d, e, x[5], 8, 0x00000000);
  VELUNOR_RMD320_STEP(F1, e, a, b, c, d, x[6], 7, 0x00000000);
  VELUNOR_RMD320_STEP(F1, d, e, a, b, c, x[7], 9, 0x00000000);
  VELUNOR_RMD320_STEP(F1, c, d, e, a, b, x[8], 11, 0x00000000);
  VELUNOR_RMD320_STEP(F1, b, c, d, e, a, x[9], 13, 0x00000000);
  VELUNOR_RMD320_STEP(F1, a, b, c, d, e, x[10], 14, 0x00000000);
  VELUNOR_RMD320_STEP(F1, e, a, b, c, d, x[11], 15, 0x00000000);
  VELUNOR_RMD320_STEP(F1, d, e, a, b, c, x[12], 6, 0x00000000);
  VELUNOR_RMD320_STEP(F1, c, d, e, a, b, x[13], 7, 0x00000000);
  VELUNOR_RMD320_STEP(F1, b, c, d, e, a, x[14], 9, 0x00000000);
  VELUNOR_RMD320_STEP(F1, a, b, c, d, e, x[15], 8, 0x00000000);
  VELUNOR_RMD320_STEP(F5, aa, bb, cc, dd, ee, x[5], 8, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, ee, aa, bb, cc, dd, x[14], 9, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, dd, ee, aa, bb, cc, x[7], 9, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, cc, dd, ee, aa, bb, x[0], 11, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, bb, cc, dd, ee, aa, x[9], 13, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, aa, bb, cc, dd, ee, x[2], 15, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, ee, aa, bb, cc, dd, x[11], 15, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, dd, ee, aa, bb, cc, x[4], 5, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, cc, dd, ee, aa, bb, x[13], 7, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, bb, cc, dd, ee, aa, x[6], 7, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, aa, bb, cc, dd, ee, x[15], 8, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, ee, aa, bb, cc, dd, x[8], 11, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, dd, ee, aa, bb, cc, x[1], 14, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, cc, dd, ee, aa, bb, x[10], 14, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, bb, cc, dd, ee, aa, x[3], 12, 0x50A28BE6);
  VELUNOR_RMD320_STEP(F5, aa, bb, cc, dd, ee, x[12], 6, 0x50A28BE6);
  std::swap(a, aa);

  // Round 2: left line F2, right line F4.
  VELUNOR_RMD320_STEP(F2, e, a, b, c, d, x[7], 7, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, d, e, a, b, c, x[4], 6, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, c, d, e, a, b, x[13], 8, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, b, c, d, e, a, x[1], 13, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, a, b, c, d, e, x[10], 11, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, e, a, b, c, d, x[6], 9, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, d, e, a, b, c, x[15], 7, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, c, d, e, a, b, x[3], 15, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, b, c, d, e, a, x[12], 7, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, a, b, c, d, e, x[0], 12, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, e, a, b, c, d, x[9], 15, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, d, e, a, b, c, x[5], 9, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, c, d, e, a, b, x[2], 11, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, b, c, d, e, a, x[14], 7, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, a, b, c, d, e, x[11], 13, 0x5A827999);
  VELUNOR_RMD320_STEP(F2, e, a, b, c, d, x[8], 12, 0x5A827999);
  VELUNOR_RMD320_STEP(F4, ee, aa, bb, cc, dd, x[6], 9, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, dd, ee, aa, bb, cc, x[11], 13, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, cc, dd, ee, aa, bb, x[3], 15, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, bb, cc, dd, ee, aa, x[7], 7, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, aa, bb, cc, dd, ee, x[0], 12, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, ee, aa, bb, cc, dd, x[13], 8, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, dd, ee, aa, bb, cc, x[5], 9, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, cc, dd, ee, aa, bb, x[10], 11, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, bb, cc, dd, ee, aa, x[14], 7, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, aa, bb, cc, dd, ee, x[15], 7, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, ee, aa, bb, cc, dd, x[8], 12, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, dd, ee, aa, bb, cc, x[12], 7, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, cc, dd, ee, aa, bb, x[4], 6, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, bb, cc, dd, ee, aa, x[9], 15, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, aa, bb, cc, dd, ee, x[1], 13, 0x5C4DD124);
  VELUNOR_RMD320_STEP(F4, ee, aa, bb, cc, dd, x[2], 11, 0x5C4DD124);
  std::swap(b, bb);

  // Round 3: left line F3, right line F3.
  VELUNOR_RMD320_STEP(F3, d, e, a, b, c, x[3], 11, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, c, d, e, a, b, x[10], 13, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, b, c, d, e, a, x[14], 6, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, a, b, c, d, e, x[4], 7, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, e, a, b, c, d, x[9], 14, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, d, e, a, b, c, x[15], 9, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, c, d, e, a, b, x[8], 13, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, b, c, d, e, a, x[1], 15, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, a, b, c, d, e, x[2], 14, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, e, a, b, c, d, x[7], 8, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, d, e, a, b, c, x[0], 13, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, c, d, e, a, b, x[6], 6, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, b, c, d, e, a, x[13], 5, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, a, b, c, d, e, x[11], 12, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, e, a, b, c, d, x[5], 7, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, d, e, a, b, c, x[12], 5, 0x6ED9EBA1);
  VELUNOR_RMD320_STEP(F3, dd, ee, aa, bb, cc, x[15], 9, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, cc, dd, ee, aa, bb, x[5], 7, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, bb, cc, dd, ee, aa, x[1], 15, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, aa, bb, cc, dd, ee, x[3], 11, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, ee, aa, bb, cc, dd, x[7], 8, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, dd, ee, aa, bb, cc, x[14], 6, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, cc, dd, ee, aa, bb, x[6], 6, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, bb, cc, dd, ee, aa, x[9], 14, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, aa, bb, cc, dd, ee, x[11], 12, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, ee, aa, bb, cc, dd, x[8], 13, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, dd, ee, aa, bb, cc, x[12], 5, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, cc, dd, ee, aa, bb, x[2], 14, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, bb, cc, dd, ee, aa, x[10], 13, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, aa, bb, cc, dd, ee, x[0], 13, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, ee, aa, bb, cc, dd, x[4], 7, 0x6D703EF3);
  VELUNOR_RMD320_STEP(F3, dd, ee, aa, bb, cc, x[13], 5, 0x6D703EF3);
  std::swap(c, cc);

  // Round 4: left line F4, right line F2.
  VELUNOR_RMD320_STEP(F4, c, d, e, a, b, x[1], 11, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, b, c, d, e, a, x[9], 12, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, a, b, c, d, e, x[11], 14, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, e, a, b, c, d, x[10], 15, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, d, e, a, b, c, x[0], 14, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, c, d, e, a, b, x[8], 15, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, b, c, d, e, a, x[12], 9, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, a, b, c, d, e, x[4], 8, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, e, a, b, c, d, x[13], 9, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, d, e, a, b, c, x[3], 14, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, c, d, e, a, b, x[7], 5, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, b, c, d, e, a, x[15], 6, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, a, b, c, d, e, x[14], 8, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, e, a, b, c, d, x[5], 6, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, d, e, a, b, c, x[6], 5, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F4, c, d, e, a, b, x[2], 12, 0x8F1BBCDC);
  VELUNOR_RMD320_STEP(F2, cc, dd, ee, aa, bb, x[8], 15, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, bb, cc, dd, ee, aa, x[6], 5, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, aa, bb, cc, dd, ee, x[4], 8, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, ee, aa, bb, cc, dd, x[1], 11, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, dd, ee, aa, bb, cc, x[3], 14, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, cc, dd, ee, aa, bb, x[11], 14, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, bb, cc, dd, ee, aa, x[15], 6, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, aa, bb, cc, dd, ee, x[0], 14, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, ee, aa, bb, cc, dd, x[5], 6, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, dd, ee, aa, bb, cc, x[12], 9, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, cc, dd, ee, aa, bb, x[2], 12, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, bb, cc, dd, ee, aa, x[13], 9, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, aa, bb, cc, dd, ee, x[9], 12, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, ee, aa, bb, cc, dd, x[7], 5, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, dd, ee, aa, bb, cc, x[10], 15, 0x7A6D76E9);
  VELUNOR_RMD320_STEP(F2, cc, dd, ee, aa, bb, x[14], 8, 0x7A6D76E9);
  std::swap(d, dd);

  // Round 5: left line F5, right line F1.
  VELUNOR_RMD320_STEP(F5, b, c, d, e, a, x[4], 9, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, a, b, c, d, e, x[0], 15, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, e, a, b, c, d, x[5], 5, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, d, e, a, b, c, x[9], 11, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, c, d, e, a, b, x[7], 6, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, b, c, d, e, a, x[12], 8, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, a, b, c, d, e, x[2], 13, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, e, a, b, c, d, x[10], 12, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, d, e, a, b, c, x[14], 5, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, c, d, e, a, b, x[1], 12, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, b, c, d, e, a, x[3], 13, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, a, b, c, d, e, x[8], 14, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, e, a, b, c, d, x[11], 11, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, d, e, a, b, c, x[6], 8, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, c, d, e, a, b, x[15], 5, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F5, b, c, d, e, a, x[13], 6, 0xA953FD4E);
  VELUNOR_RMD320_STEP(F1, bb, cc, dd, ee, aa, x[12], 8, 0x00000000);
  VELUNOR_RMD320_STEP(F1, aa, bb, cc, dd, ee, x[15], 5, 0x00000000);
  VELUNOR_RMD320_STEP(F1, ee, aa, bb, cc, dd, x[10], 12, 0x00000000);
  VELUNOR_RMD320_STEP(F1, dd, ee, aa, bb, cc, x[4], 9, 0x00000000);
  VELUNOR_RMD320_STEP(F1, cc, dd, ee, aa, bb, x[1], 12, 0x00000000);
  VELUNOR_RMD320_STEP(F1, bb, cc, dd, ee, aa, x[5], 5, 0x00000000);
  VELUNOR_RMD320_STEP(F1, aa, bb, cc, dd, ee, x[8], 14, 0x00000000);
  VELUNOR_RMD320_STEP(F1, ee, aa, bb, cc, dd, x[7], 6, 0x00000000);
  VELUNOR_RMD320_STEP(F1, dd, ee, aa, bb, cc, x[6], 8, 0x00000000);
  VELUNOR_RMD320_STEP(F1, cc, dd, ee, aa, bb, x[2], 13, 0x00000000);
  VELUNOR_RMD320_STEP(F1, bb, cc, dd, ee, aa, x[13], 6, 0x00000000);
  VELUNOR_RMD320_STEP(F1, aa, bb, cc, dd, ee, x[14], 5, 0x00000000);
  VELUNOR_RMD320_STEP(F1, ee, aa, bb, cc, dd, x[0], 15, 0x00000000);
  VELUNOR_RMD320_STEP(F1, dd, ee, aa, bb, cc, x[3], 13, 0x00000000);
  VELUNOR_RMD320_STEP(F1, cc, dd, ee, aa, bb, x[9], 11, 0x00000000);
  VELUNOR_RMD320_STEP(F1, bb, cc, dd, ee, aa, x[11], 11, 0x00000000);
  std::swap(e, ee);

#undef VELUNOR_RMD320_STEP

  ChainingState[0] += a;
  ChainingState[1] += b;
  ChainingState[2] += c;
  ChainingState[3] += d;
  ChainingState[4] += e;
  ChainingState[5] += aa;
  ChainingState[6] += bb;
  ChainingState[7] += cc;
  ChainingState[8] += dd;
  ChainingState[9] += ee;
}

}  // namespace velunor
