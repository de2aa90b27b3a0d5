#include "hash/hash_md4.h"

#include <cstring>

#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

// The published MD4 compression (RFC 1320), written out step by step, on the
// four chaining words at `h`.
inline void CompressMd4(std::uint32_t* h, const std::uint8_t* block) {
  std::uint32_t x[16];
  LoadLE(x, block);
  std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3];

  // Each step adds the message word, the round's constant (0, 5A827999 and
  // 6ED9EBA1 hex) and f(b, c, d), where b is the word computed last. The terms
  // without b are summed first and each f needs as few operations after b as
  // possible: selection as ((c ^ d) & b) ^ d, majority as the two disjoint
  // parts (c & d) + (b & (c ^ d)), parity as (c ^ d) ^ b.
#define VELUNOR_MD4_F(a, b, c, d, k) (a + x[k] + ((((c) ^ (d)) & (b)) ^ (d)))
#define VELUNOR_MD4_G(a, b, c, d, k) (a + x[k] + 0x5A827999u + ((c) & (d)) + ((b) & ((c) ^ (d))))
#define VELUNOR_MD4_H(a, b, c, d, k) (a + x[k] + 0x6ED9EBA1u + (((c) ^ (d)) ^ (b)))
#define VELUNOR_MD4_STEP(f, a, b, c, d, k, s) a = RotateLeft32(f(a, b, c, d, k), s)

  VELUNOR_MD4_STEP(VELUNOR_MD4_F, a, b, c, d, 0, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, d, a, b, c, 1, 7);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, c, d, a, b, 2, 11);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, b, c, d, a, 3, 19);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, a, b, c, d, 4, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, d, a, b, c, 5, 7);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, c, d, a, b, 6, 11);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, b, c, d, a, 7, 19);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, a, b, c, d, 8, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, d, a, b, c, 9, 7);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, c, d, a, b, 10, 11);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, b, c, d, a, 11, 19);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, a, b, c, d, 12, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, d, a, b, c, 13, 7);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, c, d, a, b, 14, 11);
  VELUNOR_MD4_STEP(VELUNOR_MD4_F, b, c, d, a, 15, 19);

  VELUNOR_MD4_STEP(VELUNOR_MD4_G, a, b, c, d, 0, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, d, a, b, c, 4, 5);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, c, d, a, b, 8, 9);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, b, c, d, a, 12, 13);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, a, b, c, d, 1, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, d, a, b, c, 5, 5);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, c, d, a, b, 9, 9);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, b, c, d, a, 13, 13);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, a, b, c, d, 2, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, d, a, b, c, 6, 5);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, c, d, a, b, 10, 9);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, b, c, d, a, 14, 13);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, a, b, c, d, 3, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, d, a, b, c, 7, 5);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, c, d, a, b, 11, 9);
  VELUNOR_MD4_STEP(VELUNOR_MD4_G, b, c, d, a, 15, 13);

  VELUNOR_MD4_STEP(VELUNOR_MD4_H, a, b, c, d, 0, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, d, a, b, c, 8, 9);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, c, d, a, b, 4, 11);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, b, c, d, a, 12, 15);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, a, b, c, d, 2, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, d, a, b, c, 10, 9);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, c, d, a, b, 6, 11);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, b, c, d, a, 14, 15);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, a, b, c, d, 1, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, d, a, b, c, 9, 9);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, c, d, a, b, 5, 11);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, b, c, d, a, 13, 15);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, a, b, c, d, 3, 3);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, d, a, b, c, 11, 9);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, c, d, a, b, 7, 11);
  VELUNOR_MD4_STEP(VELUNOR_MD4_H, b, c, d, a, 15, 15);

#undef VELUNOR_MD4_STEP
#undef VELUNOR_MD4_H
#undef VELUNOR_MD4_G
#undef VELUNOR_MD4_F

  h[0] += a;
  h[1] += b;
  h[2] += c;
  h[3] += d;
}

}  // namespace

void THash_MD4::CompressBlock(const std::uint8_t* block) {
  CompressMd4(ChainingState, block);
}

// Runs keep the chaining words in registers from block to block.
void THash_MD4::CompressBlocks(const std::uint8_t* blocks, std::size_t count) {
  std::uint32_t h[4];
  std::memcpy(h, ChainingState, sizeof h);
  for (; count > 0; --count, blocks += kBlockSize)
    CompressMd4(h, blocks);
  std::memcpy(ChainingState, h, sizeof h);
}

}  // namespace velunor
