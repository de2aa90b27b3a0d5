#include "hash/hash_sha.h"

#include <span>

#include "hash/sha1_extensions.h"
#include "runtime/byte_order.h"
#include "runtime/support.h"

namespace velunor {

namespace {

// The round functions of steps 0..19, 20..39 and 40..59 (60..79 use Parity
// again). Choose is the bitwise selection "x ? y : z"; Majority adds two
// disjoint halves, the bits set in both x and y and those where exactly one of
// them and z are set.
inline std::uint32_t Choose(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return ((y ^ z) & x) ^ z;
}
inline std::uint32_t Parity(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return x ^ y ^ z;
}
inline std::uint32_t Majority(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return (x & y) + ((x ^ y) & z);
}

template <bool kRotateExpansion>
inline std::uint32_t ExpandedWord(std::uint32_t mixed) {
  if constexpr (kRotateExpansion) {
    return RotateLeft32(mixed, 1);
  } else {
    return mixed;
  }
}

// The published 80-step compression on the five words at `state`. The 80
// expanded message words are kept in a ring of sixteen: expanded word i
// replaces word i - 16, the XOR of the words 3, 8, 14 and 16 places back.
// A step computes E += (A <<< 5) + f(B, C, D) + W + K and B <<<= 30; the
// roles then move on by one, written as a rotation of the register names.
template <bool kRotateExpansion>
void CompressSha(std::uint32_t* state, const std::uint8_t* block) {
  std::uint32_t w[16];
  LoadBE(w, block);  // big-endian message words
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];

#define VELUNOR_SHA_EXPAND(i, back3, back8, back14) \
  (w[i] = ExpandedWord<kRotateExpansion>(w[back3] ^ w[back8] ^ w[back14] ^ w[i]))
#define VELUNOR_SHA_STEP(f, a, b, c, d, e, word, k)    \
  e += RotateLeft32(a, 5) + f(b, c, d) + (word) + (k); \
  b = RotateLeft32(b, 30)

  // Steps 0..19.
  VELUNOR_SHA_STEP(Choose, a, b, c, d, e, w[0], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, e, a, b, c, d, w[1], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, d, e, a, b, c, w[2], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, c, d, e, a, b, w[3], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, b, c, d, e, a, w[4], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, a, b, c, d, e, w[5], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, e, a, b, c, d, w[6], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, d, e, a, b, c, w[7], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, c, d, e, a, b, w[8], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, b, c, d, e, a, w[9], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, a, b, c, d, e, w[10], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, e, a, b, c, d, w[11], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, d, e, a, b, c, w[12], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, c, d, e, a, b, w[13], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, b, c, d, e, a, w[14], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, a, b, c, d, e, w[15], 0x5A827999);
  VELUNOR_SHA_STEP(Choose, e, a, b, c, d, VELUNOR_SHA_EXPAND(0, 13, 8, 2), 0x5A827999);
  VELUNOR_SHA_STEP(Choose, d, e, a, b, c, VELUNOR_SHA_EXPAND(1, 14, 9, 3), 0x5A827999);
  VELUNOR_SHA_STEP(Choose, c, d, e, a, b, VELUNOR_SHA_EXPAND(2, 15, 10, 4), 0x5A827999);
  VELUNOR_SHA_STEP(Choose, b, c, d, e, a, VELUNOR_SHA_EXPAND(3, 0, 11, 5), 0x5A827999);

  // Steps 20..39.
  VELUNOR_SHA_STEP(Parity, a, b, c, d, e, VELUNOR_SHA_EXPAND(4, 1, 12, 6), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, e, a, b, c, d, VELUNOR_SHA_EXPAND(5, 2, 13, 7), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, d, e, a, b, c, VELUNOR_SHA_EXPAND(6, 3, 14, 8), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, c, d, e, a, b, VELUNOR_SHA_EXPAND(7, 4, 15, 9), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, b, c, d, e, a, VELUNOR_SHA_EXPAND(8, 5, 0, 10), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, a, b, c, d, e, VELUNOR_SHA_EXPAND(9, 6, 1, 11), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, e, a, b, c, d, VELUNOR_SHA_EXPAND(10, 7, 2, 12), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, d, e, a, b, c, VELUNOR_SHA_EXPAND(11, 8, 3, 13), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, c, d, e, a, b, VELUNOR_SHA_EXPAND(12, 9, 4, 14), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, b, c, d, e, a, VELUNOR_SHA_EXPAND(13, 10, 5, 15), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, a, b, c, d, e, VELUNOR_SHA_EXPAND(14, 11, 6, 0), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, e, a, b, c, d, VELUNOR_SHA_EXPAND(15, 12, 7, 1), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, d, e, a, b, c, VELUNOR_SHA_EXPAND(0, 13, 8, 2), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, c, d, e, a, b, VELUNOR_SHA_EXPAND(1, 14, 9, 3), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, b, c, d, e, a, VELUNOR_SHA_EXPAND(2, 15, 10, 4), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, a, b, c, d, e, VELUNOR_SHA_EXPAND(3, 0, 11, 5), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, e, a, b, c, d, VELUNOR_SHA_EXPAND(4, 1, 12, 6), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, d, e, a, b, c, VELUNOR_SHA_EXPAND(5, 2, 13, 7), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, c, d, e, a, b, VELUNOR_SHA_EXPAND(6, 3, 14, 8), 0x6ED9EBA1);
  VELUNOR_SHA_STEP(Parity, b, c, d, e, a, VELUNOR_SHA_EXPAND(7, 4, 15, 9), 0x6ED9EBA1);

  // Steps 40..59.
  VELUNOR_SHA_STEP(Majority, a, b, c, d, e, VELUNOR_SHA_EXPAND(8, 5, 0, 10), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, e, a, b, c, d, VELUNOR_SHA_EXPAND(9, 6, 1, 11), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, d, e, a, b, c, VELUNOR_SHA_EXPAND(10, 7, 2, 12), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, c, d, e, a, b, VELUNOR_SHA_EXPAND(11, 8, 3, 13), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, b, c, d, e, a, VELUNOR_SHA_EXPAND(12, 9, 4, 14), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, a, b, c, d, e, VELUNOR_SHA_EXPAND(13, 10, 5, 15), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, e, a, b, c, d, VELUNOR_SHA_EXPAND(14, 11, 6, 0), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, d, e, a, b, c, VELUNOR_SHA_EXPAND(15, 12, 7, 1), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, c, d, e, a, b, VELUNOR_SHA_EXPAND(0, 13, 8, 2), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, b, c, d, e, a, VELUNOR_SHA_EXPAND(1, 14, 9, 3), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, a, b, c, d, e, VELUNOR_SHA_EXPAND(2, 15, 10, 4), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, e, a, b, c, d, VELUNOR_SHA_EXPAND(3, 0, 11, 5), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, d, e, a, b, c, VELUNOR_SHA_EXPAND(4, 1, 12, 6), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, c, d, e, a, b, VELUNOR_SHA_EXPAND(5, 2, 13, 7), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, b, c, d, e, a, VELUNOR_SHA_EXPAND(6, 3, 14, 8), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, a, b, c, d, e, VELUNOR_SHA_EXPAND(7, 4, 15, 9), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, e, a, b, c, d, VELUNOR_SHA_EXPAND(8, 5, 0, 10), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, d, e, a, b, c, VELUNOR_SHA_EXPAND(9, 6, 1, 11), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, c, d, e, a, b, VELUNOR_SHA_EXPAND(10, 7, 2, 12), 0x8F1BBCDC);
  VELUNOR_SHA_STEP(Majority, b, c, d, e, a, VELUNOR_SHA_EXPAND(11, 8, 3, 13), 0x8F1BBCDC);

  // Steps 60..79.
  VELUNOR_SHA_STEP(Parity, a, b, c, d, e, VELUNOR_SHA_EXPAND(12, 9, 4, 14), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, e, a, b, c, d, VELUNOR_SHA_EXPAND(13, 10, 5, 15), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, d, e, a, b, c, VELUNOR_SHA_EXPAND(14, 11, 6, 0), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, c, d, e, a, b, VELUNOR_SHA_EXPAND(15, 12, 7, 1), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, b, c, d, e, a, VELUNOR_SHA_EXPAND(0, 13, 8, 2), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, a, b, c, d, e, VELUNOR_SHA_EXPAND(1, 14, 9, 3), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, e, a, b, c, d, VELUNOR_SHA_EXPAND(2, 15, 10, 4), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, d, e, a, b, c, VELUNOR_SHA_EXPAND(3, 0, 11, 5), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, c, d, e, a, b, VELUNOR_SHA_EXPAND(4, 1, 12, 6), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, b, c, d, e, a, VELUNOR_SHA_EXPAND(5, 2, 13, 7), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, a, b, c, d, e, VELUNOR_SHA_EXPAND(6, 3, 14, 8), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, e, a, b, c, d, VELUNOR_SHA_EXPAND(7, 4, 15, 9), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, d, e, a, b, c, VELUNOR_SHA_EXPAND(8, 5, 0, 10), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, c, d, e, a, b, VELUNOR_SHA_EXPAND(9, 6, 1, 11), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, b, c, d, e, a, VELUNOR_SHA_EXPAND(10, 7, 2, 12), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, a, b, c, d, e, VELUNOR_SHA_EXPAND(11, 8, 3, 13), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, e, a, b, c, d, VELUNOR_SHA_EXPAND(12, 9, 4, 14), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, d, e, a, b, c, VELUNOR_SHA_EXPAND(13, 10, 5, 15), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, c, d, e, a, b, VELUNOR_SHA_EXPAND(14, 11, 6, 0), 0xCA62C1D6);
  VELUNOR_SHA_STEP(Parity, b, c, d, e, a, VELUNOR_SHA_EXPAND(15, 12, 7, 1), 0xCA62C1D6);

#undef VELUNOR_SHA_STEP
#undef VELUNOR_SHA_EXPAND

  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
  state[4] += e;
}

}  // namespace

void CompressShaPortable(std::uint32_t* state, const std::uint8_t* block, bool sha1) {
  if (sha1) {
    CompressSha<true>(state, block);
  } else {
    CompressSha<false>(state, block);
  }
}

void THash_SHA::CompressBlock(const std::uint8_t* block) {
  CompressBlocks(block, 1);
}

void THash_SHA::CompressBlocks(const std::uint8_t* blocks, std::size_t count) {
  const bool sha1 = Variant == ShaVariant::kSha1;
  if (sha1 && ProcessorFeatures().shaExtensions) {
    CompressSha1WithShaExtensions(ChainingState, blocks, count);
    return;
  }
  for (; count > 0; --count, blocks += kBlockSize)
    CompressShaPortable(ChainingState, blocks, sha1);
}

void THash_SHA::CompleteDigest() {
  PadAndCompress(0x80, true);
  // The digest words are stored most significant byte first.
  for (std::uint32_t& word : std::span(ChainingState, 5))
    word = SwapBytes(word);
}

}  // namespace velunor
